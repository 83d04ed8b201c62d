// The design of frmRepCriteria's special pages (containers hidden until their procedure shows
// them, their controls with design captions and geometry), the option presets selected when the
// dialog is created, and the wiring of the pages' handlers to the page code.
//
// Grid combos: each list names its columns; the value column is what the result properties and
// the stored procedures receive, the display column what the box shows and what the emptiness
// tests read. The ledger's unit lists carry the unit's sort order as their value and show the
// unit; the utility charge lists carry the charge type and show its description; the tenant
// lists carry and show the name.
#include "criteria/CriteriaDesign.h"
#include "criteria/PageLists.h"
#include "criteria/frmRepCriteria.h"
#include "data/clsRecordset.h"
#include "runtime/ComError.h"
#include "service/SharedObjects.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

using K = ControlKind;
constexpr auto form = "";

const DesignControl kPageContainers[] = {
    {K::Frame, "fraWOList", {}, form, "", 180, 300, 5895, 4035, false},
    {K::TabControl, "tabWOSelect", {}, form, "", 1320, 480, 3285, 2895, false},
    {K::TabControl, "tabTransLedg", {}, form, "", 840, 360, 5655, 3195, false},
    {K::Frame, "fraUtilStmt", {}, form, "", 540, 120, 4875, 4155, false},
    {K::Frame, "fraRptParams", {}, form, "", 120, 300, 7095, 4215, false},
};

// Children follow their containers; positions are inside the container (on its tab page).
const DesignControl kPageControls[] = {
    // Service-call list.
    {K::Frame,
     "fraSelWORange",
     {},
     "fraWOList",
     "Select Range By Service Call Number Or By Unit",
     120,
     240,
     5655,
     1455,
     true},
    {K::OptionButton,
     "optWORange",
     {},
     "fraSelWORange",
     "Service Call #",
     240,
     300,
     1815,
     255,
     true},
    {K::OptionButton, "optUnitRange", {}, "fraSelWORange", "Unit #", 2400, 300, 1335, 255, true},
    {K::GridCombo, "cboWOStart", {}, "fraSelWORange", "", 240, 780, 2175, 315, true},
    {K::Label, "lblToWO", {}, "fraSelWORange", "To", 2580, 810, 375, 255, true},
    {K::GridCombo, "cboWOEnd", {}, "fraSelWORange", "", 3120, 780, 2175, 315, true},
    {K::GridCombo, "cboUnitStart", {}, "fraSelWORange", "", 240, 780, 2175, 315, true},
    {K::Label, "lblToUnit", {}, "fraSelWORange", "To", 2580, 810, 375, 255, true},
    {K::GridCombo, "cboUnitEnd", {}, "fraSelWORange", "", 3120, 780, 2175, 315, true},
    {K::Frame, "fraWOStatus", {}, "fraWOList", "Service Call Status", 120, 1860, 2655, 1455, true},
    {K::OptionButton, "optWOOpen", {}, "fraWOStatus", "Open", 240, 300, 1815, 255, true},
    {K::OptionButton, "optWOClosed", {}, "fraWOStatus", "Closed", 240, 660, 1815, 255, true},
    {K::OptionButton, "optWOAll", {}, "fraWOStatus", "All", 240, 1020, 1815, 255, true},
    {K::Frame, "fraWOSortOpts", {}, "fraWOList", "Sort Options", 3000, 1860, 2775, 1455, true},
    {K::OptionButton, "optUnit", {}, "fraWOSortOpts", "Unit", 240, 300, 2295, 255, true},
    {K::OptionButton,
     "optWONum",
     {},
     "fraWOSortOpts",
     "Service Call Number",
     240,
     660,
     2295,
     255,
     true},
    // Service-call selection: tab 0 numbers, tab 1 dates (off until the check box turns them on).
    {K::Label,
     "Label3",
     {},
     "tabWOSelect",
     "Select Service Call Number Range",
     240,
     480,
     4215,
     255,
     true,
     0},
    {K::Label, "Label1", {}, "tabWOSelect", "Start Range:", 240, 1020, 1215, 255, true, 0},
    {K::GridCombo, "cboWONumStart", {}, "tabWOSelect", "", 1560, 990, 1935, 315, true, 0},
    {K::Label, "Label2", {}, "tabWOSelect", "End Range:", 240, 1500, 1215, 255, true, 0},
    {K::GridCombo, "cboWONumEnd", {}, "tabWOSelect", "", 1560, 1470, 1935, 315, true, 0},
    {K::Label, "Label6", {}, "tabWOSelect", "Select A Date Range", 240, 480, 4215, 255, true, 1},
    {K::CheckBox,
     "chkDateOn",
     {},
     "tabWOSelect",
     "Turn Date Criteria On",
     1980,
     840,
     2175,
     315,
     true,
     1},
    {K::Label, "Label4", {}, "tabWOSelect", "Start of Range:", 240, 1380, 1335, 255, true, 1},
    {K::DatePicker, "datStart", {}, "tabWOSelect", "", 1680, 1350, 1935, 315, true, 1},
    {K::Label, "Label5", {}, "tabWOSelect", "End of Range:", 240, 1860, 1335, 255, true, 1},
    {K::DatePicker, "datEnd", {}, "tabWOSelect", "", 1680, 1830, 1935, 315, true, 1},
    // Transaction ledger: tab 0 by unit, tab 1 by resident (lists on once an option is chosen).
    {K::Frame,
     "fraTransLedgTab1",
     {},
     "tabTransLedg",
     "Select Lease Option",
     240,
     480,
     5175,
     735,
     true,
     0},
    {K::OptionButton, "optCurr", {}, "fraTransLedgTab1", "Current", 240, 300, 1335, 255, true},
    {K::OptionButton, "optTerm", {}, "fraTransLedgTab1", "Terminated", 1800, 300, 1455, 255, true},
    {K::OptionButton, "optBoth", {}, "fraTransLedgTab1", "Both", 3480, 300, 1095, 255, true},
    {K::Label, "Label11", {}, "tabTransLedg", "From:", 240, 1500, 615, 255, true, 0},
    {K::GridCombo, "cboTLUnitStart", {}, "tabTransLedg", "", 900, 1470, 1935, 315, true, 0},
    {K::Label, "Label12", {}, "tabTransLedg", "To:", 2940, 1500, 375, 255, true, 0},
    {K::GridCombo, "cboTLUnitEnd", {}, "tabTransLedg", "", 3360, 1470, 1935, 315, true, 0},
    {K::Frame,
     "fraTransLedgTab2",
     {},
     "tabTransLedg",
     "Select Resident Account Option",
     240,
     480,
     5175,
     735,
     true,
     1},
    {K::OptionButton, "optActive", {}, "fraTransLedgTab2", "Active", 240, 300, 1335, 255, true},
    {K::OptionButton, "optClosed", {}, "fraTransLedgTab2", "Closed", 1800, 300, 1455, 255, true},
    {K::OptionButton, "optResBoth", {}, "fraTransLedgTab2", "Both", 3480, 300, 1095, 255, true},
    {K::Label, "Label9", {}, "tabTransLedg", "From:", 240, 1500, 615, 255, true, 1},
    {K::GridCombo, "cboResFrom", {}, "tabTransLedg", "", 900, 1470, 1935, 315, true, 1},
    {K::Label, "Label10", {}, "tabTransLedg", "To:", 2940, 1500, 375, 255, true, 1},
    {K::GridCombo, "cboResTo", {}, "tabTransLedg", "", 3360, 1470, 1935, 315, true, 1},
    // Utility statement.
    {K::Frame,
     "fraUtilDates",
     {},
     "fraUtilStmt",
     "Select Date Posted Options",
     120,
     240,
     4635,
     735,
     true},
    {K::DatePicker, "dteUtilStart", {}, "fraUtilDates", "", 240, 300, 1935, 315, true},
    {K::DatePicker, "dteUtilEnd", {}, "fraUtilDates", "", 2460, 300, 1935, 315, true},
    {K::Frame,
     "fraUtilChgType",
     {},
     "fraUtilStmt",
     "Select Charge Type Options",
     120,
     1080,
     4635,
     735,
     true},
    {K::GridCombo, "cboChgTypeStart", {}, "fraUtilChgType", "", 240, 300, 1935, 315, true},
    {K::GridCombo, "cboChgTypeEnd", {}, "fraUtilChgType", "", 2460, 300, 1935, 315, true},
    {K::Frame,
     "fraUtilTenantOpts",
     {},
     "fraUtilStmt",
     "Select Tenant Options",
     120,
     1920,
     4635,
     735,
     true},
    {K::GridCombo, "cboTenantStart", {}, "fraUtilTenantOpts", "", 240, 300, 1935, 315, true},
    {K::GridCombo, "cboTenantEnd", {}, "fraUtilTenantOpts", "", 2460, 300, 1935, 315, true},
    {K::Frame,
     "fraUtilSortOpts",
     {},
     "fraUtilStmt",
     "Set Sort Options",
     120,
     2760,
     4635,
     735,
     true},
    {K::OptionButton, "optUtilUnit", {}, "fraUtilSortOpts", "Unit", 240, 300, 1335, 255, true},
    {K::OptionButton, "optUtilName", {}, "fraUtilSortOpts", "Name", 2460, 300, 1335, 255, true},
    // Rent roll and delinquency.
    {K::Label, "lblStartDate", {}, "fraRptParams", "Report As Of:", 180, 540, 1155, 315, true},
    {K::DatePicker, "cboRPStartDate", {}, "fraRptParams", "", 1380, 510, 1335, 315, true},
    {K::Label, "lblEndDate", {}, "fraRptParams", "End Date:", 2880, 540, 975, 315, true},
    {K::DatePicker, "cboRPEndDate", {}, "fraRptParams", "", 3900, 510, 1335, 315, true},
    {K::Frame, "fraRptParamsSort", {}, "fraRptParams", "Sort Options", 240, 1140, 1995, 1095, true},
    {K::OptionButton,
     "optRptParamsUnit",
     {},
     "fraRptParamsSort",
     "Unit",
     240,
     300,
     1455,
     255,
     true},
    {K::OptionButton,
     "optRptParamsName",
     {},
     "fraRptParamsSort",
     "Name",
     240,
     660,
     1455,
     255,
     true},
    {K::Frame,
     "fraBalanceLimit",
     {},
     "fraRptParams",
     "Balance Options",
     2700,
     1140,
     4215,
     1095,
     false},
    {K::OptionButton, "optBalance", 0, "fraBalanceLimit", "Delinquent", 240, 300, 1695, 255, true},
    {K::OptionButton, "optBalance", 1, "fraBalanceLimit", "Zero", 240, 660, 1695, 255, true},
    {K::OptionButton, "optBalance", 2, "fraBalanceLimit", "Pre-Pd", 2160, 300, 1695, 255, true},
    {K::OptionButton, "optBalance", 3, "fraBalanceLimit", "All", 2160, 660, 1695, 255, true},
    {K::Frame,
     "fraIncludeCalc",
     {},
     "fraRptParams",
     "Calculation Options",
     2880,
     1140,
     3975,
     1035,
     true},
    {K::CheckBox,
     "chkIncludeLate",
     {},
     "fraIncludeCalc",
     "Include Accruing Late Charges In Calculation",
     120,
     300,
     3735,
     255,
     true},
    {K::CheckBox,
     "chkIncludeDep",
     {},
     "fraIncludeCalc",
     "Include Delinquent Deposits Calculation",
     120,
     660,
     3735,
     255,
     true},
    {K::Frame, "fraAmounts", {}, "fraRptParams", "Amount Options", 300, 2820, 4155, 975, true},
    {K::Label,
     "lblAmtsGreater",
     {},
     "fraAmounts",
     "Include Delinquents Greater Than:",
     120,
     300,
     2655,
     255,
     true},
    {K::TextBox, "txtInclDelqGreater", {}, "fraAmounts", "", 2880, 270, 1095, 315, true},
    {K::Label,
     "lblAmtsLessThan",
     {},
     "fraAmounts",
     "Include Delinquents Less Than:",
     120,
     600,
     2655,
     255,
     true},
    {K::TextBox, "txtInclDelqLess", {}, "fraAmounts", "", 2880, 570, 1095, 315, true},
    {K::Frame,
     "fraCurrFormerRes",
     {},
     "fraRptParams",
     "Resident Status",
     4980,
     2820,
     1875,
     975,
     true},
    {K::CheckBox,
     "chkCurrentRes",
     {},
     "fraCurrFormerRes",
     "Current Resident",
     120,
     300,
     1635,
     255,
     true},
    {K::CheckBox,
     "chkFormerRes",
     {},
     "fraCurrFormerRes",
     "Former Resident",
     120,
     600,
     1635,
     255,
     true},
};

void SetListColumns(Form& dialog, std::initializer_list<const char*> lists,
                    std::vector<GridColumn> columns, int valueColumn, int displayColumn) {
    for (const char* name : lists) {
        dialog.Get(name)
            .SetColumns(columns)
            .SetValueColumn(valueColumn)
            .SetDisplayColumn(displayColumn);
    }
}

constexpr int32_t TypeMismatch = 13;

}  // namespace

RecordsetPtr OpenListQuery(const std::string& sql) {
    RecordsetPtr rows;
    if (!SharedRecordset().GetRS(sql, rows, false) || !rows || !rows->IsOpen()) {
        return nullptr;
    }
    return rows;
}

void CommonListFill(std::initializer_list<Control*> lists, Recordset& rows) {
    for (Control* list : lists) {
        list->ClearList();
    }
    const int fields = rows.FieldCount();
    for (; !rows.EOF(); rows.MoveNext()) {
        std::vector<std::string> cells;
        for (int field = 0; field < fields; ++field) {
            cells.push_back(rows.Value(field).DisplayText());
        }
        for (Control* list : lists) {
            list->AddRow(cells);
        }
    }
}

bool frmRepCriteria::CheckUnitInList(Control& units) {
    if (units.Text().empty() || units.SelectedRow() >= 0) {
        return true;
    }
    FailCheck("The unit \"" + units.Text() + "\" is not in the list (" + units.DisplayName() +
                  "). Choose a unit from the list.",
              "Hearthline", units);
    return false;
}

double frmRepCriteria::NumberIn(const Control& control, const std::string& text) const {
    try {
        return Variant(text).ToDouble();
    } catch (const ComError&) {
        throw ComError(TypeMismatch, "frmRepCriteria",
                       "Type mismatch: dialog '" + Title() + "', control " + control.DisplayName() +
                           " holds \"" + text + "\", which is not a number");
    }
}

void frmRepCriteria::DesignPages() {
    AddDesignControls(*this, kPageContainers);
    Get("tabWOSelect").SetTabCaptions({"SC Number", "SC Dates"});
    Get("tabTransLedg").SetTabCaptions({"By Unit", "By Resident"});
    AddDesignControls(*this, kPageControls);

    SetListColumns(*this, {"cboWOStart", "cboWOEnd", "cboWONumStart", "cboWONumEnd"},
                   {{"WONum", "WONum"}}, 0, 0);
    SetListColumns(*this, {"cboUnitStart", "cboUnitEnd"},
                   {{"Unit", "Unit"}, {"SortOrder", "SortOrder"}}, 0, 0);
    SetListColumns(*this, {"cboTLUnitStart", "cboTLUnitEnd"},
                   {{"SortOrder", "SortOrder"}, {"Unit", "Unit"}}, 0, 1);
    SetListColumns(*this, {"cboResFrom", "cboResTo"}, {{"Name", "Name"}, {"Resident", "Resident"}},
                   0, 0);
    SetListColumns(*this, {"cboChgTypeStart", "cboChgTypeEnd"},
                   {{"ChargeType", "ChargeType"}, {"Description", "Description"}}, 0, 1);
    SetListColumns(*this, {"cboTenantStart", "cboTenantEnd"}, {{"Unit", "Unit"}, {"Name", "Name"}},
                   1, 1);
    Get("cboResFrom").SetEnabled(false);
    Get("cboResTo").SetEnabled(false);
    Get("datStart").SetEnabled(false);
    Get("datEnd").SetEnabled(false);
    Get("txtInclDelqGreater").SetText("1.00");
    Get("txtInclDelqLess").SetText("999,999.00");
    // Rent roll balances start with current residents only.
    Get("chkCurrentRes").SetValue(Variant::Integer(vbChecked));

    // Presets, before any handler is wired, so that selecting them runs nothing.
    for (const char* option :
         {"optUnit", "optWOOpen", "optWORange", "optCurr", "optRptParamsUnit"}) {
        Get(option).SetValue(true);
    }
    Get("optBalance", 0).SetValue(true);
    WirePageHandlers();
}

void frmRepCriteria::WirePageHandlers() {
    // Service-call list.
    const std::pair<const char*, const char*> statuses[] = {
        {"optWOOpen", "OPEN"}, {"optWOClosed", "CLOSED"}, {"optWOAll", "ALL"}};
    for (const auto& [option, status] : statuses) {
        Get(option).handlers.click = [this, status = std::string(status)] {
            status_ = status;
            FillServiceCallLists();
        };
    }
    Get("optUnit").handlers.click = [this] { sort_ = "UNIT"; };
    Get("optWONum").handlers.click = [this] { sort_ = "WO"; };
    Get("optWORange").handlers.click = [this] { ShowServiceCallRange(true); };
    Get("optUnitRange").handlers.click = [this] { ShowServiceCallRange(false); };

    // Service-call selection.
    Get("chkDateOn").handlers.click = [this] {
        const bool on = Get("chkDateOn").IsChecked();
        Get("datStart").SetEnabled(on);
        Get("datEnd").SetEnabled(on);
    };

    // Transaction ledger.
    Get("tabTransLedg").handlers.tabChange = [this](int) {
        sort_ = Get("tabTransLedg").SelectedTab() == 1 ? "Resident" : "Unit";
    };
    const std::pair<const char*, const char*> leases[] = {
        {"optCurr", "Active"}, {"optTerm", "Closed"}, {"optBoth", "Both"}};
    for (const auto& [option, word] : leases) {
        Get(option).handlers.click = [this, word = std::string(word)] { ledgerStatus_ = word; };
    }
    const std::tuple<const char*, const char*, const char*> accounts[] = {
        {"optActive", "ResStatus = 'Active'", "Active"},
        {"optClosed", "ResStatus = 'Closed'", "Closed"},
        {"optResBoth", "", "Both"}};
    for (const auto& [option, filter, word] : accounts) {
        Get(option).handlers.click = [this, filter = std::string(filter),
                                      word = std::string(word)] {
            Get("cboTLUnitStart").SetSelectedRow(-1);
            Get("cboTLUnitEnd").SetSelectedRow(-1);
            residentFilter_ = filter;
            ledgerStatus_ = word;
            RefillResidentLists();
        };
    }
    for (const char* units : {"cboTLUnitStart", "cboTLUnitEnd"}) {
        Get(units).handlers.rowPicked = [this] {
            Get("cboResFrom").SetSelectedRow(-1);
            Get("cboResTo").SetSelectedRow(-1);
        };
    }
    Get("chk1").handlers.click = [this] {
        if (whatRep_ == "TransLedg") {
            PrintForAllDates();
        }
    };

    // Utility statement.
    Get("optUtilUnit").handlers.click = [this] { sort_ = "Unit"; };
    Get("optUtilName").handlers.click = [this] { sort_ = "Name"; };
    Get("cboChgTypeStart").handlers.rowPicked = [this] {
        Get("cboChgTypeEnd").SetValue(Get("cboChgTypeStart").Value());
    };
    Get("cboTenantStart").handlers.rowPicked = [this] {
        Get("cboTenantEnd").SetValue(Get("cboTenantStart").Value());
    };
    for (const char* list :
         {"cboChgTypeStart", "cboChgTypeEnd", "cboTenantStart", "cboTenantEnd"}) {
        Get(list).handlers.keyPress = [this, list](int& keyAscii) {
            if (keyAscii != KeyEnter && keyAscii != KeyEscape) {
                Get(list).SetDroppedDown(true);
            }
        };
    }
    Get("dteUtilStart").handlers.change = [this] {
        Get("dteUtilEnd").SetValue(Get("dteUtilStart").Value());
    };
}

}  // namespace hlreports
