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

    void Preview();
    void Print();
    void CancelCriteria();
    // False when a check failed (its message was shown and the focus moved).
    bool Collect();
    bool CollectPostedReceipts();
    void FailCheck(const std::string& message, Control& focusTarget);
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
};

// The SQL literal of a picked post date: 'YYYY-MM-DD' for a date (a missing value is today),
// Null for the empty date texts "", "  /  /  " and "00/00/00", and "" for anything else.
std::string SqlDateLiteral(const Variant& value);

}  // namespace hlreports
