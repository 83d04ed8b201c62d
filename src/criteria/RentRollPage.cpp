// The rent roll and delinquency page of frmRepCriteria (RptParams), prepared by report kind:
// 0 rent roll balances, 1 rent roll of all units, 2 comprehensive delinquency. Option captions,
// codes and texts are those the report files print ("Rent Roll All Units" sorts by "Unit" or
// "Unit Class" and sends "U" or "T").
#include "criteria/frmRepCriteria.h"
#include "runtime/Session.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

constexpr int32_t RentRollBalances = 0;
constexpr int32_t RentRollAllUnits = 1;
constexpr int32_t CompDelinquency = 2;

void Show(Control& control, bool shown) {
    control.SetEnabled(shown).SetVisible(shown);
}

std::string YesNo(bool checked) {
    return checked ? "Y" : "N";
}

}  // namespace

void frmRepCriteria::RptParams(int32_t enumSpecialReport) {
    whatRep_ = "rptParams";
    Get("fraRptParams").SetVisible(true);
    rememberedPointer_ = TheUi().GetMousePointer();
    TheUi().SetMousePointer(vbDefault);
    propertyName_ = TheSession().settings.propertyName;
    reportKind_ = enumSpecialReport;
    PrepareRentRoll(enumSpecialReport);
    ShowModal();
}

void frmRepCriteria::PrepareRentRoll(int32_t kind) {
    const Variant today(Date::Today());
    Control& start = Get("cboRPStartDate");
    if (kind == CompDelinquency) {
        SetCaption("Comprehensive Delinquency");
        Get("lblStartDate").SetCaption("As Of Date: ");
        Show(start, true);
        start.SetValue(today);
        Show(Get("lblEndDate"), false);
        Show(Get("cboRPEndDate"), false);
        Get("chkIncludeDep").SetValue(Variant::Integer(vbChecked));
        Get("chkIncludeLate").SetValue(Variant::Integer(vbChecked));
        Show(Get("fraRptParamsSort"), false);
        Get("chkCurrentRes").SetValue(Variant::Integer(vbChecked));
        Get("chkFormerRes").SetValue(Variant::Integer(vbChecked));
        Get("txtInclDelqLess").SetText("999,999.00");
        Get("txtInclDelqGreater").SetText("1.00");
        return;
    }
    if (kind == RentRollAllUnits) {
        SetCaption("Rent Roll All Units");
        Show(Get("fraRptParamsSort"), true);
        Get("optRptParamsName").SetCaption("Unit Class");
        Get("optRptParamsUnit").SetCaption("Unit").SetValue(true);
        Show(start, true);
        start.SetValue(today);
        Get("lblStartDate").SetEnabled(true);
        for (const char* name : {"lblEndDate", "cboRPEndDate", "fraAmounts", "fraBalanceLimit",
                                 "fraIncludeCalc", "fraCurrFormerRes"}) {
            Show(Get(name), false);
        }
        return;
    }
    if (kind == RentRollBalances) {
        SetCaption("Rent Roll Balances");
        Show(start, true);
        start.SetValue(today);
        Get("lblStartDate").SetCaption("Start Date: ");
        Control& end = Get("cboRPEndDate");
        Show(end, true);
        end.SetValue(Variant(Date::Today().AddDays(30)));
        Get("lblEndDate").SetCaption("End Date: ");
        Get("fraBalanceLimit").SetVisible(true);
        Show(Get("fraIncludeCalc"), false);
        Show(Get("fraAmounts"), false);
        Get("chk1").SetCaption("Include Applicants").SetValue(Variant::Integer(vbChecked));
        Get("chk1").Move(5225, 2760).SetWidth(1635).SetVisible(true);
    }
}

void frmRepCriteria::CollectRentRoll() {
    const auto checked = [this](const char* name) { return Get(name).IsChecked(); };
    const std::string current = checked("chkCurrentRes") ? "C" : "N";
    const bool former = checked("chkFormerRes");
    const std::string currFormer = current == "C" && former ? "B" : (former ? "F" : current);
    const std::string unitOr = checked("optRptParamsUnit") ? "U" : "";
    if (reportKind_ == RentRollAllUnits) {
        startDate_ = Get("cboRPStartDate").Value().ToDate();
        sort_ = unitOr.empty() ? "T" : unitOr;
    } else if (reportKind_ == CompDelinquency) {
        startDate_ = Get("cboRPStartDate").Value().ToDate().DateOnly();
        sort_ = unitOr.empty() ? "N" : unitOr;
        currFormer_ = currFormer;
        inclDeps_ = YesNo(checked("chkIncludeDep"));
        inclLateChg_ = YesNo(checked("chkIncludeLate"));
        const Control& less = Get("txtInclDelqLess");
        const Control& greater = Get("txtInclDelqGreater");
        amtLessThan_ = NumberIn(less, less.Text());
        amtGreaterThan_ = NumberIn(greater, greater.Text());
    } else if (reportKind_ == RentRollBalances) {
        sort_ = unitOr.empty() ? "N" : unitOr;
        currFormer_ = currFormer;
        check1_ = checked("chk1");
        endDate_ = Get("cboRPEndDate").Value().ToDate();
        startDate_ = Get("cboRPStartDate").Value().ToDate();
        const char* const limits[] = {"D", "Z", "P", "A"};
        for (int index = 0; index < 4; ++index) {
            if (Get("optBalance", index).IsChecked()) {
                balanceLimit_ = limits[index];
                break;
            }
        }
    }
    TheUi().SetMousePointer(rememberedPointer_);
}

}  // namespace hlreports
