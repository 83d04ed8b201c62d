// The report engine's object model: what the component calls on a loaded report (the operations
// the host suite's engine offers), over the XML report definition of docs/report-format.md.
//
// A CoreReport is loaded from a file, receives parameter values, formula texts and table rows
// (as recordset XML, or the component's own copy of what that XML would load as), and is then a
// prepared report that the renderers turn into JSON, text or HTML. Sub-reports are nested
// definitions opened by name; they share nothing with the parent but the object graph. Arrays the
// component walks (parameters, tables, sections) are zero-based.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "recordset/Recordset.h"
#include "runtime/Date.h"
#include "runtime/Variant.h"

namespace hlreports {

class CoreReport;

// Parameter value type codes of the engine.
enum CoreValueType : int32_t {
    CoreValueNumber = 7,
    CoreValueCurrency = 8,
    CoreValueBoolean = 9,
    CoreValueDate = 10,
    CoreValueString = 11,
    CoreValueDateTime = 16,
};

class CoreParameter : public ComObject {
  public:
    // "{?" + Name + "}"
    std::string ParameterName() const;
    const std::string& Name() const { return name_; }
    const std::string& PromptText() const { return promptText_; }
    bool IsRange() const { return isRange_; }
    bool IsMultiValue() const { return isMultiValue_; }
    bool HasCurrentValue() const { return !currentValues_.empty(); }
    int DefaultValueCount() const { return static_cast<int>(defaultValues_.size()); }
    const std::vector<Variant>& DefaultValues() const { return defaultValues_; }
    // The first current value (a range's start), Empty when none.
    Variant CurrentValue() const;
    int32_t ValueType() const { return valueType_; }

    // A value or range of a multi-value parameter, pending until ApplyValues.
    void AddCurrentValue(Variant value);
    void AddCurrentRange(Variant start, Variant end);
    void ClearCurrentValues();
    void ApplyValues();
    // Replaces every current value with this one.
    void SetCurrentValue(Variant value);

    struct Value {
        Variant start;
        Variant end;  // Empty unless a range
        bool isRange = false;
    };
    const std::vector<Value>& CurrentValues() const { return currentValues_; }
    // Added since the last ApplyValues, SetCurrentValue or ClearCurrentValues.
    const std::vector<Value>& PendingValues() const { return pendingValues_; }
    bool ValuesApplied() const { return applied_; }

    // Set by the loader.
    CoreParameter(std::string name, std::string promptText, int32_t valueType, bool isRange,
                  bool isMultiValue, std::vector<Variant> defaultValues);

  private:
    std::string name_;
    std::string promptText_;
    int32_t valueType_;
    bool isRange_;
    bool isMultiValue_;
    std::vector<Variant> defaultValues_;
    std::vector<Value> currentValues_;
    std::vector<Value> pendingValues_;
    bool applied_ = false;
};

class CoreFormula : public ComObject {
  public:
    CoreFormula(std::string name, std::string text)
        : name_(std::move(name)), text_(std::move(text)) {}
    const std::string& Name() const { return name_; }
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }

  private:
    std::string name_;
    std::string text_;
};

struct CoreLogOnInfo {
    std::string server;
    std::string database;
    std::string user;
    std::string password;
};

// The connection the host logged on with, under what a table's log-on can name of it. A log-on
// holds server, database and user only; a table whose log-on names exactly these reads through
// the host's whole connection string, with the driver, socket or port and password that no
// log-on carries (without it a server database could not be reached at all).
struct CoreHostConnection {
    std::string server;
    std::string database;
    std::string user;
    std::string connectionString;
};

// How a table reads its own rows when the component hands it none (docs/report-format.md):
// the procedure named by its location, or its read-only query, fed by report parameters.
enum class TableReadKind { None, Procedure, Query };
// What of a parameter's current values an argument carries.
enum class ArgumentTake { Value, List, Joined, Start, End, Count };

struct TableArgument {
    std::string name;       // "@Batch": the procedure's parameter or the query's placeholder
    std::string parameter;  // the report parameter (a sub-report's own, else the main report's)
    ArgumentTake take = ArgumentTake::Value;
};

struct TableReading {
    TableReadKind kind = TableReadKind::None;
    std::string query;
    std::vector<TableArgument> arguments;
};

class CoreTable : public ComObject {
  public:
    CoreTable(std::string name, std::string connectionText, std::string location,
              TableReading reading = {});
    const std::string& Name() const { return name_; }
    void SetLogOnInfo(std::string server, std::string database, std::string user,
                      std::string password);
    const CoreLogOnInfo& LogOnInfo() const { return logOn_; }
    // Rows as the classic recordset XML; malformed text raises the reader's error.
    void SetDataSource(std::string_view recordsetXml);
    const RecordsetPtr& Rows() const { return rows_; }  // nullptr until data is set
    // Rows the engine read itself (CoreReport::ReadTables), or rows the component hands over
    // without the XML text (Recordset::SavedCopy gives exactly what that text would load as).
    // The table keeps them: no one else may change them afterwards.
    void SetRows(RecordsetPtr rows) { rows_ = std::move(rows); }
    const TableReading& Reading() const { return reading_; }
    const std::string& Location() const { return location_; }
    void SetLocation(std::string location) { location_ = std::move(location); }
    const std::string& ConnectionText() const { return connectionText_; }

  private:
    std::string name_;
    std::string connectionText_;
    std::string location_;
    CoreLogOnInfo logOn_;
    TableReading reading_;
    RecordsetPtr rows_;
};

class CoreDatabase : public ComObject {
  public:
    std::vector<std::shared_ptr<CoreTable>>& Tables() { return tables_; }
    const std::vector<std::shared_ptr<CoreTable>>& Tables() const { return tables_; }

  private:
    std::vector<std::shared_ptr<CoreTable>> tables_;
};

// A sub-report object placed in a section.
class CoreSubreportObject : public ComObject {
  public:
    explicit CoreSubreportObject(std::shared_ptr<CoreReport> report) : report_(std::move(report)) {}
    const std::string& Name() const;
    // Opens the sub-report by name (the same definition the object holds).
    std::shared_ptr<CoreReport> Open(std::string_view name) const;

  private:
    std::shared_ptr<CoreReport> report_;
};

enum CoreObjectKind : int32_t { CoreObjectField = 1, CoreObjectText = 2, CoreObjectSubreport = 5 };

class CoreReportObject : public ComObject {
  public:
    CoreReportObject(int32_t kind, std::shared_ptr<CoreSubreportObject> subreport,
                     std::string name = {})
        : kind_(kind), subreport_(std::move(subreport)), name_(std::move(name)) {}
    int32_t Kind() const { return kind_; }
    const std::shared_ptr<CoreSubreportObject>& Subreport() const { return subreport_; }
    // "{?Parameter}", "{@Formula}", "{Table.Field}", "Count", "Text", or the sub-report's name.
    const std::string& Name() const { return name_; }

  private:
    int32_t kind_;
    std::shared_ptr<CoreSubreportObject> subreport_;
    std::string name_;
};

class CoreSection : public ComObject {
  public:
    explicit CoreSection(std::string name) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }
    std::vector<std::shared_ptr<CoreReportObject>>& Objects() { return objects_; }
    const std::vector<std::shared_ptr<CoreReportObject>>& Objects() const { return objects_; }

  private:
    std::string name_;
    std::vector<std::shared_ptr<CoreReportObject>> objects_;
};

// What LogOnDataSources received, kept so that the prepared report shows its log-on details.
struct CoreLogOnRecord {
    std::string dsn;
    std::string user;
    std::string password;
    std::vector<std::string> names;
    std::vector<std::string> dsns;
};

struct ReportDefinition;  // the loaded layout (engine internal)

class CoreReport : public ComObject {
  public:
    CoreReport();
    ~CoreReport() override;

    // Loads a report definition file. A missing file raises 20507; a malformed one raises an
    // error naming the file, line and problem.
    void Load(const std::string& path);
    // Sub-report by name (case-insensitive); error when the report has none of that name.
    std::shared_ptr<CoreReport> OpenSubreport(std::string_view name);
    void LogOnDataSources(const std::string& dsn, const std::string& emptyText,
                          const std::string& user, const std::string& password,
                          const std::vector<std::string>& names,
                          const std::vector<std::string>& dsns, int32_t c0, int32_t c1, int32_t c2,
                          int32_t c3, int32_t c4);
    const std::shared_ptr<CoreDatabase>& Database() const { return database_; }
    std::vector<std::shared_ptr<CoreParameter>>& Parameters() { return parameters_; }
    const std::vector<std::shared_ptr<CoreParameter>>& Parameters() const { return parameters_; }
    std::shared_ptr<CoreParameter> ParameterByName(std::string_view name) const;
    std::shared_ptr<CoreFormula> FormulaField(std::string_view name) const;  // nullptr when absent
    std::vector<std::shared_ptr<CoreSection>>& Sections() { return sections_; }
    const std::vector<std::shared_ptr<CoreSection>>& Sections() const { return sections_; }
    void SetReportDate(Date date) {
        reportDate_ = date;
        hasReportDate_ = true;
    }
    const std::string& ConnectionName() const { return connectionName_; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    const std::string& Name() const { return name_; }
    // Fills every table of the report and its sub-reports that reads its own rows and has
    // received none, over the database its log-on names, read-only and with every value bound.
    // All or nothing: a table that fails raises 20515 and no table is filled. A log-on that names
    // `host` reads through the host's connection string.
    void ReadTables(const CoreHostConnection* host = nullptr);

    // State the renderers read.
    const std::string& Path() const { return path_; }
    bool HasReportDate() const { return hasReportDate_; }
    Date ReportDate() const { return reportDate_; }
    const std::vector<std::shared_ptr<CoreFormula>>& Formulas() const { return formulas_; }
    const std::vector<CoreLogOnRecord>& LogOns() const { return logOns_; }
    const std::vector<std::shared_ptr<CoreReport>>& Subreports() const { return subreports_; }
    const ReportDefinition* Definition() const { return definition_.get(); }

  private:
    std::string path_;
    std::string name_;
    std::string title_;
    std::string connectionName_;
    bool hasReportDate_ = false;
    Date reportDate_;
    std::shared_ptr<CoreDatabase> database_;
    std::vector<std::shared_ptr<CoreParameter>> parameters_;
    std::vector<std::shared_ptr<CoreFormula>> formulas_;
    std::vector<std::shared_ptr<CoreSection>> sections_;
    std::vector<std::shared_ptr<CoreReport>> subreports_;
    std::vector<CoreLogOnRecord> logOns_;
    std::unique_ptr<ReportDefinition> definition_;
    friend class ReportLoader;
};

// Window state of a host report form, as the engine reports it.
struct CoreWindowState {
    bool IsMinimized = false;
};

// A report form of the host (preview window). The host implements it.
class CoreReportForm : public ComObject {
  public:
    virtual void BringForward() = 0;
    // nullptr when the form has no owner window.
    virtual std::shared_ptr<ComObject> OwnerWindow() = 0;
    virtual bool IsClosed() = 0;
};

// Something that can tell whether a window is minimised (the host's window).
class CoreWindow : public ComObject {
  public:
    virtual bool IsMinimized() const = 0;
};

class CoreEngine {
  public:
    std::shared_ptr<CoreReport> NewReport() const { return std::make_shared<CoreReport>(); }
    CoreWindowState WindowState(const std::shared_ptr<ComObject>& ownerWindow) const;
};

}  // namespace hlreports
