// frmRepCriteria's design (controls, captions, geometry, visibility before a layout), its key
// preview and activation, and how the dialog is finished: Preview, Print, Cancel, the collection
// by layout and the checks of the posted cash receipts layout.
#include "criteria/frmRepCriteria.h"

#include <array>
#include <optional>

#include "criteria/CriteriaDesign.h"
#include "runtime/Err.h"
#include "runtime/Session.h"
#include "service/CriteriaWindowHabits.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

constexpr int32_t CancelledByUser = 20545;
constexpr const char* CheckTitle = "HLS-Reports";

using K = ControlKind;
constexpr auto form = "";

// Positions of children are inside their frame. Controls that a layout does not name stay
// hidden; the uncaptioned labels that are shown stay in place, empty.
const DesignControl kDesign[] = {
    {K::Label, "lblDate1", {}, form, "", 420, 1020, 1935, 255, false},
    {K::DatePicker, "datDate1", {}, form, "", 2460, 960, 1935, 315, false},
    {K::Label, "lblDate2", {}, form, "", 60, 1800, 2295, 255, true},
    {K::DatePicker, "datDate2", {}, form, "", 2460, 1800, 1935, 315, false},
    {K::Label, "lblDate3", {}, form, "", 240, 1320, 2115, 255, true},
    {K::DatePicker, "datDate3", {}, form, "", 2460, 1380, 1935, 315, false},
    {K::Label, "lblDesc", {}, form, "", 5220, 1320, 2835, 315, true},
    {K::Label, "lblCombo1", {}, form, "Label7", 420, 1800, 1935, 255, false},
    {K::GridCombo, "cboCombo", 0, form, "", 2460, 960, 1935, 315, false},
    {K::GridCombo, "cboCombo", 1, form, "", 2460, 1800, 1935, 315, false},
    {K::CheckBox, "chk1", {}, form, "", 2400, 3840, 3000, 315, false},
    {K::CheckBox, "chk2", {}, form, "", 2400, 2460, 3000, 255, false},
    {K::Frame, "fraSortOpts", {}, form, "Sort Options", 360, 2340, 2655, 1455, false},
    {K::OptionButton, "optSort1", {}, "fraSortOpts", "", 780, 300, 1815, 255, false},
    {K::OptionButton, "optSort2", {}, "fraSortOpts", "", 780, 600, 1755, 315, false},
    {K::OptionButton, "optSort3", {}, "fraSortOpts", "", 780, 960, 1815, 255, false},
    {K::Frame, "fraShowOpts", {}, form, "Show", 3180, 2340, 2715, 1455, false},
    {K::OptionButton, "optShow1", {}, "fraShowOpts", "", 420, 300, 2115, 315, false},
    {K::OptionButton, "optShow2", {}, "fraShowOpts", "", 420, 660, 2235, 255, false},
    {K::OptionButton, "optShow3", {}, "fraShowOpts", "", 420, 960, 2235, 315, false},
    {K::Frame, "frmCheckBoxes", {}, form, "", 660, 2580, 5355, 675, false},
    {K::CheckBox, "chkCB1Frm1", {}, "frmCheckBoxes", "", 360, 300, 1395, 255, true},
    {K::CheckBox, "chkCB2Frm1", {}, "frmCheckBoxes", "", 2040, 300, 1335, 255, true},
    {K::CheckBox, "chkCB3Frm1", {}, "frmCheckBoxes", "", 3600, 300, 1575, 255, true},
    {K::Label,
     "lblRentStatement1",
     {},
     form,
     "This report prints only transactions created since the last time rent statements were "
     "run. Use the Transaction Ledger to print all transactions for a specified date range.",
     240,
     4080,
     6135,
     615,
     false},
    {K::Label,
     "lblRentStatement2",
     {},
     form,
     "Statement detail includes transactions for all residents on the lease.",
     240,
     4320,
     6015,
     255,
     false},
    {K::Frame, "fraDateRange", {}, form, "Date Range", 840, 3720, 5655, 855, false},
    {K::Label, "lblFrom", {}, "fraDateRange", "From:", 120, 360, 735, 255, true},
    {K::DatePicker, "dtpFrom", {}, "fraDateRange", "", 720, 330, 1335, 315, true},
    {K::Label, "lblTo", {}, "fraDateRange", "To:", 2760, 360, 375, 255, true},
    {K::DatePicker, "dtpTo", {}, "fraDateRange", "", 3240, 330, 1335, 315, true},
    {K::CommandButton, "cmdPrint", {}, form, "&Print", 2940, 4680, 975, 495, true},
    {K::CommandButton, "cmdPreview", {}, form, "P&review", 4380, 4680, 1095, 495, true},
    {K::CommandButton, "cmdCancel", {}, form, "&Cancel", 5820, 4680, 975, 495, true},
};

// "Option1".."Option3" for the first selected button; a two-button group gives "Option2"
// whenever the first is not selected.
std::string ChosenOption(const Form& dialog, const std::string& prefix, int count) {
    for (int i = 1; i <= count; ++i) {
        if (dialog.Get(prefix + std::to_string(i)).IsChecked()) {
            return "Option" + std::to_string(i);
        }
    }
    return count == 2 ? "Option2" : "";
}

// What Preview collects for each generic layout (CRPosted has checks and its own step).
struct Collection {
    const char* layout;
    int sortButtons;  // 0: Sort is not collected
    int showButtons;  // 0: View is not collected
    bool startDate;
    bool endDate;
};

const Collection kCollections[] = {
    {"OptsOnly2", 2, 0, false, false},       {"DateOnly", 0, 0, true, false},
    {"StartEnd", 0, 0, true, true},          {"StartEnd2Options", 2, 0, true, true},
    {"StartEnd3Options", 3, 0, true, true},  {"StartEndSort2Show3", 2, 3, true, true},
    {"StartEndCkbox3", 0, 0, true, true},    {"Sort2Show2", 2, 0, false, false},
    {"DateCboResidents", 0, 0, true, false}, {"Asof3Opts1Ck", 0, 3, true, false},
    {"Asof3Opts2Ck", 0, 3, true, false},     {"OtherUBT", 0, 0, false, false},
};

const Collection* CollectionOf(const std::string& layout) {
    for (const Collection& collection : kCollections) {
        if (layout == collection.layout) {
            return &collection;
        }
    }
    return nullptr;
}

}  // namespace

frmRepCriteria::frmRepCriteria() : Form("frmRepCriteria", "Report Criteria") {
    Design();
    ApplyCriteriaWindowHabits(*this, [this] { CancelCriteria(); });
    Get("cmdPreview").handlers.click = [this] { Preview(); };
    Get("cmdPrint").handlers.click = [this] { Print(); };
    Get("cmdCancel").handlers.click = [this] { CancelCriteria(); };
    Get("cboCombo", 0).handlers.rowPicked = [this] { ListBatches(); };
}

void AddDesignControls(Form& form, std::span<const DesignControl> design) {
    for (const DesignControl& row : design) {
        Control& control = form.Add(row.kind, row.name, row.index);
        if (*row.container != '\0') {
            control.SetContainer(form.Get(row.container), row.tab);
        }
        control.Move(row.left, row.top, row.width, row.height);
        control.SetCaption(row.caption).SetVisible(row.shown);
    }
}

void frmRepCriteria::Design() {
    Move(0, 0, 7380, 5280);
    AddDesignControls(*this, kDesign);
    for (int member = 0; member < 2; ++member) {
        Get("cboCombo", member).SetColumnCount(2);
    }
    Get("cmdCancel").SetCausesValidation(false);
    DesignPages();
}

void frmRepCriteria::Print() {
    TheSession().settings.destination = irToPrinter;
    Preview();
}

void frmRepCriteria::Preview() {
    result_ = true;
    TheUi().SetMousePointer(vbHourglass);
    if (!Collect()) {
        return;
    }
    Hide();
    SetCaption("");
    HideSharedControls(true);
}

void frmRepCriteria::CancelCriteria() {
    result_ = false;
    Cancel = true;
    TheUi().SetMousePointer(vbHourglass);
    Hide();
    SetCaption("");
    HideSharedControls(false);
    Err().SetPending(CancelledByUser, whatRep_, "");
}

void frmRepCriteria::HideSharedControls(bool allOfThem) {
    std::vector<std::string> names = {"lblDate1",    "datDate1", "lblDate2", "datDate2",
                                      "fraShowOpts", "optShow1", "optShow2", "optShow3"};
    if (allOfThem) {
        names.insert(names.end(),
                     {"chk1", "lblDesc", "fraSortOpts", "optSort1", "optSort2", "optSort3"});
    }
    for (const std::string& name : names) {
        Control& control = Get(name);
        control.SetVisible(false);
        if (control.Kind() != ControlKind::DatePicker) {
            control.SetCaption("");
        }
    }
    Get("optShow3").SetValue(false);
}

void frmRepCriteria::FailCheck(const std::string& message, const std::string& title,
                               Control& focusTarget) {
    TheUi().MsgBox(message, vbOKOnly, title);
    if (focusTarget.IsShown() && focusTarget.IsUsable()) {
        focusTarget.SetFocus();
    }
    TheUi().SetMousePointer(vbDefault);
}

bool frmRepCriteria::CollectPostedReceipts() {
    Control& dates = Get("cboCombo", 0);
    Control& batches = Get("cboCombo", 1);
    if (dates.Value().ToString().empty()) {
        FailCheck("You must select a date.", CheckTitle, dates);
        return false;
    }
    if (batches.Value().ToString().empty() && !Get("chk1").IsChecked()) {
        FailCheck("You must select a Batch# or check View All Batches.", CheckTitle, batches);
        return false;
    }
    combo1_ = dates.Value().ToString();
    combo2_ = batches.Value().ToString();
    if (Get("chk1").IsChecked()) {
        check1_ = true;
    }
    return true;
}

bool frmRepCriteria::Collect() {
    if (whatRep_ == "CRPosted") {
        return CollectPostedReceipts();
    }
    if (whatRep_ == "rptWO") {
        return CollectServiceCallSelection();
    }
    if (whatRep_ == "WOList") {
        return CollectServiceCallList();
    }
    if (whatRep_ == "TransLedg") {
        return CheckLedgerRanges();
    }
    if (whatRep_ == "UtilStmt") {
        CollectUtilityStatement();
        return true;
    }
    if (whatRep_ == "rptParams") {
        CollectRentRoll();
        return true;
    }
    const Collection* collection = CollectionOf(whatRep_);
    if (collection == nullptr) {
        return true;
    }
    const auto checked = [this](const char* name) { return Get(name).IsChecked(); };
    if (collection->sortButtons != 0) {
        sort_ = ChosenOption(*this, "optSort", collection->sortButtons);
    }
    if (collection->showButtons != 0) {
        view_ = ChosenOption(*this, "optShow", collection->showButtons);
    }
    if (collection->startDate) {
        startDate_ = Get("datDate1").Value().ToDate();
    }
    if (collection->endDate) {
        endDate_ = Get("datDate2").Value().ToDate();
    }
    if (whatRep_ == "Sort2Show2") {
        view_ = checked("optShow1") ? "All" : "";
    }
    if (whatRep_ == "StartEndCkbox3") {
        const std::array<const char*, 3> boxes = {"chkCB1Frm1", "chkCB2Frm1", "chkCB3Frm1"};
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            checkBoxFrm1_[i] = Get(boxes[i]).Value().ToLong() != 0;
        }
    }
    if (whatRep_ == "DateCboResidents" || whatRep_ == "OtherUBT") {
        combo2_ = Get("cboCombo", 1).Value().ToString();
    }
    if (whatRep_ == "Asof3Opts1Ck" || whatRep_ == "Asof3Opts2Ck") {
        check1_ = checked("chk1");
    }
    if (whatRep_ == "Asof3Opts2Ck") {
        check2_ = checked("chk2");
    }
    // OtherUBT never sets its checks back to False.
    if (whatRep_ == "OtherUBT" && checked("chk1")) {
        check1_ = true;
    }
    if (whatRep_ == "OtherUBT" && checked("chk2")) {
        check2_ = true;
    }
    return true;
}

}  // namespace hlreports
