// frmDetailTrasactionOptions: design, list binding, handlers and FormShow; the contract is in
// the header.
#include "criteria/frmDetailTrasactionOptions.h"

#include <algorithm>
#include <optional>
#include <set>

#include "criteria/CriteriaDesign.h"
#include "criteria/RecordsetList.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"
#include "runtime/Session.h"
#include "service/GridToList.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

constexpr const char* FormName = "frmDetailTrasactionOptions";

using K = ControlKind;
constexpr auto form = "";

// Positions of children are inside their frame.
const DesignControl kDesign[] = {
    {K::Label, "lblAcctgMethod", {}, form, "Accounting Method:", 120, 180, 1935, 255},
    {K::GridCombo, "cboAcctgMethod", {}, form, "", 2160, 120, 1575, 315},
    {K::Label, "lblDateUsed", {}, form, "Date Field to Use:", 120, 600, 1935, 255},
    {K::GridCombo, "cboDateUsed", {}, form, "", 2160, 540, 2175, 315},
    {K::CheckBox, "chkDates", {}, form, "All Dates:", 120, 1080, 1935, 255},
    {K::Frame, "fraDateOps", {}, form, "", 2160, 960, 2535, 1095},
    {K::Label, "lblDateFrom", {}, "fraDateOps", "Start:", 120, 300, 615, 255},
    {K::DatePicker, "dtpDateFrom", {}, "fraDateOps", "", 780, 240, 1575, 315},
    {K::Label, "lblDateTo", {}, "fraDateOps", "End:", 120, 690, 615, 255},
    {K::DatePicker, "dtpDateTo", {}, "fraDateOps", "", 780, 630, 1575, 315},
    {K::CheckBox, "chkUnits", {}, form, "All Units:", 120, 2280, 1935, 255},
    {K::Frame, "fraUnitOps", {}, form, "", 2160, 2160, 2535, 1095},
    {K::Label, "lblUnitStart", {}, "fraUnitOps", "Unit Start:", 120, 300, 975, 255},
    {K::GridCombo, "cboUnitStart", {}, "fraUnitOps", "", 1140, 240, 1275, 315},
    {K::Label, "lblUnitEnd", {}, "fraUnitOps", "Unit End:", 120, 690, 975, 255},
    {K::GridCombo, "cboUnitEnd", {}, "fraUnitOps", "", 1140, 630, 1275, 315},
    {K::CheckBox, "chkResidents", {}, form, "All Residents:", 120, 3480, 1935, 255},
    {K::Frame, "fraResidentOps", {}, form, "", 2160, 3360, 2535, 615},
    {K::OptionButton, "optResStatus", 0, "fraResidentOps", "All", 120, 240, 675, 255},
    {K::OptionButton, "optResStatus", 1, "fraResidentOps", "Current", 840, 240, 915, 255},
    {K::OptionButton, "optResStatus", 2, "fraResidentOps", "Former", 1740, 240, 735, 255},
    {K::Grid, "grdResident", {}, form, "", 120, 4080, 4575, 2535},
    {K::CheckBox, "chkAccounts", {}, form, "All Accounts:", 4920, 120, 2400, 255},
    {K::Grid, "grdAccount", {}, form, "", 4920, 420, 5100, 1455},
    {K::CheckBox, "chkChargeTypes", {}, form, "All Charge Types:", 4920, 2040, 2400, 255},
    {K::Grid, "grdChargeType", {}, form, "", 4920, 2340, 5100, 1455},
    {K::CheckBox, "chkBatches", {}, form, "All Batches:", 4920, 3960, 2400, 255},
    {K::Grid, "grdBatch", {}, form, "", 4920, 4260, 2415, 2355},
    {K::CheckBox, "chkRuns", {}, form, "All Runs:", 7500, 3960, 2400, 255},
    {K::Grid, "grdRun", {}, form, "", 7500, 4260, 2520, 2355},
    {K::CommandButton, "cmdPreview", {}, form, "P&review", 5820, 6840, 1215, 435},
    {K::CommandButton, "cmdPrint", {}, form, "&Print", 7140, 6840, 1215, 435},
    {K::CommandButton, "cmdCancel", {}, form, "&Cancel", 8460, 6840, 1215, 435},
};

// Each "All" box and what it disables while checked.
struct AllBox {
    const char* box;
    const char* target;
};
const AllBox kAllBoxes[] = {
    {"chkUnits", "fraUnitOps"},    {"chkResidents", "fraResidentOps"},
    {"chkAccounts", "grdAccount"}, {"chkChargeTypes", "grdChargeType"},
    {"chkBatches", "grdBatch"},    {"chkRuns", "grdRun"},
};

// The selected residents, by resident id, so that a new status filter keeps those still listed.
std::set<std::string> SelectedValues(const Control& grid, int column) {
    std::set<std::string> values;
    for (const int row : grid.SelectedRows()) {
        values.insert(grid.List().Cell(row, column));
    }
    return values;
}

}  // namespace

frmDetailTrasactionOptions::frmDetailTrasactionOptions()
    : Form(FormName, "Accounting Transaction Report Criteria") {
    Design();
    for (const AllBox& all : kAllBoxes) {
        Get(all.box).handlers.click = [this, all] { AllBoxClicked(all.box, all.target); };
    }
    Get("chkResidents").handlers.click = [this] {
        AllBoxClicked("chkResidents", "fraResidentOps");
        AllBoxClicked("chkResidents", "grdResident");
    };
    Get("chkDates").handlers.click = [this] { DatesClicked(); };
    Get("cboDateUsed").handlers.rowPicked = [this] { DateUsedPicked(); };
    for (int index = 0; index < 3; ++index) {
        Get("optResStatus", index).handlers.click = [this, index] { ResidentStatusClicked(index); };
    }
    Get("cmdPreview").handlers.click = [this] { Finish(false); };
    Get("cmdPrint").handlers.click = [this] { Finish(true); };
    Get("cmdCancel").handlers.click = [this] { CancelWindow(); };
    handlers.queryUnload = [this](bool& cancel) {
        cancel = true;
        CancelWindow();
    };
    for (const char* box : {"chkDates", "chkUnits", "chkResidents", "chkAccounts", "chkChargeTypes",
                            "chkBatches", "chkRuns"}) {
        Get(box).SetValue(Variant::Integer(vbChecked));
    }
}

void frmDetailTrasactionOptions::Design() {
    Move(0, 0, 10200, 7500);
    AddDesignControls(*this, kDesign);
    Control& method = Get("cboAcctgMethod");
    method.SetColumns({{"Value", "Method", 450}, {"Name", "Name", 1200}});
    method.AddRow({"1", "Accrual"});
    method.AddRow({"2", "Cash"});
    Control& dateUsed = Get("cboDateUsed");
    dateUsed.SetColumns({{"Name", "Date Field", 2100}, {"Value", "Value", 0, false}});
    dateUsed.SetValueColumn(1);
    for (const auto& [name, value] :
         {std::pair{"<All>", "0"}, std::pair{"Accounting Date", "1"},
          std::pair{"Transaction Date", "2"}, std::pair{"Charge Date", "3"}}) {
        dateUsed.AddRow({name, value});
    }
    for (const char* grid : {"grdResident", "grdAccount", "grdChargeType", "grdBatch", "grdRun"}) {
        Get(grid).SetRowSelection(RowSelectionKind::Multiple);
    }
    Get("optResStatus", 0).SetValue(true);
    Get("cmdCancel").SetCausesValidation(false);
}

void frmDetailTrasactionOptions::BindLists(Recordset& residents, Recordset& chargeTypes,
                                           Recordset& units, Recordset& accounts,
                                           Recordset& batches, Recordset& runs) {
    residentRows_ = &residents;
    ShowResidents();
    FillList(Get("grdChargeType"), chargeTypes,
             {{"Charge_Type", "Charge Type", 1500}, {"Charge_Description", "Description", 3300}});
    for (const char* combo : {"cboUnitStart", "cboUnitEnd"}) {
        // Picked and typed by unit; the answer is the row's sort order.
        FillList(Get(combo), units, {{"Unit", "Unit", 1200}, {"SortOrder", "Sort", 0, false}});
    }
    FillList(Get("grdAccount"), accounts,
             {{"Value", "Account", 1500}, {"Title", "Description", 3300}});
    FillList(Get("grdBatch"), batches, {{"Value", "Batch ID", 2100}});
    FillList(Get("grdRun"), runs, {{"Value", "RunID", 2100}});
}

void frmDetailTrasactionOptions::ShowResidents() {
    Control& grid = Get("grdResident");
    const std::set<std::string> selected = SelectedValues(grid, 1);
    FillList(grid, *residentRows_,
             {{"Name", "Resident Name", 2700}, {"Resident", "Resident ID", 1500}});
    grid.SetValueColumn(1);
    for (int row = 0; row < grid.List().RowCount(); ++row) {
        if (selected.contains(grid.List().Cell(row, 1))) {
            grid.SelectRow(row);
        }
    }
}

void frmDetailTrasactionOptions::EnableWithContents(const char* name, bool enabled) {
    Control& target = Get(name);
    target.SetEnabled(enabled);
    for (Control* inside : ControlsIn(target)) {
        inside->SetEnabled(enabled);
    }
}

void frmDetailTrasactionOptions::AllBoxClicked(const char* box, const char* target) {
    EnableWithContents(target, !Get(box).IsChecked());
}

void frmDetailTrasactionOptions::DatesClicked() {
    const bool allDates = Get("chkDates").IsChecked();
    if (allDates) {
        Get("cboDateUsed").SetValue(Variant("0"));
    }
    EnableWithContents("fraDateOps", !allDates);
}

void frmDetailTrasactionOptions::DateUsedPicked() {
    const bool all = Get("cboDateUsed").Value().ToString() == "0";
    Get("chkDates").SetValue(Variant::Integer(all ? vbChecked : vbUnchecked));
}

void frmDetailTrasactionOptions::ResidentStatusClicked(int index) {
    static const struct {
        const char* field;
        const char* value;
        const char* statusText;
    } kStatuses[] = {
        {"", "", ""}, {"Status", "Current", "Active"}, {"Status", "Terminated", "Closed"}};
    const auto& status = kStatuses[index];
    residentStatus_ = status.statusText;
    if (residentRows_ == nullptr) {
        return;
    }
    const std::string field = status.field;
    residentRows_->SetFilter(field.empty() ? "" : field + " = '" + status.value + "'");
    ShowResidents();
}

int32_t frmDetailTrasactionOptions::UnitSortOrder(const char* combo) const {
    const Control& units = Get(combo);
    if (units.SelectedRow() < 0) {
        return -1;
    }
    return Variant(units.List().Cell(units.SelectedRow(), 1)).ToLong();
}

void frmDetailTrasactionOptions::Finish(bool toPrinter) {
    if (!Get("chkUnits").IsChecked()) {
        for (const char* combo : {"cboUnitStart", "cboUnitEnd"}) {
            const Control& units = Get(combo);
            // A unit typed that the property does not have would send no sort order at all.
            if (!units.Text().empty() && units.SelectedRow() < 0) {
                TheUi().MsgBox("Unit " + units.Text() + " is not a unit of this property.",
                               vbOKOnly | vbExclamation, "Hearthline");
                return;
            }
        }
    }
    if (toPrinter) {
        TheSession().settings.destination = irToPrinter;
    }
    result_ = true;
    const auto listOf = [this](const char* box, const char* grid, const char* column, bool quoted) {
        return Get(box).IsChecked() ? std::string() : GridToList(Get(grid), column, quoted);
    };
    residents_ = listOf("chkResidents", "grdResident", "Resident", true);
    chargeTypes_ = listOf("chkChargeTypes", "grdChargeType", "Charge_Type", true);
    runs_ = listOf("chkRuns", "grdRun", "Value", false);
    accounts_ = listOf("chkAccounts", "grdAccount", "Value", true);
    batches_ = listOf("chkBatches", "grdBatch", "Value", true);
    Hide();
}

void frmDetailTrasactionOptions::CancelWindow() {
    result_ = false;
    Err().SetPending(ErrorNumber::UserCancelled, FormName, "");
    Hide();
}

void frmDetailTrasactionOptions::FormShow(
    std::string& strAccountMethod, int16_t& intDateType, std::string& strStartDate,
    std::string& strEndDate, int32_t& lngUnitStartSortOrder, int32_t& lngUnitEndSortOrder,
    std::string& strResidentStatus, std::string& strResidents, std::string& strAccounts,
    std::string& strChargeTypes, std::string& strBatches, std::string& strRuns,
    Recordset& rstResidentsAndApplicants, Recordset& rstChargeTypes, Recordset& rstUnits,
    Recordset& rstAccounts, Recordset& rstBatches, Recordset& rstRuns) {
    Get("cboAcctgMethod").SetValue(Variant("1"));
    Get("cboDateUsed").SetValue(Variant("0"));
    Get("dtpDateFrom").SetValue(Variant(Date::Today()));
    Get("dtpDateTo").SetValue(Variant(Date::Today()));
    BindLists(rstResidentsAndApplicants, rstChargeTypes, rstUnits, rstAccounts, rstBatches,
              rstRuns);
    TheUi().SetMousePointer(vbDefault);
    ShowModal();
    if (!result_) {
        return;
    }
    strAccountMethod = Get("cboAcctgMethod").Text();
    intDateType = Get("cboDateUsed").Value().ToInteger();
    if (!Get("chkDates").IsChecked()) {
        strStartDate = Get("dtpDateFrom").Value().ToString();
        strEndDate = Get("dtpDateTo").Value().ToString();
    }
    const bool allUnits = Get("chkUnits").IsChecked();
    lngUnitStartSortOrder = allUnits ? -1 : UnitSortOrder("cboUnitStart");
    lngUnitEndSortOrder = allUnits ? -1 : UnitSortOrder("cboUnitEnd");
    strResidentStatus = residentStatus_;
    strResidents = residents_;
    strAccounts = accounts_;
    strChargeTypes = chargeTypes_;
    strBatches = batches_;
    strRuns = runs_;
}

}  // namespace hlreports
