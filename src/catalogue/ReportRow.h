// ReportRow: one row of the report catalogue for a builder that runs one stored procedure.
// Builders that differ only in window, captions, procedure, parameters and formula names are
// rows of this one shape, read by RunStandardReport (catalogue/StandardReport.h); code is written
// only for what is really different (a layout, an after-run hook).
//
// A row reads top to bottom as the builder runs: error it raises, window it shows (none = runs at
// once), procedure and its arguments in declaration order, formula values set after a successful
// run, sub-reports fed with copies of the rows, then the hook. docs/catalogue.md shows how to add
// one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/BuilderContext.h"
#include "catalogue/ReportError.h"
#include "catalogue/ValueSources.h"
#include "recordset/AdoTypes.h"
#include "recordset/Recordset.h"

namespace hlreports {

struct CriteriaWindow;

// Shows the window modally and fills values.answers. Returns false when the user cancelled;
// the layout then leaves 20545 pending.
using WindowLayout = bool (*)(const CriteriaWindow& window, BuilderValues& values);

struct CriteriaWindow {
    WindowLayout layout = nullptr;
    // Window caption first, then labels, option captions and check-box captions, in the order
    // of the layout's arguments.
    std::vector<std::string> captions;
    // The dates the window shows first, in the order of the layout's date arguments; a date
    // not listed is today.
    std::vector<ValueSource> dates{};
};

struct ParameterSpec {
    std::string name;  // with the leading "@"
    int32_t adoType = adVarChar;
    int16_t size = 0;
    int32_t direction = adParamInput;
    ValueSource value;  // unused for outputs, which are added without a value
};

// An input argument, and an output that the procedure assigns.
ParameterSpec In(std::string name, int32_t adoType, int16_t size, ValueSource value);
ParameterSpec Out(std::string name, int32_t adoType, int16_t size);
// "@Property", text of 10, the session's property id: the first argument of most procedures.
ParameterSpec PropertyParameter();

struct FormulaSpec {
    std::string name;  // matched exactly, case-sensitively, with the report parameters' Name
    ValueSource value;
};

struct SubreportFeed {
    std::string name;
    ValueSource filter;  // "" for no filter
};

// What is really different in a builder after its run (a second procedure, a sort); runs last.
using AfterRunHook = void (*)(BuilderContext& context, BuilderValues& values, RecordsetPtr& rows);

struct ReportRow {
    std::string key{};
    std::optional<ReportError> error{};  // none: errors reach the runner unchanged
    std::optional<CriteriaWindow> window{};
    std::string procedure{};
    std::vector<ParameterSpec> parameters{};
    std::vector<FormulaSpec> formulas{};
    std::vector<SubreportFeed> subreports{};
    AfterRunHook afterRun = nullptr;
    // The window lists GL accounts from the data folder's setup service: the dispatcher calls
    // InitSetupService with the request's log-on before the builder runs.
    bool needsSetupService = false;

    // A row with outputs runs through RunSPRetRSOutParams and may read them in its formulas.
    bool ReadsOutputs() const;
};

}  // namespace hlreports
