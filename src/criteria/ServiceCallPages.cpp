// The two service-call pages of frmRepCriteria: the list page (WOList: a range of call numbers or
// of units, the call status and the sort) and the selection page (rptWO: a range of call numbers
// on one tab, or of opening dates on the other), with their list fills, handlers and what Preview
// collects from them.
#include "criteria/PageLists.h"
#include "criteria/frmRepCriteria.h"
#include "data/clsRecordset.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/SharedObjects.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

constexpr double NoUnitEnd = 999999;
constexpr double NoWorkOrderEnd = 9999;

std::string StatusFilter(const std::string& status) {
    if (status == "OPEN") {
        return "and DateClosed is Null";
    }
    if (status == "CLOSED") {
        return "and DateClosed is not Null";
    }
    return "";
}

// Both lists of a pair get the query's rows, when it opened and has any.
void FillPair(const std::string& sql, Control& start, Control& end) {
    RecordsetPtr rows = OpenListQuery(sql);
    if (!rows) {
        return;
    }
    if (!rows->EOF()) {
        CommonListFill({&start, &end}, *rows);
    }
    rows->Close();
}

}  // namespace

void frmRepCriteria::WOList() {
    whatRep_ = "WOList";
    Get("fraWOList").SetVisible(true);
    Get("optUnit").SetValue(true);
    sort_ = "UNIT";
    Get("optWOOpen").SetValue(true);
    status_ = "OPEN";
    Get("optWORange").SetValue(true);
    rangeType_ = "WO";
    rangeStart_ = 0;
    rangeEnd_ = NoWorkOrderEnd;
    for (const char* name : {"cboUnitStart", "lblToUnit", "cboUnitEnd"}) {
        Get(name).SetVisible(false);
    }
    FillServiceCallLists();
    SetCaption("Service Call List Criteria");
    ShowModal();
}

void frmRepCriteria::FillServiceCallLists() {
    const std::string property = SqlQuoted(TheSession().settings.propertyId);
    const std::string filter = StatusFilter(status_);
    FillPair("Select WorkOrder from tblWorkOrder where Property = " + property + filter +
                 " Order by WorkOrder",
             Get("cboWOStart"), Get("cboWOEnd"));
    FillPair(
        "Select WO.Unit, PU.SortOrder from tblWorkOrder WO, tblProp_Unit PU Where PU.Unit = "
        "WO.Unit and WO.Unit <> '' and WO.Property = " +
            property + " " + filter + " Order by PU.SortOrder",
        Get("cboUnitStart"), Get("cboUnitEnd"));
}

void frmRepCriteria::ShowServiceCallRange(bool byWorkOrder) {
    rangeType_ = byWorkOrder ? "WO" : "UNIT";
    for (const char* name : {"cboUnitStart", "lblToUnit", "cboUnitEnd"}) {
        Get(name).SetVisible(!byWorkOrder);
    }
    for (const char* name : {"cboWOStart", "lblToWO", "cboWOEnd"}) {
        Get(name).SetVisible(byWorkOrder);
    }
}

bool frmRepCriteria::CollectServiceCallList() {
    if (rangeType_ != "WO") {
        Control& start = Get("cboUnitStart");
        Control& end = Get("cboUnitEnd");
        if (!CheckUnitInList(start) || !CheckUnitInList(end)) {
            return false;
        }
        // Column 1 of the chosen row is the unit's sort order.
        const auto sortOrder = [this](const Control& units) {
            return NumberIn(units, units.List().Cell(units.SelectedRow(), 1));
        };
        rangeEnd_ = end.Text().empty() ? NoUnitEnd : sortOrder(end);
        rangeStart_ = start.Text().empty() ? 0 : sortOrder(start);
        return true;
    }
    const Control& start = Get("cboWOStart");
    const Control& end = Get("cboWOEnd");
    const std::string first = start.Value().ToString();
    const std::string last = end.Value().ToString();
    rangeStart_ = first.empty() ? 0 : NumberIn(start, first);
    rangeEnd_ = last.empty() ? NoWorkOrderEnd : NumberIn(end, last);
    return true;
}

void frmRepCriteria::rptWO() {
    whatRep_ = "rptWO";
    Control& tabs = Get("tabWOSelect");
    tabs.Move(360, 420, 5595, 3555);
    tabs.SetTabHeight(295).SetSelectedTab(0).SetVisible(true);
    SetCaption("Service Call Selection Criteria");
    RecordsetPtr rows =
        OpenListQuery("SELECT WorkOrder FROM tblWorkOrder Where Property = " +
                      SqlQuoted(TheSession().settings.propertyId) + " ORDER BY WorkOrder");
    if (rows) {
        for (; !rows->EOF(); rows->MoveNext()) {
            const std::string number = rows->Value(0).DisplayText();
            Get("cboWONumStart").AddRow({number});
            Get("cboWONumEnd").AddRow({number});
        }
        rows->Close();
    }
    TheUi().SetMousePointer(vbDefault);
    Get("datStart").SetValue(Variant(Date::Today()));
    Get("datEnd").SetValue(Variant(Date::Today()));
    result_ = true;
    ShowModal();
}

bool frmRepCriteria::CollectServiceCallSelection() {
    Control& tabs = Get("tabWOSelect");
    Control& start = Get("cboWONumStart");
    Control& end = Get("cboWONumEnd");
    if (tabs.SelectedTab() == 0) {
        for (Control* list : {&start, &end}) {
            if (list->Value().ToString().empty()) {
                FailCheck("You must enter a Starting and Ending WorkOrder Number.", "", *list);
                return false;
            }
        }
    } else {
        checkDate_ = Get("chkDateOn").Value().ToLong() != 0;
        startDate_ = Get("datStart").Value().ToDate();
        endDate_ = Get("datEnd").Value().ToDate();
    }
    combo1_ = start.Value().ToString();
    combo2_ = end.Value().ToString();
    return true;
}

}  // namespace hlreports
