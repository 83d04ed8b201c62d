// frmRepCriteria: the one modal criteria dialog of the standard reports. It holds the controls of
// every layout at once, with their design captions and geometry; a builder creates one instance
// per request, calls exactly one layout procedure (which arranges the controls, records its name
// in WhatRep and shows the dialog modally), then reads the result properties.
//
// Finishing: Preview collects the answers of the active layout and runs its checks (a failed
// check shows its message, moves the focus and keeps the dialog open); Print first sends the
// request to the printer (session destination 1). Cancel, and closing the window, hide the
// dialog with Result False and leave error 20545 pending (source = the layout's name) without
// throwing, which builders and the runner read as the user's cancel.
//
// Keys: the dialog previews every key and turns Enter into Tab, so Enter never presses a button.
// Layout procedures trap no errors: a failing control or recordset operation raises to the
// builder before the dialog is shown.
//
// Special pages: five containers (service-call list, service-call selection, transaction ledger,
// utility statement, rent roll and delinquency) lie hidden on the dialog until their procedure
// shows them; their option presets are selected when the dialog is created. Their list queries
// run through the shared recordset wrapper with every value quoted; a query that fails leaves its
// lists as they were. A unit typed into a unit range list that matches none of its rows is
// refused by Preview with a message (its value is a sort order no user can type).
#pragma once

#include <string>

#include "recordset/Recordset.h"
#include "runtime/Date.h"
#include "runtime/Variant.h"
#include "ui/Form.h"

namespace hlreports {

class frmRepCriteria : public Form {
  public:
    frmRepCriteria();

    // Public fields of the dialog's interface; the dialog itself never reads strBegOfMo.
    bool Cancel = false;
    std::string strBegOfMo;

    // --- Result properties (empty, False, zero until the user finishes) -------------------
    bool Result() const { return result_; }
    void SetWhatRep(std::string whatRep) { whatRep_ = std::move(whatRep); }
    const std::string& Sort() const { return sort_; }
    const std::string& View() const { return view_; }
    Date StartDate() const { return startDate_; }
    Date EndDate() const { return endDate_; }
    bool Check1() const { return check1_; }
    bool Check2() const { return check2_; }
    const std::string& Combo1() const { return combo1_; }
    const std::string& Combo2() const { return combo2_; }
    bool CheckBox1Frm1() const { return checkBoxFrm1_[0]; }
    bool CheckBox2Frm1() const { return checkBoxFrm1_[1]; }
    bool CheckBox3Frm1() const { return checkBoxFrm1_[2]; }
    void SetCheckBox1Frm1(bool value) { checkBoxFrm1_[0] = value; }
    void SetCheckBox2Frm1(bool value) { checkBoxFrm1_[1] = value; }
    void SetCheckBox3Frm1(bool value) { checkBoxFrm1_[2] = value; }
    // Results of the special pages.
    bool CheckDate() const { return checkDate_; }
    const std::string& Status() const { return status_; }
    const std::string& RangeType() const { return rangeType_; }
    double RangeStart() const { return rangeStart_; }
    double RangeEnd() const { return rangeEnd_; }
    const std::string& StartCharge() const { return startCharge_; }
    const std::string& EndCharge() const { return endCharge_; }
    const std::string& StartTenant() const { return startTenant_; }
    const std::string& EndTenant() const { return endTenant_; }
    // The heading of the charge range, worked out from the charge lists when read.
    std::string ChgDescription() const;
    const std::string& BalanceLimit() const { return balanceLimit_; }
    const std::string& CurrFormer() const { return currFormer_; }
    const std::string& InclLateChg() const { return inclLateChg_; }
    const std::string& InclDeps() const { return inclDeps_; }
    const std::string& PropertyName() const { return propertyName_; }
    double AmtGreaterThan() const { return amtGreaterThan_; }
    double AmtLessThan() const { return amtLessThan_; }

    // --- Layout procedures: each returns when the dialog has been closed -------------------
    void OptsOnly2(const std::string& strFormCaption, const std::string& strFrameCaption,
                   const std::string& strOption1, const std::string& strOption2);
    void DateOnly(const std::string& strFormCaption, Date dteDate, const std::string& strDateLabel);
    void StartEnd(const std::string& strFormCaption, Date dteStart, Date dteEnd,
                  const std::string& strLblStart, const std::string& strLblEnd);
    void StartEnd2Options(const std::string& strFormCaption, Date dteStart, Date dteEnd,
                          const std::string& strLblStart, const std::string& strLblEnd,
                          const std::string& strFrameCaption, const std::string& strOption1,
                          const std::string& strOption2);
    void StartEnd3Options(const std::string& strFormCaption, Date dteStart, Date dteEnd,
                          const std::string& strLblStart, const std::string& strLblEnd,
                          const std::string& strFrameCaption, const std::string& strOption1,
                          const std::string& strOption2, const std::string& strOption3);
    void StartEndSort2Show3(const std::string& strFormCaption, Date dteStart, Date dteEnd,
                            const std::string& strLblStart, const std::string& strLblEnd,
                            const std::string& strSort1, const std::string& strSort2,
                            const std::string& strShow1, const std::string& strShow2,
                            const std::string& strShow3);
    void StartEndCkbox3(const std::string& strFormCaption, Date dteStartDate, Date dteEndDate,
                        const std::string& strStartLbl, const std::string& strEndLbl,
                        const std::string& strFrameCaption, const std::string& strCkBx1,
                        const std::string& strCkBx2, const std::string& strCkBx3);
    void Sort2Show2(const std::string& strFormCaption, const std::string& strSort1,
                    const std::string& strSort2, const std::string& strShow1,
                    const std::string& strShow2);
    // The three dates come back through their arguments, also when the user cancels.
    void DateCboResidents(const std::string& strFormCaption, const std::string& strDateCaption,
                          Date& dteDate, const std::string& strCboCaption, Recordset& rstCombo,
                          const std::string& strDate2Caption, Date& datDate2,
                          const std::string& strDate3Caption, Date& datDate3);
    void Asof3Opts1Ck(const std::string& strFormCaption, Date dteAsOf,
                      const std::string& strLblAsOf, const std::string& strCkbCaption,
                      const std::string& strOption1, const std::string& strOption2,
                      const std::string& strOption3);
    void Asof3Opts2Ck(const std::string& strFormCaption, Date dteAsOf,
                      const std::string& strLblAsOf, const std::string& strCkb1Caption,
                      const std::string& strCkb2Caption, const std::string& strOption1,
                      const std::string& strOption2, const std::string& strOption3);
    // The list is filled by running strCboSQL through the shared recordset wrapper.
    void OtherUBT(const std::string& strFormCaption, const std::string& strCk1Caption,
                  const std::string& strCk2Caption, const std::string& strComboLabel,
                  const std::string& strCboSQL);
    // rstRS holds the posted dates in field 0; picking one lists that date's batches.
    void CRPosted(const std::string& strFormCaption, const std::string& strCk1Caption,
                  const std::string& strLbl1, const std::string& strLbl2, Recordset& rstRS);

    // --- Special pages: each returns when the dialog has been closed ----------------------
    void WOList();
    void rptWO();
    // The dates go in and out; every argument is written back also when the user cancels.
    void TransLedg(Date& datFrom, Date& datTo, std::string& strStatus, std::string& strSort,
                   double& dblUnitStart, double& dblUnitEnd, std::string& strResFrom,
                   std::string& strResTo);
    void UtilStmt(const std::string& strFormCaption);
    // 0 rent roll balances, 1 rent roll of all units, 2 comprehensive delinquency; any other
    // kind shows the page unprepared.
    void RptParams(int32_t enumSpecialReport);

    // Run-time additions that a future caller reads by name; nothing of the dialog reads them.
    void AddDatePicker(const std::string& strName, const std::string& strCaption, Date dteDefault);
    void AddOptionGroup(const std::string& strName, const std::string& strCaption,
                        const VariantArray& strOptions);

  private:
    void Design();
    void BeginLayout(const std::string& layoutName, const std::string& formCaption);
    void ShowLayout();
    void ShowDates(Date start, Date end, const std::string& startLabel,
                   const std::string& endLabel);
    void ShowSortOptions(int count, const std::string& option1, const std::string& option2,
                         const std::string& option3 = {});
    void ShowShowOptions(int count, const std::string& option1, const std::string& option2,
                         const std::string& option3 = {});
    void ShowAsOf(Date dteAsOf, const std::string& strLblAsOf, const std::string& strCkbCaption,
                  const std::string& strOption1, const std::string& strOption2,
                  const std::string& strOption3);
    void ListBatches();

    void DesignPages();
    void WirePageHandlers();
    void FillServiceCallLists();
    void ShowServiceCallRange(bool byWorkOrder);
    void RefillResidentLists();
    void PrintForAllDates();
    void PrepareRentRoll(int32_t kind);

    void Preview();
    void Print();
    void CancelCriteria();
    // False when a check failed (its message was shown and the focus moved).
    bool Collect();
    bool CollectPostedReceipts();
    bool CollectServiceCallSelection();
    bool CollectServiceCallList();
    bool CheckLedgerRanges();
    void CollectUtilityStatement();
    void CollectRentRoll();
    // False, with a message and the focus on the list, when a unit was typed that is no row.
    bool CheckUnitInList(Control& units);
    // The text as a number; text that is none raises 13 naming the dialog, control and text.
    double NumberIn(const Control& control, const std::string& text) const;
    // Shows the message (OK only), moves the focus to the target when it can take it and
    // restores the default mouse pointer.
    void FailCheck(const std::string& message, const std::string& title, Control& focusTarget);
    void HideSharedControls(bool allOfThem);

    bool result_ = false;
    std::string whatRep_;
    std::string sort_;
    std::string view_;
    Date startDate_;
    Date endDate_;
    bool check1_ = false;
    bool check2_ = false;
    std::string combo1_;
    std::string combo2_;
    bool checkBoxFrm1_[3] = {false, false, false};
    bool checkDate_ = false;
    std::string status_;
    std::string rangeType_;
    double rangeStart_ = 0;
    double rangeEnd_ = 0;
    std::string startCharge_;
    std::string endCharge_;
    std::string startTenant_;
    std::string endTenant_;
    std::string balanceLimit_;
    std::string currFormer_;
    std::string inclLateChg_;
    std::string inclDeps_;
    std::string propertyName_;
    double amtGreaterThan_ = 0;
    double amtLessThan_ = 0;

    // Page state besides the results.
    RecordsetPtr ledgerResidents_;
    std::string residentFilter_ = "ResStatus = 'Active'";
    std::string ledgerStatus_;
    Variant rememberedFrom_;
    Variant rememberedTo_;
    int32_t reportKind_ = -1;
    int32_t rememberedPointer_ = 0;
};

// The SQL literal of a picked post date: 'YYYY-MM-DD' for a date (a missing value is today),
// Null for the empty date texts "", "  /  /  " and "00/00/00", and "" for anything else.
std::string SqlDateLiteral(const Variant& value);

}  // namespace hlreports
