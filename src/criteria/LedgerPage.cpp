// The transaction ledger page of frmRepCriteria (TransLedg): a date range, and either a range of
// units (by their sort order, with the lease status) or a range of residents (by name, with the
// account status). Its answers go back through the procedure's arguments, also after Cancel;
// the resident list is loaded once per dialog and filtered by the account option.
#include "criteria/PageLists.h"
#include "criteria/frmRepCriteria.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

// "Print For All Dates": 1 January 1900 and 6 June 2079, the day numbers 2 and 65537.
constexpr double FirstOfAllDates = 2;
constexpr double LastOfAllDates = 65537;

}  // namespace

void frmRepCriteria::TransLedg(Date& datFrom, Date& datTo, std::string& strStatus,
                               std::string& strSort, double& dblUnitStart, double& dblUnitEnd,
                               std::string& strResFrom, std::string& strResTo) {
    whatRep_ = "TransLedg";
    Get("fraDateRange").SetTop(3720).SetVisible(true);
    Get("tabTransLedg").SetVisible(true);
    Get("chk1").SetCaption("Print For All Dates").BringToFront().SetTop(3690).SetWidth(1870);
    Get("chk1").SetVisible(true);
    ledgerStatus_ = "Active";
    sort_ = "Unit";
    Get("dtpFrom").SetValue(Variant(datFrom));
    Get("dtpTo").SetValue(Variant(datTo));
    RecordsetPtr units =
        OpenListQuery("Select SortOrder, Unit From tblProp_Unit WHERE Property = " +
                      SqlQuoted(TheSession().settings.propertyId) + " ORDER BY SortOrder");
    if (units) {
        CommonListFill({&Get("cboTLUnitStart"), &Get("cboTLUnitEnd")}, *units);
        units->Close();
    }
    TheUi().SetMousePointer(vbDefault);
    ShowModal();

    datFrom = Get("dtpFrom").Value().ToDate();
    datTo = Get("dtpTo").Value().ToDate();
    strStatus = ledgerStatus_;
    strSort = sort_;
    if (strSort != "Unit") {
        strResFrom = Get("cboResFrom").Value().ToString();
        strResTo = Get("cboResTo").Value().ToString();
        return;
    }
    // After a cancel a typed value that is no number must not turn the cancel into an error.
    const auto sortOrder = [this](const char* name, double& target) {
        const Control& list = Get(name);
        const std::string value = list.Value().ToString();
        try {
            target = value.empty() ? 0 : NumberIn(list, value);
        } catch (const ComError&) {
            if (result_) {
                throw;
            }
        }
    };
    sortOrder("cboTLUnitStart", dblUnitStart);
    sortOrder("cboTLUnitEnd", dblUnitEnd);
}

void frmRepCriteria::RefillResidentLists() {
    if (!ledgerResidents_) {
        ledgerResidents_ = OpenListQuery(
            "select r.Account_Status as ResStatus, r.Name From tbllease l, tblResident r,"
            "tblResident_Lease rl Where l.Property = " +
            SqlQuoted(TheSession().settings.propertyId) +
            " And rl.Resident = r.Resident And rl.Lease = l.Lease And rl.Revision_Num = "
            "l.Revision_Num Order By r.Name");
    }
    if (ledgerResidents_) {
        ledgerResidents_->SetFilter(residentFilter_);
        if (ledgerResidents_->RecordCount() > 0) {
            Control& from = Get("cboResFrom");
            Control& to = Get("cboResTo");
            from.ClearList();
            to.ClearList();
            for (ledgerResidents_->MoveFirst(); !ledgerResidents_->EOF();
                 ledgerResidents_->MoveNext()) {
                const std::string name = ledgerResidents_->Value("Name").DisplayText();
                from.AddRow({name});
                to.AddRow({name});
            }
            from.SetEnabled(true);
            to.SetEnabled(true);
        }
    }
    TheUi().SetMousePointer(vbDefault);
}

void frmRepCriteria::PrintForAllDates() {
    Control& from = Get("dtpFrom");
    Control& to = Get("dtpTo");
    if (Get("chk1").IsChecked()) {
        rememberedFrom_ = from.Value();
        rememberedTo_ = to.Value();
        from.SetValue(Variant(Date(FirstOfAllDates))).SetEnabled(false);
        to.SetValue(Variant(Date(LastOfAllDates))).SetEnabled(false);
        return;
    }
    from.SetEnabled(true).SetValue(rememberedFrom_);
    to.SetEnabled(true).SetValue(rememberedTo_);
}

bool frmRepCriteria::CheckLedgerRanges() {
    TheUi().SetMousePointer(vbDefault);
    const auto empty = [this](const char* name) { return Get(name).Text().empty(); };
    if ((empty("cboTLUnitStart") || empty("cboTLUnitEnd")) &&
        (empty("cboResFrom") || empty("cboResTo"))) {
        TheUi().MsgBox("You must select a range of values for either Resident or Unit.", vbOKOnly,
                       "Hearthline");
        return false;
    }
    return sort_ != "Unit" ||
           (CheckUnitInList(Get("cboTLUnitStart")) && CheckUnitInList(Get("cboTLUnitEnd")));
}

}  // namespace hlreports
