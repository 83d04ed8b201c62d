// The window kinds of the catalogue rows: each creates a fresh frmRepCriteria, calls one layout
// with the row's captions (window caption, labels, option captions, check captions) and dates,
// and hands every result property on as an answer. A caption the row does not give is a fault
// of the row and fails the builder (std::out_of_range) before anything runs.
#include "catalogue/WindowReports.h"

#include "catalogue/CriteriaAnswers.h"

#include "criteria/frmRepCriteria.h"
#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "service/SharedObjects.h"

namespace hlreports {
namespace {

Date DefaultDate(const CriteriaWindow& window, const BuilderValues& values, std::size_t index) {
    return index < window.dates.size() ? window.dates[index].read(values).ToDate() : values.today;
}

}  // namespace

bool OptsOnly2Window(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.OptsOnly2(c.at(0), c.at(1), c.at(2), c.at(3));
    return CollectAnswers(form, values);
}

bool DateOnlyWindow(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.DateOnly(c.at(0), DefaultDate(window, values, 0), c.at(1));
    return CollectAnswers(form, values);
}

bool StartEndWindow(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.StartEnd(c.at(0), DefaultDate(window, values, 0), DefaultDate(window, values, 1), c.at(1),
                  c.at(2));
    return CollectAnswers(form, values);
}

bool StartEnd2OptionsWindow(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.StartEnd2Options(c.at(0), DefaultDate(window, values, 0), DefaultDate(window, values, 1),
                          c.at(1), c.at(2), c.at(3), c.at(4), c.at(5));
    return CollectAnswers(form, values);
}

bool StartEnd3OptionsWindow(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.StartEnd3Options(c.at(0), DefaultDate(window, values, 0), DefaultDate(window, values, 1),
                          c.at(1), c.at(2), c.at(3), c.at(4), c.at(5), c.at(6));
    return CollectAnswers(form, values);
}

bool StartEndSort2Show3Window(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.StartEndSort2Show3(c.at(0), DefaultDate(window, values, 0), DefaultDate(window, values, 1),
                            c.at(1), c.at(2), c.at(3), c.at(4), c.at(5), c.at(6), c.at(7));
    return CollectAnswers(form, values);
}

bool StartEndCkbox3Window(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.StartEndCkbox3(c.at(0), DefaultDate(window, values, 0), DefaultDate(window, values, 1),
                        c.at(1), c.at(2), c.at(3), c.at(4), c.at(5), c.at(6));
    return CollectAnswers(form, values);
}

bool Sort2Show2Window(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.Sort2Show2(c.at(0), c.at(1), c.at(2), c.at(3), c.at(4));
    return CollectAnswers(form, values);
}

bool Asof3Opts1CkWindow(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.Asof3Opts1Ck(c.at(0), DefaultDate(window, values, 0), c.at(1), c.at(2), c.at(3), c.at(4),
                      c.at(5));
    return !form.Cancel && CollectAnswers(form, values);
}

bool Asof3Opts2CkWindow(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    frmRepCriteria form;
    form.Asof3Opts2Ck(c.at(0), DefaultDate(window, values, 0), c.at(1), c.at(2), c.at(3), c.at(4),
                      c.at(5), c.at(6));
    return !form.Cancel && CollectAnswers(form, values);
}

bool OtherUnitTypeWindow(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    const std::string property = DoubleApostrophes(values.propertyId);
    const std::string sql =
        "SELECT cb.ItemValue, cb.ItemDescription "
        "FROM tblCBOValues cb WHERE Exists (Select Distinct(OtherUnitType) "
        "FROM tblOtherUnit ou WHERE (ou.Property = '" +
        property +
        "' or Property  "
        "= 'System') and ou.OtherUnitType = cb.ItemValue)and ItemType = 'OtherUnitType' "
        "and (cb.Property = 'System' or Property = '" +
        property +
        "') "
        "ORDER BY SortKey";
    frmRepCriteria form;
    form.OtherUBT(c.at(0), c.at(1), c.at(2), c.at(3), sql);
    return CollectAnswers(form, values);
}

bool PostedReceiptsWindow(const CriteriaWindow& window, BuilderValues& values) {
    const auto& c = window.captions;
    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, Variant(values.propertyId));
    RecordsetPtr dates;
    SharedRecordset().RunSpRetRS("sp_GetDistinctPaymentDates", dates, &params, false);
    if (!dates || !dates->IsOpen() || dates->EOF()) {
        throw ComError(2911, "rptCashReceiptsPosted", "There are no posted Cash Receipts.");
    }
    frmRepCriteria form;
    form.CRPosted(c.at(0), c.at(3), c.at(1), c.at(2), *dates);
    return CollectAnswers(form, values);
}

}  // namespace hlreports
