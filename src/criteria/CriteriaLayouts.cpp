// The generic layout procedures of frmRepCriteria, its run-time additions (AddDatePicker,
// AddOptionGroup), the three list fills and the batch list of the posted cash receipts layout.
// Every layout follows the same steps: record its name in WhatRep, caption the dialog, show,
// caption, place and preset its controls, then show the dialog modally.
#include <cstdint>
#include <limits>

#include "criteria/frmRepCriteria.h"
#include "data/clsRecordset.h"
#include "runtime/RuntimeErrors.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/SharedObjects.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

constexpr int32_t OverflowError = 6;

// 32-bit (or, for small, 16-bit) products as the classic integer arithmetic computes them.
int32_t CheckedProduct(int64_t a, int64_t b, bool small = false) {
    const int64_t product = a * b;
    const int64_t limit =
        small ? std::numeric_limits<int16_t>::max() : std::numeric_limits<int32_t>::max();
    if (product > limit || product < -limit - 1) {
        RaiseRuntimeError(OverflowError);
    }
    return static_cast<int32_t>(product);
}

std::string FieldText(const Recordset& rows, int field) {
    return rows.Value(field).ToString();
}

}  // namespace

void frmRepCriteria::BeginLayout(const std::string& layoutName, const std::string& formCaption) {
    whatRep_ = layoutName;
    SetCaption(formCaption);
}

void frmRepCriteria::ShowLayout() {
    TheUi().SetMousePointer(vbDefault);
    ShowModal();
}

void frmRepCriteria::ShowDates(Date start, Date end, const std::string& startLabel,
                               const std::string& endLabel) {
    Get("lblDate1").SetCaption(startLabel).SetVisible(true);
    Get("datDate1").SetValue(Variant(start)).SetVisible(true);
    Get("lblDate2").SetCaption(endLabel).SetVisible(true);
    Get("datDate2").SetValue(Variant(end)).SetVisible(true);
}

void frmRepCriteria::ShowSortOptions(int count, const std::string& option1,
                                     const std::string& option2, const std::string& option3) {
    Get("fraSortOpts").SetVisible(true);
    const std::string captions[] = {option1, option2, option3};
    for (int i = 0; i < count; ++i) {
        Get("optSort" + std::to_string(i + 1)).SetCaption(captions[i]).SetVisible(true);
    }
    Get("optSort1").SetValue(true);
}

void frmRepCriteria::ShowShowOptions(int count, const std::string& option1,
                                     const std::string& option2, const std::string& option3) {
    Get("fraShowOpts").SetVisible(true);
    const std::string captions[] = {option1, option2, option3};
    for (int i = 0; i < count; ++i) {
        Get("optShow" + std::to_string(i + 1)).SetCaption(captions[i]).SetVisible(true);
    }
    Get("optShow1").SetValue(true);
}

void frmRepCriteria::OptsOnly2(const std::string& strFormCaption,
                               const std::string& strFrameCaption, const std::string& strOption1,
                               const std::string& strOption2) {
    BeginLayout("OptsOnly2", strFormCaption);
    ShowSortOptions(2, strOption1, strOption2);
    Get("fraSortOpts").SetCaption(strFrameCaption).SetTop(1380).SetLeft(1800);
    ShowLayout();
}

void frmRepCriteria::DateOnly(const std::string& strFormCaption, Date dteDate,
                              const std::string& strDateLabel) {
    BeginLayout("DateOnly", strFormCaption);
    Get("lblDate1").SetCaption(strDateLabel).SetVisible(true);
    Get("datDate1").SetValue(Variant(dteDate)).SetVisible(true);
    ShowLayout();
}

void frmRepCriteria::StartEnd(const std::string& strFormCaption, Date dteStart, Date dteEnd,
                              const std::string& strLblStart, const std::string& strLblEnd) {
    BeginLayout("StartEnd", strFormCaption);
    ShowDates(dteStart, dteEnd, strLblStart, strLblEnd);
    ShowLayout();
}

void frmRepCriteria::StartEnd2Options(const std::string& strFormCaption, Date dteStart, Date dteEnd,
                                      const std::string& strLblStart, const std::string& strLblEnd,
                                      const std::string& strFrameCaption,
                                      const std::string& strOption1,
                                      const std::string& strOption2) {
    BeginLayout("StartEnd2Options", strFormCaption);
    ShowDates(dteStart, dteEnd, strLblStart, strLblEnd);
    ShowSortOptions(2, strOption1, strOption2);
    Get("fraSortOpts").SetCaption(strFrameCaption).SetTop(2655).SetLeft(1800);
    ShowLayout();
}

void frmRepCriteria::StartEnd3Options(const std::string& strFormCaption, Date dteStart, Date dteEnd,
                                      const std::string& strLblStart, const std::string& strLblEnd,
                                      const std::string& strFrameCaption,
                                      const std::string& strOption1, const std::string& strOption2,
                                      const std::string& strOption3) {
    BeginLayout("StartEnd3Options", strFormCaption);
    ShowDates(dteStart, dteEnd, strLblStart, strLblEnd);
    ShowSortOptions(3, strOption1, strOption2, strOption3);
    Get("fraSortOpts").SetCaption(strFrameCaption).SetTop(2655).SetLeft(1800);
    ShowLayout();
}

void frmRepCriteria::StartEndSort2Show3(const std::string& strFormCaption, Date dteStart,
                                        Date dteEnd, const std::string& strLblStart,
                                        const std::string& strLblEnd, const std::string& strSort1,
                                        const std::string& strSort2, const std::string& strShow1,
                                        const std::string& strShow2, const std::string& strShow3) {
    BeginLayout("StartEndSort2Show3", strFormCaption);
    ShowDates(dteStart, dteEnd, strLblStart, strLblEnd);
    Get("lblDesc").SetCaption("");
    ShowSortOptions(2, strSort1, strSort2);
    Get("fraSortOpts").SetTop(2340).SetLeft(360);
    ShowShowOptions(3, strShow1, strShow2, strShow3);
    Get("optShow3").SetValue(true);
    ShowLayout();
}

void frmRepCriteria::StartEndCkbox3(const std::string& strFormCaption, Date dteStartDate,
                                    Date dteEndDate, const std::string& strStartLbl,
                                    const std::string& strEndLbl,
                                    const std::string& strFrameCaption, const std::string& strCkBx1,
                                    const std::string& strCkBx2, const std::string& strCkBx3) {
    BeginLayout("StartEndCkbox3", strFormCaption);
    ShowDates(dteStartDate, dteEndDate, strStartLbl, strEndLbl);
    Get("lblDesc").SetCaption("");
    Get("frmCheckBoxes").SetCaption(strFrameCaption).SetVisible(true);
    Get("chkCB1Frm1").SetCaption(strCkBx1).SetValue(Variant::Integer(vbChecked)).SetVisible(true);
    Get("chkCB2Frm1").SetCaption(strCkBx2).SetValue(Variant::Integer(vbUnchecked)).SetVisible(true);
    Get("chkCB3Frm1").SetCaption(strCkBx3).SetValue(Variant::Integer(vbChecked)).SetVisible(true);
    ShowLayout();
}

void frmRepCriteria::Sort2Show2(const std::string& strFormCaption, const std::string& strSort1,
                                const std::string& strSort2, const std::string& strShow1,
                                const std::string& strShow2) {
    BeginLayout("Sort2Show2", strFormCaption);
    ShowSortOptions(2, strSort1, strSort2);
    ShowShowOptions(2, strShow1, strShow2);
    ShowLayout();
}

void frmRepCriteria::DateCboResidents(const std::string& strFormCaption,
                                      const std::string& strDateCaption, Date& dteDate,
                                      const std::string& strCboCaption, Recordset& rstCombo,
                                      const std::string& strDate2Caption, Date& datDate2,
                                      const std::string& strDate3Caption, Date& datDate3) {
    BeginLayout("DateCboResidents", strFormCaption);
    Get("lblDate1").SetCaption(strDateCaption).SetTop(1220).SetVisible(true);
    Get("datDate1").SetValue(Variant(dteDate)).SetTop(1160).SetVisible(true);
    Get("lblCombo1").SetCaption(strCboCaption).SetTop(2000).SetVisible(true);
    Control& residents = Get("cboCombo", 1);
    residents.SetTop(1970).SetVisible(true).SetEnabled(true);
    Get("lblDate2").SetCaption(strDate2Caption).SetTop(1600).SetVisible(true);
    Get("datDate2").SetValue(Variant(datDate2)).SetTop(1550).SetVisible(true);
    Get("lblDate3").SetCaption(strDate3Caption).SetTop(800).SetVisible(true);
    Get("datDate3").SetValue(Variant(datDate3)).SetTop(750).SetVisible(true);
    Get("chk2").SetCaption("Print All Residents").SetTop(2750).SetVisible(true);
    // List fill A: from the current row on; the caller's recordset is neither rewound nor closed.
    if (rstCombo.RecordCount() != 0) {
        residents.ClearList();
        for (; !rstCombo.EOF(); rstCombo.MoveNext()) {
            residents.AddRow({FieldText(rstCombo, 0), FieldText(rstCombo, 1)});
        }
    }
    Get("lblRentStatement1").SetTop(0).SetVisible(true);
    Get("lblRentStatement2").SetTop(2400).SetVisible(true);
    ShowLayout();
    dteDate = Get("datDate1").Value().ToDate();
    datDate2 = Get("datDate2").Value().ToDate();
    datDate3 = Get("datDate3").Value().ToDate();
}

void frmRepCriteria::ShowAsOf(Date dteAsOf, const std::string& strLblAsOf,
                              const std::string& strCkbCaption, const std::string& strOption1,
                              const std::string& strOption2, const std::string& strOption3) {
    Get("chk1").SetCaption(strCkbCaption).SetVisible(true);
    Get("lblDate1").SetCaption(strLblAsOf).SetVisible(true);
    Get("datDate1").SetValue(Variant(dteAsOf)).SetVisible(true);
    ShowShowOptions(3, strOption1, strOption2, strOption3);
    Get("fraShowOpts").SetTop(2040).SetLeft(1800);
}

void frmRepCriteria::Asof3Opts1Ck(const std::string& strFormCaption, Date dteAsOf,
                                  const std::string& strLblAsOf, const std::string& strCkbCaption,
                                  const std::string& strOption1, const std::string& strOption2,
                                  const std::string& strOption3) {
    BeginLayout("Asof3Opts1Ck", strFormCaption);
    ShowAsOf(dteAsOf, strLblAsOf, strCkbCaption, strOption1, strOption2, strOption3);
    ShowLayout();
}

void frmRepCriteria::Asof3Opts2Ck(const std::string& strFormCaption, Date dteAsOf,
                                  const std::string& strLblAsOf, const std::string& strCkb1Caption,
                                  const std::string& strCkb2Caption, const std::string& strOption1,
                                  const std::string& strOption2, const std::string& strOption3) {
    BeginLayout("Asof3Opts2Ck", strFormCaption);
    Get("chk2").SetCaption(strCkb2Caption).SetTop(Get("chk1").Top() + 325).SetVisible(true);
    ShowAsOf(dteAsOf, strLblAsOf, strCkb1Caption, strOption1, strOption2, strOption3);
    ShowLayout();
}

void frmRepCriteria::OtherUBT(const std::string& strFormCaption, const std::string& strCk1Caption,
                              const std::string& strCk2Caption, const std::string& strComboLabel,
                              const std::string& strCboSQL) {
    BeginLayout("OtherUBT", strFormCaption);
    Get("chk1").SetCaption(strCk1Caption).SetValue(Variant::Integer(vbChecked)).SetVisible(true);
    Get("chk2").SetCaption(strCk2Caption).SetValue(Variant::Integer(vbChecked)).SetVisible(true);
    Control& types = Get("cboCombo", 1);
    types.SetVisible(true);
    Get("lblDate2").SetCaption(strComboLabel).SetVisible(true);
    // List fill B.
    RecordsetPtr rows;
    if (SharedRecordset().GetRS(strCboSQL, rows, false) && rows) {
        types.ClearList();
        types.AddRow({"Prints All Unit Types", ""});
        for (; !rows->EOF(); rows->MoveNext()) {
            types.AddRow({FieldText(*rows, 0), FieldText(*rows, 1)});
        }
        rows->Close();
    }
    ShowLayout();
}

void frmRepCriteria::CRPosted(const std::string& strFormCaption, const std::string& strCk1Caption,
                              const std::string& strLbl1, const std::string& strLbl2,
                              Recordset& rstRS) {
    BeginLayout("CRPosted", strFormCaption);
    Get("chk1").SetCaption(strCk1Caption).SetEnabled(true).SetVisible(true);
    // List fill C: both columns hold the posted date.
    Control& dates = Get("cboCombo", 0);
    Control& batches = Get("cboCombo", 1);
    if (!rstRS.EOF()) {
        dates.ClearList();
        for (; !rstRS.EOF(); rstRS.MoveNext()) {
            dates.AddRow({FieldText(rstRS, 0), FieldText(rstRS, 0)});
        }
    }
    dates.SetVisible(true).SetEnabled(true);
    batches.SetVisible(true).SetEnabled(false);
    Get("lblDate1").SetCaption(strLbl1).SetVisible(true);
    Get("lblDate2").SetCaption(strLbl2).SetVisible(true);
    ShowLayout();
}

void frmRepCriteria::ListBatches() {
    const std::string literal = SqlDateLiteral(Get("cboCombo", 0).Value());
    const std::string sql =
        "SELECT DISTINCT Batch, Operator_Stamp FROM tblPayment WHERE Date_Stamp = " + literal +
        " And Misc_Property = " + SqlQuoted(TheSession().settings.propertyId) +
        " And Batch_Source = 'Post Cash Receipts'";
    Control& batches = Get("cboCombo", 1);
    RecordsetPtr rows;
    if (SharedRecordset().GetRS(sql, rows, false) && rows) {
        batches.ClearList().SetColumnCount(3);
        for (; !rows->EOF(); rows->MoveNext()) {
            batches.AddRow({FieldText(*rows, 0), FieldText(*rows, 0), FieldText(*rows, 1)});
        }
        rows->Close();
    }
    batches.SetEnabled(true);
}

std::string SqlDateLiteral(const Variant& value) {
    if (value.IsMissing()) {
        return SqlQuoted(Date::Today().ToIsoDate());
    }
    if (value.Kind() == VariantKind::Date) {
        return SqlQuoted(value.ToDate().ToIsoDate());
    }
    if (!value.IsString()) {
        return "";
    }
    const std::string text = value.ToString();
    if (text.empty() || text == "  /  /  " || text == "00/00/00") {
        return "Null";
    }
    const auto date = Date::Parse(text);
    return date ? SqlQuoted(date->ToIsoDate()) : "";
}

void frmRepCriteria::AddDatePicker(const std::string& strName, const std::string& strCaption,
                                   Date dteDefault) {
    Control& picker = AddByClass("MSComCtl2.DTPicker", strName);
    picker.SetTop(CheckedProduct(static_cast<int64_t>(ControlCount()), 500) - 500);
    picker.SetHeight(350).SetValue(Variant(dteDefault)).SetVisible(true);
    Control& label = AddByClass("VB.Label", strName + "_Label");
    label.SetTop(picker.Top() + 50);
    label.SetWidth(CheckedProduct(static_cast<int64_t>(strCaption.size()), 100));
    label.SetAlignment(Alignment::Right).SetCaption(strCaption).SetVisible(true);
    picker.SetLeft(label.Left() + label.Width() + 100);
}

void frmRepCriteria::AddOptionGroup(const std::string& strName, const std::string& strCaption,
                                    const VariantArray& strOptions) {
    Control& frame = AddByClass("VB.Frame", strName);
    frame.SetCaption(strCaption).SetHeight(1000);
    frame.SetTop(CheckedProduct(static_cast<int64_t>(ControlCount()), 500) - 500);
    frame.SetVisible(true);
    const int upper = strOptions.UpperBound();
    for (int i = 0; i <= upper; ++i) {
        Control& option = AddByClass("VB.OptionButton", "Option" + std::to_string(i), &frame);
        option.SetCaption(strOptions.At(i).ToString());
        option.SetLeft(frame.Left() + CheckedProduct(1200, i, true) + 100);
        option.SetTop(frame.Top()).SetVisible(true);
    }
    frame.SetWidth(CheckedProduct(static_cast<int64_t>(upper) + 1, 1300));
}

}  // namespace hlreports
