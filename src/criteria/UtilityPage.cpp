// The utility statement page of frmRepCriteria (UtilStmt): the posting dates, a range of charge
// types and a range of tenants of the property's utility billing, and the sort. Choosing a start
// entry copies it into the end list, and a new start date becomes the end date too, so a single
// choice covers a range of one.
#include "criteria/PageLists.h"
#include "criteria/frmRepCriteria.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

// Fills both lists with the query's rows and chooses the first row's and the last row's value.
void FillRange(const std::string& sql, Control& start, Control& end) {
    RecordsetPtr rows = OpenListQuery(sql);
    if (!rows) {
        return;
    }
    CommonListFill({&start, &end}, *rows);
    rows->Close();
    const GridData& list = start.List();
    if (list.RowCount() > 0) {
        const int column = start.ValueColumn();
        start.SetValue(Variant(list.Cell(0, column)));
        end.SetValue(Variant(list.Cell(list.RowCount() - 1, column)));
    }
}

}  // namespace

void frmRepCriteria::UtilStmt(const std::string& strFormCaption) {
    whatRep_ = "UtilStmt";
    Get("fraUtilStmt").SetVisible(true);
    SetCaption(strFormCaption);
    TheUi().SetMousePointer(vbDefault);
    Get("dteUtilStart").SetValue(Variant(Date::Today()));
    Get("dteUtilEnd").SetValue(Variant(Date::Today()));
    Get("optUtilUnit").SetValue(true);
    sort_ = "Unit";
    const std::string property = SqlQuoted(TheSession().settings.propertyId);
    FillRange(
        "Select Distinct ub.ChargeType, ct.Charge_Description from tblUtilityBilling ub, "
        "tblCharge_Type ct, tblProperty p Where ub.Property = " +
            property +
            " And ub.Property = p.Property And p.Charge_Type_Table = ct.Charge_Type_Table And "
            "ub.ChargeType = ct.Charge_Type Order By ct.Charge_Description",
        Get("cboChgTypeStart"), Get("cboChgTypeEnd"));
    FillRange(
        "Select ub.Unit, r.Name From tblUtilityBilling ub, tblResident r, tblLease l, "
        "tblProp_Unit_Lease pul Where ub.Property = pul.Property And ub.Property = l.Property "
        "And ub.Unit = pul.Unit And pul.Lease = l.Lease And pul.Revision_Num = l.Revision_Num "
        "And l.Primary_Resident = r.Resident And ub.Property = " +
            property + " Group By ub.Unit, r.Name Order By r.Name",
        Get("cboTenantStart"), Get("cboTenantEnd"));
    ShowModal();
}

void frmRepCriteria::CollectUtilityStatement() {
    startDate_ = Get("dteUtilStart").Value().ToDate();
    endDate_ = Get("dteUtilEnd").Value().ToDate();
    startTenant_ = Get("cboTenantStart").Value().ToString();
    endTenant_ = Get("cboTenantEnd").Value().ToString();
    startCharge_ = Get("cboChgTypeStart").Value().ToString();
    endCharge_ = Get("cboChgTypeEnd").Value().ToString();
}

std::string frmRepCriteria::ChgDescription() const {
    const Control& start = Get("cboChgTypeStart");
    const std::string first = start.Value().ToString();
    if (first == "All" || Get("cboChgTypeEnd").Value().ToString() != first) {
        return "****  Utility Bill  ****";
    }
    return "****  " + start.Text() + "  ****";
}

}  // namespace hlreports
