// The rows are data: keys, window captions, procedures, argument types and sizes, formula names,
// error numbers and sources are the stored procedures' and report files' own, spelling included
// ("sp_Rep_rptCurrentBallance", "Start Date" with its blank). Code lives only in the value
// sources of derived values and in the hooks below.
#include "catalogue/WindowReports.h"

#include <utility>

#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"
#include "service/RunnerHelpers.h"
#include "service/SetupHelpers.h"
#include "service/SharedObjects.h"

namespace hlreports {
namespace {

CriteriaWindow Window(WindowLayout layout, std::vector<std::string> captions,
                      std::vector<ValueSource> dates = {}) {
    return CriteriaWindow{layout, std::move(captions), std::move(dates)};
}

ParameterSpec DateIn(std::string name, ValueSource value) {
    return In(std::move(name), adDBDate, 6, std::move(value));
}

// The answer's value picked from a table of (answer text, value), or otherwise.
ValueSource Chosen(std::string answer, std::vector<std::pair<std::string, Variant>> cases,
                   Variant otherwise) {
    return {[answer = std::move(answer), cases = std::move(cases),
             otherwise = std::move(otherwise)](const BuilderValues& values) {
        const std::string chosen = values.answers.at(answer).ToString();
        for (const auto& [text, value] : cases) {
            if (chosen == text) {
                return value;
            }
        }
        return otherwise;
    }};
}

// A check box answer as the two values a procedure or formula expects.
ValueSource Flag(std::string answer, Variant whenChecked, Variant whenClear) {
    return {[answer = std::move(answer), whenChecked = std::move(whenChecked),
             whenClear = std::move(whenClear)](const BuilderValues& values) {
        return values.answers.at(answer).ToBoolean() ? whenChecked : whenClear;
    }};
}

ValueSource AnswerText(std::string answer) {
    return {[answer = std::move(answer)](const BuilderValues& values) {
        return Variant(values.answers.at(answer).ToString());
    }};
}

// The answer's date without its time of day (the "mm/dd/yy" round trip of the balance reports).
ValueSource AnswerDay(std::string answer, int offsetDays = 0) {
    return {[answer = std::move(answer), offsetDays](const BuilderValues& values) {
        return Variant(values.answers.at(answer).ToDate().DateOnly().AddDays(offsetDays));
    }};
}

ValueSource TodayPlus(int days) {
    return {[days](const BuilderValues& values) { return Variant(values.today.AddDays(days)); }};
}

ValueSource SetupValue(std::string setting) {
    return {[setting = std::move(setting)](const BuilderValues& values) {
        return Variant(GetSetupInfo(values.propertyId, setting));
    }};
}

ValueSource OutputInteger(std::string name) {
    ValueSource output = Output(std::move(name));
    return {[read = output.read](const BuilderValues& values) {
                const Variant value = read(values);
                return value.IsNull() ? value : Variant::Integer(value.ToInteger());
            },
            true};
}

const std::vector<std::string> kBalanceOptions = {"View All", "Exclude PrePayments",
                                                  "PrePayments Only"};

ValueSource BalanceOperator() {
    return Chosen("View", {{"Option1", "<>"}, {"Option2", ">"}, {"Option3", "<"}}, "");
}

ValueSource BalanceDetails() {
    return Chosen("View",
                  {{"Option1", "Includes Prepayments"},
                   {"Option2", "Excludes Prepayments"},
                   {"Option3", "Prepayments Only"}},
                  "");
}

void SetReportDateToAsOf(BuilderContext& context, BuilderValues& values, RecordsetPtr&) {
    context.report->SetReportDate(values.answers.at("StartDate").ToDate().DateOnly());
}

void FeedWeeklyBoxSub(BuilderContext& context, BuilderValues& values, RecordsetPtr&) {
    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, Variant(values.propertyId));
    params.Add("@StartDate", adDBDate, 6, adParamInput, values.answers.at("StartDate"));
    params.Add("@EndDate", adDBDate, 6, adParamInput, values.answers.at("EndDate"));
    RecordsetPtr box;
    SharedRecordset().RunSpRetRS("sp_Rep_WeeklyBoxSub", box, &params, false);
    if (box && box->IsOpen()) {
        SetSubreportRecordset(*context.report, "Box", *box, "");
    }
}

void SaveStatementDate(BuilderContext& context, BuilderValues& values, RecordsetPtr&) {
    SetLastStatementDate(context.propertyId, values.answers.at("StatementDate").ToDate());
}

ValueSource DepositLogFilter() {
    return {[](const BuilderValues& values) {
        std::string filter;
        if (values.answers.at("CheckBox1Frm1").ToBoolean()) {
            filter += "Status = 'Current' Or ";
        }
        if (values.answers.at("CheckBox3Frm1").ToBoolean()) {
            filter += "Status = 'Applicant' Or ";
        }
        if (values.answers.at("CheckBox2Frm1").ToBoolean()) {
            filter += "Status = 'Terminated' Or ";
        }
        if (filter.size() > 4) {
            filter.resize(filter.size() - 4);
        }
        return Variant(filter);
    }};
}

ValueSource OtherUnitCriteria() {
    return {[](const BuilderValues& values) {
        const std::string type = values.answers.at("Combo2").ToString();
        const bool available = values.answers.at("Check1").ToBoolean();
        const bool rented = values.answers.at("Check2").ToBoolean();
        std::string text = "Report Printed For Other Unit Type: ";
        text += type.empty() ? "All Unit Types" : type;
        text += " Status ";
        text += available ? "A" : "";
        text += available && rented ? ", " : "";
        text += rented ? "R" : "";
        return Variant(text);
    }};
}

ValueSource MonthEnd() {
    return {[](const BuilderValues& values) {
        const Date end = values.answers.at("EndDate").ToDate();
        return Variant(Date::FromYmd(end.Year(), end.Month(), DaysInMonth(end)));
    }};
}

ValueSource ProrationDaysOfPeriod() {
    return {[](const BuilderValues& values) {
                const std::string option =
                    values.outputs->GetValue("@Occ_Proration_Opt").IsNull()
                        ? std::string()
                        : values.outputs->GetValue("@Occ_Proration_Opt").ToString();
                int16_t days = 0;
                if (!ProrationDays(values.answers.at("StartDate").ToDate(),
                                   values.answers.at("EndDate").ToDate(), option, days)) {
                    const std::string text =
                        "Unable to calculate Occupied Rent Proration Days. " + Err().Description();
                    throw ComError(2914, "rptDaysVac", text);
                }
                return Variant::Integer(days);
            },
            true};
}

ValueSource AsOfPart(bool year) {
    return {[year](const BuilderValues& values) {
        const Date date = values.answers.at("StartDate").ToDate();
        return Variant(std::to_string(year ? date.Year() : date.Month()));
    }};
}

ValueSource DateText(std::string answer) {
    return {[answer = std::move(answer)](const BuilderValues& values) {
        return Variant(values.answers.at(answer).ToString());
    }};
}

std::vector<ReportRow> BuildRows();

}  // namespace

const std::vector<ReportRow>& WindowReportRows() {
    static const std::vector<ReportRow> rows = BuildRows();
    return rows;
}

namespace {

std::vector<ReportRow> BuildRows() {
    const ValueSource start = Answer("StartDate");
    const ValueSource end = Answer("EndDate");
    std::vector<ReportRow> rows;
    rows.push_back(
        {.key = "rptRentStatement",
         .error = Raises(2919, "rptRentStatement"),
         .window =
             Window(&RentStatementWindow, {"Rent Statement Report Criteria", "Statement Date:",
                                           "As Of:", "Last Statement Date:", "Select Resident:"}),
         .procedure = "sp_Rep_RentStatement",
         .parameters = {PropertyParameter(), In("@Resident", adVarChar, 10, Answer("Resident")),
                        DateIn("@StatementDate", Answer("StatementDate")),
                        DateIn("@AsOf", Answer("AsOf")),
                        DateIn("@LastStatementDate", Answer("LastStatementDate")),
                        Out("@PropAddrLn1", adVarChar, 30), Out("@PropAddrLn2", adVarChar, 30),
                        Out("@PropAddrLn3", adVarChar, 29)},
         // BegOfCurr and BegOfPrev are read under names the list never holds: always empty.
         .formulas = {{"Property", PropertyName()},
                      {"AsOfDate", Answer("AsOf")},
                      {"PropAddrLn1", Output("@PropAddrLn1")},
                      {"PropAddrLn2", Output("@PropAddrLn2")},
                      {"PropAddrLn3", Output("@PropAddrLn3")},
                      {"BegOfCurr", Literal(Variant())},
                      {"BegOfPrev", Literal(Variant())}},
         .afterRun = &SaveStatementDate});
    rows.push_back({.key = "rptEconomicVacancy",
                    .error = Raises(2915, "rptEconomicVacancy"),
                    .window = Window(&StartEndWindow, {"Economic Vacancy Report Criteria",
                                                       "Start Date:", "End Date:"}),
                    .procedure = "sp_Rep_EconomicVacancy",
                    .parameters = {PropertyParameter(), DateIn("@StartDate", start),
                                   DateIn("@EndDate", end), Out("@ProMoDays", adInteger, 6)},
                    .formulas = {{"PropName", PropertyName()},
                                 {"StartDate", start},
                                 {"EndDate", end},
                                 {"ProMoDays", Output("@ProMoDays")}}});
    for (const auto& [key, caption, byExpiry] :
         {std::tuple{"rptLeaseExpiration", "Lease Expiration Report Criteria", "MTM, LeaseEnd"},
          std::tuple{"rptLeaseExpByMonth", "Lease Expiration By Month Report Criteria",
                     "LeaseEnd,SortOrder"}}) {
        rows.push_back(
            {.key = key,
             .error = Raises(2905, "rptLeaseExpiration"),
             .window = Window(&StartEnd2OptionsWindow, {caption, "Start Date:", "End Date:",
                                                        "Sort Options", "Unit", "Expire Date"}),
             .procedure = "sp_Rep_rptLeaseExpiration",
             .parameters = {DateIn("@RepStart", start), DateIn("@RepEnd", end), PropertyParameter(),
                            In("@OrderBy", adVarChar, 50,
                               Chosen("Sort", {{"Option2", byExpiry}}, "SortOrder"))},
             .formulas = {
                 {"Property", PropertyIdAndName()}, {"RepStart", start}, {"RepEnd", end}}});
    }
    rows.push_back(
        {.key = "rptNSF",
         .error = Raises(2919, "rptNSF"),
         .window = Window(&StartEnd2OptionsWindow,
                          {"Returned Item Report Criteria",
                           "Start Date:", "End Date:", "Sort Options", "Resident", "Unit"}),
         .procedure = "sp_Rep_NSF",
         .parameters = {PropertyParameter(), DateIn("@StartDate", start), DateIn("@EndDate", end)},
         .formulas = {{"Property", PropertyIdAndName()},
                      {"SortOrder", Chosen("Sort", {{"Option1", "Resident"}}, "Unit")},
                      {"StartDate", start},
                      {"EndDate", end}}});
    rows.push_back(
        {.key = "rptPropStatus",
         .error = Raises(2921, "rptPropStatus"),
         .window = Window(&StartEndWindow,
                          {"Property Status Report Criteria", "Start Date:", "End Date:"}),
         .procedure = "sp_Rep_rptPropStatus",
         .parameters = {PropertyParameter(), DateIn("@StartDate", start), DateIn("@EndDate", end)},
         .formulas = {{"Property", PropertyName()}, {"StartDate", start}, {"EndDate", end}}});
    // The traffic builder's two modes: the summary adds its sort and show options.
    const std::vector<ParameterSpec> trafficParameters = {
        PropertyParameter(), DateIn("@DateStart", DateText("StartDate")),
        DateIn("@DateEnd", DateText("EndDate"))};
    const std::vector<FormulaSpec> trafficFormulas = {
        {"StartDate", start},
        {"EndDate", end},
        {"Property", PropertyName()},
        {"PropertyName", PropertyName()},
        {"LeaseDate", SetupValue("TrafficLeaseDate")}};
    std::vector<FormulaSpec> summaryFormulas = trafficFormulas;
    summaryFormulas.push_back({"Sort", Chosen("Sort", {{"Option1", "Agent"}}, "VisDate")});
    summaryFormulas.push_back(
        {"View", Chosen("View", {{"Option1", "Ph"}, {"Option2", "WI"}}, "Both")});
    rows.push_back({.key = "rptTrafficSum",
                    .error = RaisesWithPrefix(2908, "rptTraffic"),
                    .window = Window(&StartEndSort2Show3Window,
                                     {"Traffic Summary Report Criteria", "Start Date:", "End Date:",
                                      "Agent Name", "Date of Visit", "Phone", "Walk In", "Both"}),
                    .procedure = "sp_Rep_rptTraffic",
                    .parameters = trafficParameters,
                    .formulas = summaryFormulas});
    rows.push_back({.key = "rptTraffic",
                    .error = RaisesWithPrefix(2908, "rptTraffic"),
                    .window = Window(&StartEndWindow, {"Market Sources Report Criteria",
                                                       "Start Date:", "End Date:"}),
                    .procedure = "sp_Rep_rptTraffic",
                    .parameters = trafficParameters,
                    .formulas = trafficFormulas});
    rows.push_back(
        {.key = "rptTrafficSources",
         .error = Raises(2923, "rptTrafficSources"),
         .window = Window(&DateOnlyWindow, {"Traffic Sources Criteria", "As Of:"}),
         .procedure = "sp_Rep_rptTrafficSources",
         .parameters = {PropertyParameter(), In("@PropName", adVarChar, 55, PropertyName()),
                        DateIn("@StartDate", AnswerDay("StartDate", -30)),
                        DateIn("@EndDate", start)},
         .formulas = {{"Start Date", start}}});
    rows.push_back(
        {.key = "rptTenantList",
         .error = Raises(2922, "rptTenantList"),
         .window = Window(&OptsOnly2Window,
                          {"Resident List Report Criteria", "Sort Options", "Unit", "Resident"}),
         .procedure = "sp_Rep_rptTenantList",
         .parameters = {PropertyParameter()},
         .formulas = {{"Property", PropertyIdAndName()},
                      {"SortOrder", Chosen("Sort", {{"Option1", "SortOrder"}}, "Name")}}});
    rows.push_back(
        {.key = "rptCashReceiptsPosted",
         .error = Raises(2911, "rptCashReceiptsPosted"),
         .window = Window(&PostedReceiptsWindow,
                          {"Posted Cash Receipts Report Criteria",
                           "Select A Post Date:", "Select A Batch#:", "View All Batches"}),
         .procedure = "sp_Rep_rptCashReceiptsPosted",
         .parameters = {PropertyParameter(), DateIn("@DatePost", AnswerText("Combo1")),
                        In("@BatchNum", adVarChar, 10, AnswerText("Combo2")),
                        In("@ViewAll", adSmallInt, 6,
                           Flag("Check1", Variant::Integer(1), Variant::Integer(0)))},
         .formulas = {{"Property", PropertyIdAndName()}, {"BatchDate", AnswerText("Combo1")}}});
    rows.push_back(
        {.key = "rptBkDepBatch",
         .error = Raises(2910, "rptBkDepBatch"),
         .window = Window(&StartEndWindow,
                          {"Bank Deposits Batch Report Criteria", "Start Date:", "End Date:"}),
         .procedure = "sp_Rep_BankDepBatch",
         .parameters = {PropertyParameter(), DateIn("@StartDate", start), DateIn("@EndDate", end)},
         .formulas = {{"PropertyID", PropertyId()},
                      {"PropertyName", PropertyName()},
                      {"StartDate", start},
                      {"EndDate", end},
                      {"DefaultDepositType", SetupValue("DefaultDepositType")},
                      {"DefaultDepositCode", SetupValue("DefaultDepositCode")}}});
    std::vector<std::string> balanceCaptions = {
        "Current Balance Report Criteria", "As Of:", "Show Detail in Report", "Show Applicants"};
    balanceCaptions.insert(balanceCaptions.end(), kBalanceOptions.begin(), kBalanceOptions.end());
    rows.push_back(
        {.key = "rptCurrentBalance",
         .error = Raises(2912, "rptCurrentBalance"),
         .window = Window(&Asof3Opts2CkWindow, balanceCaptions),
         .procedure = "sp_Rep_rptCurrentBallance",
         .parameters = {PropertyParameter(), DateIn("@AsOfDate", AnswerDay("StartDate")),
                        In("@Applicants", adInteger, 6, Flag("Check2", Variant(-1), Variant(0)))},
         .formulas = {{"ShowDetail", Answer("Check1")},
                      {"PropertyName", PropertyName()},
                      {"RepDetails", BalanceDetails()},
                      {"AsOfDate", AnswerDay("StartDate")},
                      {"ShowApplicants", Answer("Check2")}},
         .afterRun = &SetReportDateToAsOf});
    std::vector<std::string> delinquencyCaptions = {"Aged Delinquency Report Criteria",
                                                    "As Of:", "Show Detail in Report"};
    delinquencyCaptions.insert(delinquencyCaptions.end(), kBalanceOptions.begin(),
                               kBalanceOptions.end());
    rows.push_back(
        {.key = "rptDelinquency",
         .error = Raises(2904, "rptDelinquency"),
         .window = Window(&Asof3Opts1CkWindow, delinquencyCaptions),
         .procedure = "sp_Rep_rptDelinquency",
         .parameters = {PropertyParameter(), In("@DelinqOper", adVarChar, 2, BalanceOperator()),
                        In("@AgeBy", adInteger, 6, Literal(Variant(0))),
                        DateIn("@AsOfDate", AnswerDay("StartDate"))},
         .formulas = {{"ShowDetail", Answer("Check1")},
                      {"PropertyName", PropertyName()},
                      {"RepDetails", BalanceDetails()},
                      {"AsOfDate", AnswerDay("StartDate")}},
         .afterRun = &SetReportDateToAsOf});
    rows.push_back(
        {.key = "rptWeeklyBoxScore",
         .error = Raises(2927, "rptWeeklyBoxScore"),
         .window =
             Window(&StartEndWindow, {"Weekly BoxScore Report Criteria", "Start Date", "End Date"},
                    {TodayPlus(-6), Today()}),
         .procedure = "sp_Rep_WeeklyBoxMain",
         .parameters = {PropertyParameter(), DateIn("@StartDate", start), DateIn("@EndDate", end)},
         .formulas = {{"Property", PropertyName()}, {"StartDate", start}, {"EndDate", end}},
         .afterRun = &FeedWeeklyBoxSub});
    rows.push_back(
        {.key = "rptMonthlySum",
         .error = Raises(2917, "rptMonthlySum"),
         .window = Window(&StartEndWindow,
                          {"Monthly Summary Report Criteria", "Start Date:", "End Date:"}),
         .procedure = "sp_Rep_MonthlySum",
         .parameters = {PropertyParameter(), In("@AcctgMethod", adInteger, 4, Literal(Variant(3))),
                        DateIn("@RepStart", start), DateIn("@RepEnd", end),
                        DateIn("@EOM", MonthEnd()), Out("@DefaultChargeType", adVarChar, 20),
                        Out("@DepositCredits", adInteger, 4),
                        Out("@NetDelinquentPrepaid", adDouble, 8), Out("@CurrentAR", adDouble, 8)},
         .formulas = {{"PropName", PropertyName()},
                      {"StartDate", start},
                      {"EndDate", end},
                      {"DepositCreditCount", OutputInteger("@DepositCredits")},
                      {"NetDelinquentPrepaid", Output("@NetDelinquentPrepaid")},
                      {"DepositChargeType", Output("@DefaultChargeType")},
                      {"CurrentAR", Output("@CurrentAR")}},
         .subreports = {{"MonthlySum.rpt", Literal("")},
                        {"MonthlySumDepositsOut.rpt", Literal("")},
                        {"MonthlySumCashRec.rpt", Literal("")},
                        {"MonthlySumDelinq.rpt", Literal("")},
                        {"MonthlySumPrepaid.rpt", Literal("")},
                        {"MonthlySumCharge.rpt", Literal("")},
                        {"MonthSumConc.rpt", Literal("")}}});
    rows.push_back({.key = "UnitListing",
                    .error = Raises(2952, "UnitListing"),
                    .window = Window(&OptsOnly2Window,
                                     {"Unit Listing Criteria", "Sort By", "Unit", "Unit Class"}),
                    .procedure = "sp_Rep_UnitListing",
                    .parameters = {PropertyParameter()},
                    .formulas = {{"PropName", PropertyName()},
                                 {"SortBy", Chosen("Sort", {{"Option1", "Unit"}}, "Unit Class")}}});
    rows.push_back({.key = "rptUnitStats",
                    .error = Raises(2926, "rptUnitStats"),
                    .window = Window(&StartEndWindow, {"Unit Statistics Report Criteria",
                                                       "Start Date:", "End Date:"}),
                    .procedure = "sp_Rep_UnitStatistics",
                    .parameters = {PropertyParameter(), DateIn("@StartDate", start),
                                   DateIn("@EndDate", end), Out("@OnNotice", adInteger, 6)},
                    .formulas = {{"PropName", PropertyName()},
                                 {"StartDate", start},
                                 {"EndDate", end},
                                 {"OnNotice", Output("@OnNotice")}}});
    rows.push_back(
        {.key = "rptTransList",
         .error = Raises(2925, "rptTransList"),
         .window = Window(&StartEnd3OptionsWindow,
                          {"Transaction List Report Criteria", "Start Date:", "End Date",
                           "Sort Options", "Unit", "Name", "Tran Type"}),
         .procedure = "sp_Rep_rptTransList",
         .parameters = {PropertyParameter(), In("@PropName", adVarChar, 55, PropertyName()),
                        DateIn("@RepStart", start), DateIn("@RepEnd", end)},
         .formulas = {{"SortParam",
                       Chosen("Sort", {{"Option1", "Unit"}, {"Option2", "Name"}}, "Tran Type")}}});
    rows.push_back(
        {.key = "rptCashReceiptsGLEffect",
         .error = Raises(2920, "rptCashReceiptsGLEffect"),
         .window = Window(&StartEndWindow,
                          {"Posted Cash Receipts with GL Effect", "Start Date:", "End Date:"}),
         .procedure = "sp_Rep_PostedCashGLEffect",
         .parameters = {PropertyParameter(), DateIn("@StartDate", start), DateIn("@EndDate", end)},
         .formulas = {{"PropName", PropertyName()}, {"StartDate", start}, {"EndDate", end}},
         .subreports = {{"GLEffect.rpt", Literal("")}, {"GLEffectCash.rpt", Literal("")}}});
    rows.push_back(
        {.key = "rptMoveInOut",
         .error = Raises(2918, "rptMoveInOut"),
         .window = Window(&StartEnd2OptionsWindow,
                          {"MoveIn MoveOut Report Criteria", "Start Date", "End Date",
                           "Sort Options", "Unit", "Date"},
                          {Today(), TodayPlus(30)}),
         .procedure = "sp_Rep_rptMoveInOut",
         .parameters = {PropertyParameter(), DateIn("@StartDate", start), DateIn("@EndDate", end),
                        In("@SortBy", adVarChar, 15,
                           Chosen("Sort", {{"Option1", "Unit"}}, "IntendMoveInOut"))},
         .formulas = {{"Report Date", start}, {"EndDate", end}, {"Property", PropertyName()}}});
    rows.push_back(
        {.key = "rptDaysVac",
         .error = Raises(2914, "rptDaysVac"),
         .window =
             Window(&StartEndWindow, {"Days Vacant Report Criteria", "Start Date:", "End Date:"}),
         .procedure = "sp_Rep_DaysVacant",
         .parameters = {PropertyParameter(), DateIn("@StartDate", start), DateIn("@EndDate", end),
                        Out("@Occ_Proration_Opt", adVarChar, 20)},
         .formulas = {{"Property", PropertyName()},
                      {"ProMoDays", ProrationDaysOfPeriod()},
                      {"StartDate", start},
                      {"EndDate", end}}});
    rows.push_back(
        {.key = "rptDepositLog",
         .error = Raises(2935, "rptDepositLog"),
         .window = Window(&StartEndCkbox3Window,
                          {"Deposit Log Report Criteria", "Start Date:", "End Date",
                           "Select Status of Resident To Print", "Current", "Former", "Pending"}),
         .procedure = "sp_Rep_DepositLog",
         .parameters = {DateIn("@StartDate", start), DateIn("@EndDate", end), PropertyParameter()},
         .formulas = {{"StartDate", start},
                      {"EndDate", end},
                      {"PropertyName", PropertyName()},
                      {"Inactive", Answer("CheckBox2Frm1")},
                      {"Pending", Answer("CheckBox3Frm1")},
                      {"Current", Answer("CheckBox1Frm1")}},
         .subreports = {{"Sum", DepositLogFilter()}}});
    rows.push_back(
        {.key = "rptOtherUnitByType",
         .error = Raises(2938, "rptOtherUnitByType"),
         .window = Window(&OtherUnitTypeWindow,
                          {"Other Unit By Type Report Criteria", "Show Available Other Units",
                           "Show Rented Other Units", "Other Unit Type:"}),
         .procedure = "sp_Rep_OtherUnitByType",
         .parameters = {PropertyParameter(),
                        In("@booRented", adSmallInt, 4,
                           Flag("Check2", Variant::Integer(1), Variant::Integer(0))),
                        In("@booAvailable", adSmallInt, 4,
                           Flag("Check1", Variant::Integer(1), Variant::Integer(0))),
                        In("@Type", adVarChar, 20, AnswerText("Combo2"))},
         .formulas = {{"Property", PropertyName()}, {"Criteria", OtherUnitCriteria()}}});
    rows.push_back(
        {.key = "rptResidentBDay",
         .error = RaisesWithPrefix(2939, "rptResidentBDay"),
         .window = Window(&Sort2Show2Window, {"Resident Birthday Report Criteria", "Month", "Unit",
                                              "All Residents", "Exclude Blank Birthday"}),
         .procedure = "sp_Rep_ResidentBDay",
         .parameters = {PropertyParameter(),
                        In("@AllBDays", adSmallInt, 4,
                           Chosen("View", {{"All", Variant::Integer(1)}}, Variant::Integer(0)))},
         .formulas = {{"Property", PropertyName()},
                      {"OnGroup", Chosen("Sort", {{"Option1", "BDay_Month, BirthDate"}}, "")}}});
    rows.push_back(
        {.key = "WeeklyBoxCommunities",
         .error = Raises(2942, "WeeklyBoxCommunities"),
         .window = Window(&StartEndWindow, {"Weekly Boxscore Communities Report Criteria",
                                            "Start Date:", "End Date:"}),
         .procedure = "sp_Rep_WeeklyBoxCommunities",
         .parameters = {DateIn("@StartDate", start), DateIn("@EndDate", end)},
         .formulas = {{"StartDate", start}, {"EndDate", end}}});
    rows.push_back({.key = "VacancyDeviation",
                    .error = Raises(2942, "VacancyDeviation"),
                    .window = Window(&StartEndWindow, {"Vacancy / Deviation Report Criteria",
                                                       "Start Date:", "End Date:"}),
                    .procedure = "sp_Rep_VacancyDeviation",
                    .parameters = {PropertyParameter(), DateIn("@StartDate", start),
                                   DateIn("@EndDate", end), Out("@ProMoDays", adInteger, 6)},
                    .formulas = {{"PropName", PropertyName()},
                                 {"StartDate", start},
                                 {"EndDate", end},
                                 {"ProMoDays", Output("@ProMoDays")}}});
    rows.push_back(
        {.key = "ConcessionMatrix",
         .error = Raises(2942, "ConcessionMatrix"),
         .window = Window(&DateOnlyWindow, {"Concession Matrix Report Criteria", "Start Period:"}),
         .procedure = "sp_Rep_ConcessionMatrix",
         .parameters = {PropertyParameter(), In("@AsOfMonth", adVarChar, 2, AsOfPart(false)),
                        In("@AsOfYear", adVarChar, 4, AsOfPart(true))},
         .formulas = {{"PropName", PropertyName()}, {"AsOfDate", start}}});
    return rows;
}

}  // namespace
}  // namespace hlreports
