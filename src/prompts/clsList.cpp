// List prompts; see clsList.h.
#include "prompts/clsList.h"

#include <vector>

#include "backends/ReadOnlyRoad.h"
#include "data/clsRecordset.h"
#include "prompts/ListSql.h"
#include "prompts/ParameterTokens.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/SharedObjects.h"

namespace hlreports {
namespace {

constexpr int32_t TwipsPerCharacter = 120;

// Formula SQL only reads: the read-only road refuses anything else before it runs, reported with
// the keyword check's number and source.
RecordsetPtr OpenReadOnly(Connection& connection, const std::string& sql,
                          const std::string& listName) {
    try {
        return connection.OpenReadOnly(sql, {});
    } catch (const ComError& error) {
        const std::string& description = error.Description();
        const bool refused = description.starts_with(kReadOnlyMoreThanOneStatement) ||
                             description.starts_with(kReadOnlyWouldChange) ||
                             description.starts_with(kReadOnlyNoRows);
        if (!refused) {
            throw;
        }
        throw ComError(
            ListErrorForbiddenSql, "ValidSelectStatement",
            "Only a query that reads is allowed in formula " + listName + ": " + description);
    }
}

}  // namespace

clsList::clsList() = default;
clsList::~clsList() = default;

bool clsList::IsUnitList() const {
    return !ParamName.empty() && EqualsIgnoreCase(basListName(ParamName), UnitListName);
}

bool clsList::IsPropertyList() const {
    return EqualsIgnoreCase(ParamName, "{?QZLIST(" + std::string(PropertyListName) + ")}");
}

std::string clsList::Caption() const {
    return picker_ ? picker_->Caption() : std::string();
}

void clsList::SetCaption(const std::string& caption) {
    if (picker_) {
        picker_->SetCaption(caption);
    }
}

void clsList::Init(const std::string& strParamName, const Variant& strTextName) {
    ParamName = strParamName;
    ListText = strTextName.ToString();
}

void clsList::Term() {
    picker_.reset();
    rows_.reset();
    connection_.reset();
}

bool clsList::ValidSelectStatement(const std::string& strSQL) const {
    return hlreports::ValidSelectStatement(strSQL, basListName(ParamName));
}

void clsList::GetRS(const CoreReport& rptReport) {
    rows_.reset();
    try {
        if (!connection_) {
            connection_ = OpenConnection(SharedRecordset().ConnectionString());
        }
        if (IsUnitList()) {
            Command = basDistinctUnitListCommand(PropertyFilter);
            if (!Command.empty()) {
                rows_ = connection_->OpenRecordset(Command);
            }
        } else {
            Command = basListCommand(ParamName, rptReport);
            if (IsPropertyList()) {
                Command = PropertySecurityCommand(Command, TheSession().settings.userName);
            }
            if (ValidSelectStatement(Command)) {
                rows_ = OpenReadOnly(*connection_, Command, basListName(ParamName));
            }
        }
        if (rows_) {
            rows_->SetSource(Command);
        }
    } catch (const std::exception& error) {
        rows_.reset();
        const auto* comError = dynamic_cast<const ComError*>(&error);
        const std::string description = comError ? comError->Description() : error.what();
        throw ComError(ListErrorRowsNotOpened, "clsList.GetRS",
                       description + "  Command was " + Command);
    }
}

void clsList::InitRS(const CoreReport& rptReport) {
    if (!picker_) {
        picker_ = std::make_unique<frmDatabaseList>();
    }
    const auto parameter = rptReport.ParameterByName(basStripBraces(ParamName));
    picker_->SetSelectionType(parameter->IsMultiValue() ? RowSelectionKind::Multiple
                                                        : RowSelectionKind::Single);
    try {
        GetRS(rptReport);
    } catch (...) {
        picker_->SetRecordSet(nullptr);
        throw;
    }
    picker_->SetRecordSet(rows_);
    if (IsUnitList()) {
        // The unit list's third column (the property) only feeds the feedback label.
        Control& grid = picker_->Get("grdDBList");
        std::vector<GridColumn> columns = grid.List().Columns();
        if (columns.size() > 2) {
            columns[2].visible = false;
            grid.SetColumns(std::move(columns));
        }
    }
}

void clsList::Show(const CoreReport& rptReport) {
    if (!picker_) {
        InitRS(rptReport);
    }
    picker_->SetCaption(
        basListName(rptReport.ParameterByName(basStripBraces(ParamName))->ParameterName()));
    picker_->ShowModal();
}

void clsList::MatchText(const std::string& strToMatch, const CoreReport& rptReport) {
    if (!picker_) {
        InitRS(rptReport);
    }
    picker_->SelectWithText(strToMatch);
}

bool clsList::ExistsOnList(const std::string& strToMatch, const CoreReport& rptReport) {
    if (!picker_) {
        InitRS(rptReport);
    }
    return picker_->ExistsOnList(strToMatch);
}

std::string clsList::Feedback() const {
    if (!picker_) {
        return "";
    }
    if (IsUnitList() && picker_->AllUnitsSelected()) {
        return std::string(AllUnitsSelectedText);
    }
    return picker_->Feedback();
}

std::string clsList::Description() const {
    return picker_ ? picker_->Description() : std::string();
}

int16_t clsList::ValuesCount() const {
    return picker_ ? picker_->ValuesCount() : int16_t{0};
}

std::string clsList::Value(int16_t I) const {
    return picker_ ? picker_->Value(I) : std::string();
}

void clsList::ClearValues() {
    if (picker_) {
        picker_->ClearSelections();
    }
}

void clsList::ClearAllUnitsSelected() {
    if (picker_) {
        picker_->SetAllUnitsSelected(false);
    }
}

std::string clsList::CreatePropertyFilter() const {
    std::vector<std::string> values;
    for (int16_t i = 0; i < ValuesCount(); ++i) {
        values.push_back(Value(i));
    }
    return PropertyFilterText(values);
}

std::string clsList::DescriptionWidth(const std::string& strParamName,
                                      const CoreReport& rptReport) {
    if (!rows_) {
        ParamName = strParamName;
        GetRS(rptReport);
    }
    // A column without a defined size (an expression) gets the width of a plain text box.
    if (!rows_ || rows_->FieldCount() < 2 || rows_->Field(1).definedSize <= 0) {
        return "1500";
    }
    return std::to_string(rows_->Field(1).definedSize * TwipsPerCharacter);
}

}  // namespace hlreports
