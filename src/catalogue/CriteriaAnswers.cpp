// Every result property of frmRepCriteria as an answer of the builder (see CriteriaAnswers.h).
#include "catalogue/CriteriaAnswers.h"

#include "criteria/frmRepCriteria.h"

namespace hlreports {

bool CollectAnswers(const frmRepCriteria& form, BuilderValues& values) {
    if (!form.Result()) {
        return false;
    }
    auto& answers = values.answers;
    answers["StartDate"] = Variant(form.StartDate());
    answers["EndDate"] = Variant(form.EndDate());
    answers["Sort"] = Variant(form.Sort());
    answers["View"] = Variant(form.View());
    answers["Check1"] = Variant(form.Check1());
    answers["Check2"] = Variant(form.Check2());
    answers["Combo1"] = Variant(form.Combo1());
    answers["Combo2"] = Variant(form.Combo2());
    answers["CheckBox1Frm1"] = Variant(form.CheckBox1Frm1());
    answers["CheckBox2Frm1"] = Variant(form.CheckBox2Frm1());
    answers["CheckBox3Frm1"] = Variant(form.CheckBox3Frm1());
    answers["CheckDate"] = Variant(form.CheckDate());
    answers["Status"] = Variant(form.Status());
    answers["RangeType"] = Variant(form.RangeType());
    answers["RangeStart"] = Variant(form.RangeStart());
    answers["RangeEnd"] = Variant(form.RangeEnd());
    answers["StartCharge"] = Variant(form.StartCharge());
    answers["EndCharge"] = Variant(form.EndCharge());
    answers["StartTenant"] = Variant(form.StartTenant());
    answers["EndTenant"] = Variant(form.EndTenant());
    answers["ChgDescription"] = Variant(form.ChgDescription());
    answers["BalanceLimit"] = Variant(form.BalanceLimit());
    answers["CurrFormer"] = Variant(form.CurrFormer());
    answers["InclLateChg"] = Variant(form.InclLateChg());
    answers["InclDeps"] = Variant(form.InclDeps());
    answers["PropertyName"] = Variant(form.PropertyName());
    answers["AmtGreaterThan"] = Variant(form.AmtGreaterThan());
    answers["AmtLessThan"] = Variant(form.AmtLessThan());
    return true;
}

}  // namespace hlreports
