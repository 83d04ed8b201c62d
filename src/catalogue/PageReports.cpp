// The rows of the special-page reports. Keys, procedures, argument types and sizes, formula names
// ("Start Date" with its blank), error numbers and sources are the procedures' and report files'
// own. Decisions where the rows say nothing (docs/catalogue.md): "NumWOAssigned" is the number of
// service calls listed, "BillType" the heading of the charge range, "ProrateCredit" the
// procedure's "@Total", and the ledger's end date starts at today.
#include "catalogue/PageReports.h"

#include <utility>

#include "catalogue/CriteriaAnswers.h"
#include "catalogue/StandardReport.h"
#include "criteria/frmRepCriteria.h"

namespace hlreports {
namespace {

constexpr int32_t CompDelinquencyKind = 2;
constexpr int32_t RentRollAllUnitsKind = 1;
constexpr int32_t RentRollBalancesKind = 0;

ParameterSpec DateIn(std::string name, ValueSource value) {
    return In(std::move(name), adDBDate, 6, std::move(value));
}

CriteriaWindow Page(WindowLayout layout, std::vector<std::string> captions = {}) {
    return CriteriaWindow{layout, std::move(captions), {}};
}

bool RentRollWindow(int32_t kind, BuilderValues& values) {
    frmRepCriteria form;
    form.RptParams(kind);
    return CollectAnswers(form, values);
}

void CountServiceCalls(BuilderContext& context, BuilderValues&, RecordsetPtr& rows) {
    const Variant count(static_cast<int32_t>(rows->IsOpen() ? rows->RecordCount() : 0));
    for (const auto& parameter : context.reportParameters) {
        if (parameter->Name() == "NumWOAssigned") {
            parameter->SetCurrentValue(count);
        }
    }
}

void SortUtilityByName(BuilderContext&, BuilderValues& values, RecordsetPtr& rows) {
    if (values.answers.at("Sort").ToString() == "Name" && rows->IsOpen()) {
        rows->SetSort("Name");
    }
}

ValueSource RangeOrNum() {
    return {[](const BuilderValues& values) {
        return Variant(values.answers.at("CheckDate").ToBoolean() ? "DateR" : "NumR");
    }};
}

std::vector<ReportRow> BuildRows() {
    const ValueSource start = Answer("StartDate");
    const ValueSource end = Answer("EndDate");
    std::vector<ReportRow> rows;
    rows.push_back(
        {.key = "rptWorkOrderList",
         .window = Page(&ServiceCallListWindow),
         .procedure = "sp_Rep_WorkOrderList",
         .parameters = {PropertyParameter(), In("@Status", adVarChar, 10, Answer("Status")),
                        In("@RangeType", adVarChar, 10, Answer("RangeType")),
                        In("@RangeStart", adDouble, 6, Answer("RangeStart")),
                        In("@RangeEnd", adDouble, 6, Answer("RangeEnd"))},
         .formulas = {{"SortBy", Answer("Sort")},
                      {"RangeType", Answer("RangeType")},
                      {"Start", Answer("RangeStart")},
                      {"End", Answer("RangeEnd")},
                      {"Property", PropertyName()},
                      {"Status", Answer("Status")}},
         .subreports = {{"NumWOAssigned", Literal("")}},
         .afterRun = &CountServiceCalls});
    for (const auto& [key, number] :
         {std::pair{"rptTransLedg", 2924}, std::pair{"rptTransLedgBalance", 2953}}) {
        rows.push_back(
            {.key = key,
             .error = Raises(number, key),
             .window = Page(&LedgerWindow),
             .procedure = "sp_Rep_TransactionLedger",
             .parameters = {PropertyParameter(), In("@ResTo", adVarChar, 30, Answer("ResTo")),
                            In("@ResFrom", adVarChar, 30, Answer("ResFrom")),
                            In("@UnitStart", adInteger, 6, Answer("UnitStart")),
                            In("@UnitEnd", adInteger, 6, Answer("UnitEnd")),
                            In("@Sort", adVarChar, 10, Answer("Sort")),
                            In("@Status", adVarChar, 20, Answer("Status")),
                            DateIn("@StartDate", start), DateIn("@EndDate", end)},
             .formulas = {{"PropName", PropertyName()}, {"StartDate", start}, {"EndDate", end}}});
    }
    rows.push_back(
        {.key = "rptUtilityStatement",
         .error = Raises(2940, "rptUtilityStatement"),
         .window = Page(&UtilityStatementWindow, {"Utility Statement Report Criteria"}),
         .procedure = "sp_Rep_UtilityStatement",
         .parameters = {PropertyParameter(), DateIn("@PostedStart", start),
                        DateIn("@PostedEnd", end),
                        In("@TenantStart", adVarChar, 30, Answer("StartTenant")),
                        In("@TenantEnd", adVarChar, 30, Answer("EndTenant")),
                        In("@ChgStart", adVarChar, 20, Answer("StartCharge")),
                        In("@ChgEnd", adVarChar, 20, Answer("EndCharge"))},
         .formulas = {{"Property", PropertyName()}, {"BillType", Answer("ChgDescription")}},
         .afterRun = &SortUtilityByName});
    rows.push_back({.key = "sp_CompDelinquency",
                    .error = Raises(2930, "rptCompDelinquency"),
                    .window = Page(&CompDelinquencyWindow),
                    .procedure = "sp_Rep_CompDelinquency",
                    .parameters = {PropertyParameter(), DateIn("@start_period_in", start),
                                   In("@greater_than", adDouble, 6, Answer("AmtGreaterThan")),
                                   In("@less_than", adDouble, 6, Answer("AmtLessThan")),
                                   Out("@Total", adDouble, 6)},
                    .formulas = {{"AsOfDate", start},
                                 {"PropertyName", PropertyName()},
                                 {"AmtGreaterThan", Answer("AmtGreaterThan")},
                                 {"AmtLessThan", Answer("AmtLessThan")},
                                 {"SortBy", Answer("Sort")},
                                 {"InclDeps", Answer("InclDeps")},
                                 {"CurrFormer", Answer("CurrFormer")},
                                 {"InclLateChg", Answer("InclLateChg")},
                                 {"ProrateCredit", Output("@Total")}}});
    rows.push_back(
        {.key = "sp_RentRoll_SqFt",
         .error = Raises(2932, "rptRentRollSqFt"),
         .window = Page(&RentRollAllUnitsWindow),
         .procedure = "sp_Rep_RentRoll_SqFt",
         .parameters = {DateIn("@AsOfDate", start), PropertyParameter()},
         .formulas = {
             {"AsOfDate", start}, {"PropertyName", PropertyName()}, {"SortBy", Answer("Sort")}}});
    rows.push_back({.key = "sp_RentRoll_Bal",
                    .error = Raises(2931, "rptRentRollBal"),
                    .window = Page(&RentRollBalancesWindow),
                    .procedure = "sp_Rep_RentRoll_Bal",
                    .parameters = {PropertyParameter(), DateIn("@start_period_in", start),
                                   DateIn("@end_period_in", end)},
                    .formulas = {{"Start Date", start},
                                 {"End Date", end},
                                 {"SortBy", Answer("Sort")},
                                 {"PropertyName", PropertyName()},
                                 {"CurrFormer", Answer("CurrFormer")},
                                 {"BalanceLimit", Answer("BalanceLimit")},
                                 {"IncludeApplicants", Answer("Check1")}}});
    return rows;
}

// The two shapes of "rptWO": with the page, and for the work order the host names.
ReportRow ServiceCallRow(bool withPage) {
    const ValueSource none = Literal("");
    return {
        .key = "rptWO",
        .error = Raises(2928, "rptWO"),
        .window = withPage ? std::optional(Page(&ServiceCallSelectionWindow)) : std::nullopt,
        .procedure = "sp_Rep_rptWO",
        .parameters = {PropertyParameter(), In("@WONum", adVarChar, 20, CriteriaValue()),
                       DateIn("@StartDate", withPage ? Answer("StartDate") : Today()),
                       DateIn("@EndDate", withPage ? Answer("EndDate") : Today()),
                       In("@StartNum", adVarChar, 20, withPage ? Answer("Combo1") : none),
                       In("@EndNum", adVarChar, 20, withPage ? Answer("Combo2") : none),
                       In("@RangeOrNum", adVarChar, 5, withPage ? RangeOrNum() : Literal("Num"))}};
}

}  // namespace

const std::vector<ReportRow>& PageReportRows() {
    static const std::vector<ReportRow> rows = BuildRows();
    return rows;
}

RecordsetPtr ServiceCallReport(BuilderContext& context) {
    static const ReportRow page = ServiceCallRow(true);
    static const ReportRow oneCall = ServiceCallRow(false);
    return RunStandardReport(HasNoCriteria(context.criteria) ? page : oneCall, context);
}

bool ServiceCallListWindow(const CriteriaWindow&, BuilderValues& values) {
    frmRepCriteria form;
    form.WOList();
    return CollectAnswers(form, values);
}

bool ServiceCallSelectionWindow(const CriteriaWindow&, BuilderValues& values) {
    frmRepCriteria form;
    form.rptWO();
    return CollectAnswers(form, values);
}

bool LedgerWindow(const CriteriaWindow&, BuilderValues& values) {
    // The page starts on the first of the current month and on today.
    Date from = Date::FromYmd(values.today.Year(), values.today.Month(), 1);
    Date to = values.today;
    std::string status;
    std::string sort;
    std::string resFrom;
    std::string resTo;
    double unitStart = 0;
    double unitEnd = 0;
    frmRepCriteria form;
    form.TransLedg(from, to, status, sort, unitStart, unitEnd, resFrom, resTo);
    if (!CollectAnswers(form, values)) {
        return false;
    }
    auto& answers = values.answers;
    answers["StartDate"] = Variant(from);
    answers["EndDate"] = Variant(to);
    answers["Status"] = Variant(status);
    answers["Sort"] = Variant(sort);
    answers["UnitStart"] = Variant(unitStart);
    answers["UnitEnd"] = Variant(unitEnd);
    answers["ResFrom"] = Variant(resFrom);
    answers["ResTo"] = Variant(resTo);
    return true;
}

bool UtilityStatementWindow(const CriteriaWindow& window, BuilderValues& values) {
    frmRepCriteria form;
    form.UtilStmt(window.captions.at(0));
    return CollectAnswers(form, values);
}

bool RentRollBalancesWindow(const CriteriaWindow&, BuilderValues& values) {
    return RentRollWindow(RentRollBalancesKind, values);
}

bool RentRollAllUnitsWindow(const CriteriaWindow&, BuilderValues& values) {
    return RentRollWindow(RentRollAllUnitsKind, values);
}

bool CompDelinquencyWindow(const CriteriaWindow&, BuilderValues& values) {
    return RentRollWindow(CompDelinquencyKind, values);
}

}  // namespace hlreports
