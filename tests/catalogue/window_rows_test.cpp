// Every criteria-window row of the catalogue, one case per option or check variant: the dialog
// is answered as a user would (its caption checked), and the test compares the exact call the
// procedure receives (the text of the text road, or each argument's name, type, size, direction
// and value on the command road, in order) and every formula value the row sets, with its kind.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFixture.h"
#include "catalogue/OwnWindowReports.h"
#include "catalogue/WindowProcedures.h"
#include "engine/CoreSetupService.h"
#include "runtime/Err.h"
#include "ui/ScriptedUi.h"

namespace hlreports::test {
namespace {

struct RowCase {
    std::string key;
    std::string variant;
    std::string caption;
    std::string actions;  // the dialog's "do" list, without the brackets
    std::string procedure;
    // The text of a text-road call, or the command road's arguments, one line each.
    std::vector<std::string> call;
    std::map<std::string, std::string> formulas;  // name -> DescribeValue of its value
    std::vector<std::string> subreports{};
    std::map<std::string, int> subreportRows{};
    Variant criteria = Variant::Null();
};

class WindowRowsTest : public BuilderTest {
  protected:
    void SetUp() override {
        BuilderTest::SetUp();
        AddWindowProcedures(db);
        // The transaction report titles its accounts from the data folder's setup service.
        files.WriteFile("data/setup.json",
                        R"({"gl_accounts": {"01": [{"number": "4000", "title": "Rental Income"},)"
                        R"( {"number": "4'10", "title": "Odd Fees"}]}})");
        TheSession().settings.glPrefix = "01";
        auto service = std::make_shared<CoreSetupService>();
        service->Init(DataFolder(), "qz", "");
        TheSession().setupService = service;
    }

    // Runs the key's builder with one dialog's answers (a JSON object of the answer file).
    RecordsetPtr Build(const std::string& key, const std::string& dialog,
                       const TestReport& description, const Variant& criteria) {
        messages.str("");
        bParamsWindow = false;
        return RunBuilder(key, R"({"dialogs": [)" + dialog + "]}", description, criteria);
    }
};

// How a recorded call reads in the cases: its text alone, or its argument lines.
std::vector<std::string> CallLines(const RecordedCall& call) {
    if (call.arguments.empty()) {
        return {call.text};
    }
    std::vector<std::string> lines;
    for (const ProcedureArgument& argument : call.arguments) {
        lines.push_back(DescribeArgument(argument));
    }
    return lines;
}

const RecordedCall* LastCallOf(const std::string& procedure) {
    const auto& calls = CallRecorder::Calls();
    for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
        if (call->text.rfind(procedure, 0) == 0) {
            return &*call;
        }
    }
    return nullptr;
}

std::vector<RowCase> Cases();

// Each window row, each variant: the procedure's exact call and every formula value.
TEST_F(WindowRowsTest, EveryRowSendsItsCallAndSetsItsFormulas) {
    for (const RowCase& c : Cases()) {
        SCOPED_TRACE(c.key + " " + c.variant);
        CallRecorder recorder;
        TestReport description;
        description.subreports = c.subreports;
        for (const auto& [name, value] : c.formulas) {
            description.parameters.push_back({name});
        }
        RecordsetPtr rows;
        try {
            rows = Build(c.key, R"({"caption": ")" + c.caption + R"(", "do": [)" + c.actions + "]}",
                         description, c.criteria);
        } catch (const ComError& error) {
            ADD_FAILURE() << error.Number() << " " << error.Source() << ": " << error.Description();
            continue;
        }
        EXPECT_NE(rows, nullptr);
        EXPECT_TRUE(bParamsWindow);
        EXPECT_EQ(messages.str(), "");
        const RecordedCall* call = LastCallOf(c.procedure);
        ASSERT_NE(call, nullptr) << c.procedure << " was not called";
        EXPECT_EQ(CallLines(*call), c.call);
        for (const auto& parameter : parameters) {
            EXPECT_EQ(DescribeValue(OnlyValue(*parameter)), c.formulas.at(parameter->Name()))
                << "formula " << parameter->Name();
        }
        for (const auto& [name, count] : c.subreportRows) {
            const auto table = report->OpenSubreport(name)->Database()->Tables().at(0);
            ASSERT_NE(table->Rows(), nullptr) << name;
            EXPECT_EQ(table->Rows()->RecordCount(), count) << name;
        }
    }
}

// Cancel in a dialog of the report's own: nothing returned, the procedure never runs,
// bParamsWindow keeps its value and the user's cancel (20545) stays pending.
TEST_F(WindowRowsTest, CancelInAnOwnDialogRunsNothing) {
    const struct {
        const char* key;
        const char* procedure;
        const char* actions;
    } cases[] = {
        {"ClassicInterfaceStatus", "sp_Rep_ClassicInterfaceStatus", R"(["click", "cmdCancel"])"},
        {"ClassicInterfaceStatus", "sp_Rep_ClassicInterfaceStatus", R"(["close"])"},
        {"rptTransDetailOptions", "sp_Rep_TransDetailOptions", R"(["click", "cmdCancel"])"},
        {"rptTransDetailOptions", "sp_Rep_TransDetailOptions", R"(["close"])"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.actions);
        CallRecorder recorder;
        EXPECT_EQ(Build(c.key, std::string(R"({"do": [)") + c.actions + "]}", {}, Variant::Null()),
                  nullptr);
        EXPECT_FALSE(bParamsWindow);
        EXPECT_EQ(Err().Number(), 20545);
        EXPECT_EQ(LastCallOf(c.procedure), nullptr);
        EXPECT_EQ(messages.str(), "");
    }
}

// An answer-file action clicking the control, and a text formula as DescribeValue writes it.
std::string Click(const std::string& control) {
    return R"(["click", ")" + control + R"("], )";
}
std::string Text(const std::string& text) {
    return "String \"" + text + "\"";
}

const char* const kProperty = R"(@Property 200(10) in = String "P1")";

std::vector<RowCase> Cases() {
    const std::string dates =
        R"(["set", "datDate1", "2024-01-01"], ["set", "datDate2", "2024-01-31"], )";
    const std::string preview = R"(["click", "cmdPreview"])";
    const std::string start = "Date #2024-01-01#";
    const std::string end = "Date #2024-01-31#";
    const std::string name = R"(String "Maple Court")";
    const std::string idAndName = R"(String "P1 - Maple Court")";
    const std::string datesText = "@StartDate='2024-01-01',@EndDate='2024-01-31'";
    std::vector<RowCase> cases;
    const auto add = [&cases](RowCase c) { cases.push_back(std::move(c)); };

    const std::string statement =
        R"(["set", "datDate1", "2024-04-02"], ["set", "datDate2", "2024-05-01"], )"
        R"(["set", "datDate3", "2024-03-01"], )";
    const std::vector<std::string> statementOutputs = {"@PropAddrLn1 200(30) out = Empty",
                                                       "@PropAddrLn2 200(30) out = Empty",
                                                       "@PropAddrLn3 200(29) out = Empty"};
    const std::map<std::string, std::string> statementFormulas = {
        {"Property", name},
        {"AsOfDate", "Date #2024-05-01#"},
        {"PropAddrLn1", R"(String "out PropAddrLn1")"},
        {"PropAddrLn2", R"(String "out PropAddrLn2")"},
        {"PropAddrLn3", R"(String "out PropAddrLn3")"},
        {"BegOfCurr", "Empty"},
        {"BegOfPrev", "Empty"}};
    for (const auto& [variant, pick, resident] :
         {std::tuple{"one resident", R"js(["pick", "cboCombo(1)", "O'NEIL1"], )js", "O'NEIL1"},
          std::tuple{"all residents", R"(["click", "chk2"], )", ""}}) {
        RowCase c{
            .key = "rptRentStatement",
            .variant = variant,
            .caption = "Rent Statement Report Criteria",
            .actions = statement + pick + preview,
            .procedure = "sp_Rep_RentStatement",
            .call = {kProperty, std::string(R"(@Resident 200(10) in = String ")") + resident + "\"",
                     "@StatementDate 133(6) in = Date #2024-04-02#",
                     "@AsOf 133(6) in = Date #2024-05-01#",
                     "@LastStatementDate 133(6) in = Date #2024-03-01#"},
            .formulas = statementFormulas};
        c.call.insert(c.call.end(), statementOutputs.begin(), statementOutputs.end());
        add(c);
    }
    add({.key = "rptEconomicVacancy",
         .variant = "dates",
         .caption = "Economic Vacancy Report Criteria",
         .actions = dates + preview,
         .procedure = "sp_Rep_EconomicVacancy",
         .call = {kProperty, "@StartDate 133(6) in = Date #2024-01-01#",
                  "@EndDate 133(6) in = Date #2024-01-31#", "@ProMoDays 3(6) out = Empty"},
         .formulas = {
             {"PropName", name}, {"StartDate", start}, {"EndDate", end}, {"ProMoDays", "Long 7"}}});
    for (const auto& [key, caption, option, order] :
         {std::tuple{"rptLeaseExpiration", "Lease Expiration Report Criteria", "optSort1",
                     "SortOrder"},
          std::tuple{"rptLeaseExpiration", "Lease Expiration Report Criteria", "optSort2",
                     "MTM, LeaseEnd"},
          std::tuple{"rptLeaseExpByMonth", "Lease Expiration By Month Report Criteria", "optSort1",
                     "SortOrder"},
          std::tuple{"rptLeaseExpByMonth", "Lease Expiration By Month Report Criteria", "optSort2",
                     "LeaseEnd,SortOrder"}}) {
        add({.key = key,
             .variant = option,
             .caption = caption,
             .actions = dates + Click(option) + preview,
             .procedure = "sp_Rep_rptLeaseExpiration",
             .call = {"sp_Rep_rptLeaseExpiration @RepStart='2024-01-01',@RepEnd='2024-01-31',"
                      "@Property='P1',@OrderBy='" +
                      std::string(order) + "'"},
             .formulas = {{"Property", idAndName}, {"RepStart", start}, {"RepEnd", end}}});
    }
    for (const auto& [option, sortOrder] :
         {std::pair{"optSort1", "Resident"}, std::pair{"optSort2", "Unit"}}) {
        add({.key = "rptNSF",
             .variant = option,
             .caption = "Returned Item Report Criteria",
             .actions = dates + Click(option) + preview,
             .procedure = "sp_Rep_NSF",
             .call = {"sp_Rep_NSF @Property='P1'," + datesText},
             .formulas = {{"Property", idAndName},
                          {"SortOrder", Text(sortOrder)},
                          {"StartDate", start},
                          {"EndDate", end}}});
    }
    add({.key = "rptPropStatus",
         .variant = "dates",
         .caption = "Property Status Report Criteria",
         .actions = dates + preview,
         .procedure = "sp_Rep_rptPropStatus",
         .call = {"sp_Rep_rptPropStatus @Property='P1'," + datesText},
         .formulas = {{"Property", name}, {"StartDate", start}, {"EndDate", end}}});
    const std::string trafficCall =
        "sp_Rep_rptTraffic @Property='P1',@DateStart='2024-01-01',@DateEnd='2024-01-31'";
    for (const auto& [sort, show, sortText, viewText] :
         {std::tuple{"optSort1", "optShow1", "Agent", "Ph"},
          std::tuple{"optSort2", "optShow2", "VisDate", "WI"},
          std::tuple{"optSort1", "optShow3", "Agent", "Both"}}) {
        add({.key = "rptTrafficSum",
             .variant = std::string(sort) + " " + show,
             .caption = "Traffic Summary Report Criteria",
             .actions = dates + Click(sort) + Click(show) + preview,
             .procedure = "sp_Rep_rptTraffic",
             .call = {trafficCall},
             .formulas = {{"StartDate", start},
                          {"EndDate", end},
                          {"Property", name},
                          {"PropertyName", name},
                          {"LeaseDate", R"(String "3/1/2024")"},
                          {"Sort", Text(sortText)},
                          {"View", Text(viewText)}}});
    }
    add({.key = "rptTraffic",
         .variant = "dates, no sort or view",
         .caption = "Market Sources Report Criteria",
         .actions = dates + preview,
         .procedure = "sp_Rep_rptTraffic",
         .call = {trafficCall},
         .formulas = {{"StartDate", start},
                      {"EndDate", end},
                      {"Property", name},
                      {"PropertyName", name},
                      {"LeaseDate", R"(String "3/1/2024")"},
                      {"Sort", "Empty"},
                      {"View", "Empty"}}});
    add({.key = "rptTrafficSources",
         .variant = "as of",
         .caption = "Traffic Sources Criteria",
         .actions = R"(["set", "datDate1", "2024-03-31"], )" + preview,
         .procedure = "sp_Rep_rptTrafficSources",
         .call = {"sp_Rep_rptTrafficSources @Property='P1',@PropName='Maple Court',"
                  "@StartDate='2024-03-01',@EndDate='2024-03-31'"},
         .formulas = {{"Start Date", "Date #2024-03-31#"}}});
    for (const auto& [option, sortOrder] :
         {std::pair{"optSort1", "SortOrder"}, std::pair{"optSort2", "Name"}}) {
        add({.key = "rptTenantList",
             .variant = option,
             .caption = "Resident List Report Criteria",
             .actions = Click(option) + preview,
             .procedure = "sp_Rep_rptTenantList",
             .call = {"sp_Rep_rptTenantList @Property='P1'"},
             .formulas = {{"Property", idAndName}, {"SortOrder", Text(sortOrder)}}});
    }
    for (const auto& [variant, actions, batch, viewAll] :
         {std::tuple{"one batch", R"js(["pick", "cboCombo(1)", "B7"], )js", "B7", "0"},
          std::tuple{"all batches", R"(["click", "chk1"], )", "", "1"}}) {
        add({.key = "rptCashReceiptsPosted",
             .variant = variant,
             .caption = "Posted Cash Receipts Report Criteria",
             .actions = R"js(["pick", "cboCombo(0)", "#0"], )js" + std::string(actions) + preview,
             .procedure = "sp_Rep_rptCashReceiptsPosted",
             .call = {"sp_Rep_rptCashReceiptsPosted @Property='P1',@DatePost='2024-02-05',"
                      "@BatchNum='" +
                      std::string(batch) + "',@ViewAll=" + viewAll},
             .formulas = {{"Property", idAndName}, {"BatchDate", R"(String "2/5/2024")"}}});
    }
    add({.key = "rptBkDepBatch",
         .variant = "dates",
         .caption = "Bank Deposits Batch Report Criteria",
         .actions = dates + preview,
         .procedure = "sp_Rep_BankDepBatch",
         .call = {"sp_Rep_BankDepBatch @Property='P1'," + datesText},
         .formulas = {{"PropertyID", R"(String "P1")"},
                      {"PropertyName", name},
                      {"StartDate", start},
                      {"EndDate", end},
                      {"DefaultDepositType", R"(String "CK")"},
                      {"DefaultDepositCode", R"(String "1010")"}}});
    const std::string asOf = R"(["set", "datDate1", "2024-03-15"], )";
    for (const auto& [option, checks, details, detail, applicants] :
         {std::tuple{"optShow1", "", "Includes Prepayments", false, false},
          std::tuple{"optShow2", R"(["click", "chk1"], )", "Excludes Prepayments", true, false},
          std::tuple{"optShow3", R"(["click", "chk2"], )", "Prepayments Only", false, true}}) {
        const std::string boolean = detail ? "Boolean True" : "Boolean False";
        add({.key = "rptCurrentBalance",
             .variant = std::string(option) + " " + checks,
             .caption = "Current Balance Report Criteria",
             .actions = asOf + Click(option) + checks + preview,
             .procedure = "sp_Rep_rptCurrentBallance",
             .call = {"sp_Rep_rptCurrentBallance @Property='P1',@AsOfDate='2024-03-15',"
                      "@Applicants=" +
                      std::string(applicants ? "-1" : "0")},
             .formulas = {{"ShowDetail", boolean},
                          {"PropertyName", name},
                          {"RepDetails", Text(details)},
                          {"AsOfDate", "Date #2024-03-15#"},
                          {"ShowApplicants", applicants ? "Boolean True" : "Boolean False"}}});
    }
    for (const auto& [option, oper, details, detail] :
         {std::tuple{"optShow1", "<>", "Includes Prepayments", true},
          std::tuple{"optShow2", ">", "Excludes Prepayments", false},
          std::tuple{"optShow3", "<", "Prepayments Only", false}}) {
        add({.key = "rptDelinquency",
             .variant = option,
             .caption = "Aged Delinquency Report Criteria",
             .actions = asOf + Click(option) + (detail ? R"(["click", "chk1"], )" : "") + preview,
             .procedure = "sp_Rep_rptDelinquency",
             .call = {"sp_Rep_rptDelinquency @Property='P1',@DelinqOper='" + std::string(oper) +
                      "',@AgeBy=0,@AsOfDate='2024-03-15'"},
             .formulas = {{"ShowDetail", detail ? "Boolean True" : "Boolean False"},
                          {"PropertyName", name},
                          {"RepDetails", Text(details)},
                          {"AsOfDate", "Date #2024-03-15#"}}});
    }
    add({.key = "rptWeeklyBoxScore",
         .variant = "dates and the Box sub-report",
         .caption = "Weekly BoxScore Report Criteria",
         .actions = dates + preview,
         .procedure = "sp_Rep_WeeklyBoxMain",
         .call = {"sp_Rep_WeeklyBoxMain @Property='P1'," + datesText},
         .formulas = {{"Property", name}, {"StartDate", start}, {"EndDate", end}},
         .subreports = {"Box"},
         .subreportRows = {{"Box", 1}}});
    add({.key = "rptMonthlySum",
         .variant = "month end of the end date",
         .caption = "Monthly Summary Report Criteria",
         .actions =
             R"(["set", "datDate1", "2023-02-01"], ["set", "datDate2", "2023-02-10"], )" + preview,
         .procedure = "sp_Rep_MonthlySum",
         .call = {kProperty, "@AcctgMethod 3(4) in = Long 3",
                  "@RepStart 133(6) in = Date #2023-02-01#",
                  "@RepEnd 133(6) in = Date #2023-02-10#", "@EOM 133(6) in = Date #2023-02-28#",
                  "@DefaultChargeType 200(20) out = Empty", "@DepositCredits 3(4) out = Empty",
                  "@NetDelinquentPrepaid 5(8) out = Empty", "@CurrentAR 5(8) out = Empty"},
         .formulas = {{"PropName", name},
                      {"StartDate", "Date #2023-02-01#"},
                      {"EndDate", "Date #2023-02-10#"},
                      {"DepositCreditCount", "Integer 7"},
                      {"NetDelinquentPrepaid", "Double 2.5"},
                      {"DepositChargeType", R"(String "out DefaultChargeTyp")"},
                      {"CurrentAR", "Double 2.5"}},
         .subreports = {"MonthlySum.rpt", "MonthlySumDepositsOut.rpt", "MonthlySumCashRec.rpt",
                        "MonthlySumDelinq.rpt", "MonthlySumPrepaid.rpt", "MonthlySumCharge.rpt",
                        "MonthSumConc.rpt"},
         .subreportRows = {{"MonthlySum.rpt", 1}, {"MonthSumConc.rpt", 1}}});
    for (const auto& [option, sortBy] :
         {std::pair{"optSort1", "Unit"}, std::pair{"optSort2", "Unit Class"}}) {
        add({.key = "UnitListing",
             .variant = option,
             .caption = "Unit Listing Criteria",
             .actions = Click(option) + preview,
             .procedure = "sp_Rep_UnitListing",
             .call = {"sp_Rep_UnitListing @Property='P1'"},
             .formulas = {{"PropName", name}, {"SortBy", Text(sortBy)}}});
    }
    add({.key = "rptUnitStats",
         .variant = "dates",
         .caption = "Unit Statistics Report Criteria",
         .actions = dates + preview,
         .procedure = "sp_Rep_UnitStatistics",
         .call = {kProperty, "@StartDate 133(6) in = Date #2024-01-01#",
                  "@EndDate 133(6) in = Date #2024-01-31#", "@OnNotice 3(6) out = Empty"},
         .formulas = {
             {"PropName", name}, {"StartDate", start}, {"EndDate", end}, {"OnNotice", "Long 7"}}});
    for (const auto& [option, sortParam] :
         {std::pair{"optSort1", "Unit"}, std::pair{"optSort2", "Name"},
          std::pair{"optSort3", "Tran Type"}}) {
        add({.key = "rptTransList",
             .variant = option,
             .caption = "Transaction List Report Criteria",
             .actions = dates + Click(option) + preview,
             .procedure = "sp_Rep_rptTransList",
             .call = {"sp_Rep_rptTransList @Property='P1',@PropName='Maple Court',"
                      "@RepStart='2024-01-01',@RepEnd='2024-01-31'"},
             .formulas = {{"SortParam", Text(sortParam)}}});
    }
    add({.key = "rptCashReceiptsGLEffect",
         .variant = "dates and both sub-reports",
         .caption = "Posted Cash Receipts with GL Effect",
         .actions = dates + preview,
         .procedure = "sp_Rep_PostedCashGLEffect",
         .call = {"sp_Rep_PostedCashGLEffect @Property='P1'," + datesText},
         .formulas = {{"PropName", name}, {"StartDate", start}, {"EndDate", end}},
         .subreports = {"GLEffect.rpt", "GLEffectCash.rpt"},
         .subreportRows = {{"GLEffect.rpt", 1}, {"GLEffectCash.rpt", 1}}});
    for (const auto& [option, sortBy] :
         {std::pair{"optSort1", "Unit"}, std::pair{"optSort2", "IntendMoveInOut"}}) {
        add({.key = "rptMoveInOut",
             .variant = option,
             .caption = "MoveIn MoveOut Report Criteria",
             .actions = dates + Click(option) + preview,
             .procedure = "sp_Rep_rptMoveInOut",
             .call = {"sp_Rep_rptMoveInOut @Property='P1'," + datesText + ",@SortBy='" + sortBy +
                      "'"},
             .formulas = {{"Report Date", start}, {"EndDate", end}, {"Property", name}}});
    }
    add({.key = "rptDaysVac",
         .variant = "proration days",
         .caption = "Days Vacant Report Criteria",
         .actions = dates + preview,
         .procedure = "sp_Rep_DaysVacant",
         .call = {kProperty, "@StartDate 133(6) in = Date #2024-01-01#",
                  "@EndDate 133(6) in = Date #2024-01-31#",
                  "@Occ_Proration_Opt 200(20) out = Empty"},
         .formulas = {{"Property", name},
                      {"ProMoDays", "Integer 31"},
                      {"StartDate", start},
                      {"EndDate", end}}});
    // The boxes open as Current and Pending checked, Former clear.
    for (const auto& [variant, boxes, current, former, pending, rows] :
         {std::tuple{"as opened: current and pending", "", true, false, true, 2},
          std::tuple{
              "former only",
              R"(["click", "chkCB1Frm1"], ["click", "chkCB2Frm1"], ["click", "chkCB3Frm1"], )",
              false, true, false, 1},
          std::tuple{"none: no filter", R"(["click", "chkCB1Frm1"], ["click", "chkCB3Frm1"], )",
                     false, false, false, 3},
          std::tuple{"all three", R"(["click", "chkCB2Frm1"], )", true, true, true, 3}}) {
        const auto flag = [](bool on) {
            return std::string(on ? "Boolean True" : "Boolean False");
        };
        add({.key = "rptDepositLog",
             .variant = variant,
             .caption = "Deposit Log Report Criteria",
             .actions = dates + boxes + preview,
             .procedure = "sp_Rep_DepositLog",
             .call = {"sp_Rep_DepositLog " + datesText + ",@Property='P1'"},
             .formulas = {{"StartDate", start},
                          {"EndDate", end},
                          {"PropertyName", name},
                          {"Inactive", flag(former)},
                          {"Pending", flag(pending)},
                          {"Current", flag(current)}},
             .subreports = {"Sum"},
             .subreportRows = {{"Sum", rows}}});
    }
    for (const auto& [variant, actions, rented, available, type, criteria] :
         {std::tuple{"every type, both statuses", "", 1, 1, "",
                     "Report Printed For Other Unit Type: All Unit Types Status A, R"},
          std::tuple{"garages, rented only",
                     R"js(["pick", "cboCombo(1)", "GARAGE"], ["click", "chk1"], )js", 1, 0,
                     "GARAGE", "Report Printed For Other Unit Type: GARAGE Status R"},
          std::tuple{"available only", R"(["click", "chk2"], )", 0, 1, "",
                     "Report Printed For Other Unit Type: All Unit Types Status A"}}) {
        add({.key = "rptOtherUnitByType",
             .variant = variant,
             .caption = "Other Unit By Type Report Criteria",
             .actions = actions + preview,
             .procedure = "sp_Rep_OtherUnitByType",
             .call = {"sp_Rep_OtherUnitByType @Property='P1',@booRented=" + std::to_string(rented) +
                      ",@booAvailable=" + std::to_string(available) + ",@Type='" + type + "'"},
             .formulas = {{"Property", name}, {"Criteria", Text(criteria)}}});
    }
    for (const auto& [sort, show, all, onGroup] :
         {std::tuple{"optSort1", "optShow1", 1, "BDay_Month, BirthDate"},
          std::tuple{"optSort2", "optShow2", 0, ""}}) {
        add({.key = "rptResidentBDay",
             .variant = std::string(sort) + " " + show,
             .caption = "Resident Birthday Report Criteria",
             .actions = Click(sort) + Click(show) + preview,
             .procedure = "sp_Rep_ResidentBDay",
             .call = {"sp_Rep_ResidentBDay @Property='P1',@AllBDays=" + std::to_string(all)},
             .formulas = {{"Property", name}, {"OnGroup", Text(onGroup)}}});
    }
    add({.key = "WeeklyBoxCommunities",
         .variant = "dates",
         .caption = "Weekly Boxscore Communities Report Criteria",
         .actions = dates + preview,
         .procedure = "sp_Rep_WeeklyBoxCommunities",
         .call = {"sp_Rep_WeeklyBoxCommunities " + datesText},
         .formulas = {{"StartDate", start}, {"EndDate", end}}});
    add({.key = "VacancyDeviation",
         .variant = "dates",
         .caption = "Vacancy / Deviation Report Criteria",
         .actions = dates + preview,
         .procedure = "sp_Rep_VacancyDeviation",
         .call = {kProperty, "@StartDate 133(6) in = Date #2024-01-01#",
                  "@EndDate 133(6) in = Date #2024-01-31#", "@ProMoDays 3(6) out = Empty"},
         .formulas = {
             {"PropName", name}, {"StartDate", start}, {"EndDate", end}, {"ProMoDays", "Long 7"}}});
    add({.key = "ConcessionMatrix",
         .variant = "month and year",
         .caption = "Concession Matrix Report Criteria",
         .actions = R"(["set", "datDate1", "2024-03-15"], )" + preview,
         .procedure = "sp_Rep_ConcessionMatrix",
         .call = {"sp_Rep_ConcessionMatrix @Property='P1',@AsOfMonth='3',@AsOfYear='2024'"},
         .formulas = {{"PropName", name}, {"AsOfDate", "Date #2024-03-15#"}}});
    add({.key = "EndOfMonth",
         .variant = "asked: a day past the 27th moves to the month's end",
         .caption = "End Of Month Report",
         .actions = R"(["set", "datDate1", "2024-02-28"], )" + preview,
         .procedure = "sp_EOM",
         .call = {kProperty, "@EndDate 133(8) in = Date #2024-02-29#",
                  "@DaysInMonth 3(8) in = Long 29", "@ReportOnly 2(4) in = Integer 1",
                  "@GPR 5(8) out = Empty", "@LTL 5(8) out = Empty", "@VL 5(8) out = Empty"},
         .formulas = {{"PropertyName", name},
                      {"AsOfDate", "Date #2024-02-29#"},
                      {"DaysInMonth", "Integer 29"}}});
    for (const auto& [variant, actions, call] :
         {std::tuple{"all applicants and residents", "", "@Option=0,@Lease='',@Revision=0"},
          std::tuple{"no response yet", R"js(["click", "OptReport(2)"], )js",
                     "@Option=2,@Lease='',@Revision=0"},
          std::tuple{"one resident",
                     R"js(["click", "OptReport(4)"], ["pick", "cboResidents", "O'Neil, Pat"], )js",
                     "@Option=4,@Lease='L-2',@Revision=1"}}) {
        add({.key = "ClassicInterfaceStatus",
             .variant = variant,
             .caption = "Classic Interface Status Report Options",
             .actions = actions + preview,
             .procedure = "sp_Rep_ClassicInterfaceStatus",
             .call = {"sp_Rep_ClassicInterfaceStatus @Property='P1'," + std::string(call)},
             .formulas = {{"PropertyName", idAndName}}});
    }
    const std::string transaction = "sp_Rep_TransDetailOptions @Property='P1',";
    add({.key = "rptTransDetailOptions",
         .variant = "everything",
         .caption = "Accounting Transaction Report Criteria",
         .actions = preview,
         .procedure = "sp_Rep_TransDetailOptions",
         .call = {transaction +
                  "@AcctgMethod='1',@DateType='0',@StartDt='',@EndDt='',@UnitStart=-1,"
                  "@UnitEnd=-1,@UnitStatus='',@Residents='',@Accounts='',@ChargeTypes='',"
                  "@Batches='',@Runs=''"},
         .formulas = {{"Property", name}}});
    // Each list narrowed; the lists arrive quoted once ('O''NEIL1'), which the text call
    // quotes again as a whole.
    add({.key = "rptTransDetailOptions",
         .variant = "every list narrowed, current residents",
         .caption = "Accounting Transaction Report Criteria",
         .actions =
             R"(["pick", "cboAcctgMethod", "2"], ["pick", "cboDateUsed", "2"],)"
             R"( ["set", "dtpDateFrom", "2024-01-01"], ["set", "dtpDateTo", "2024-01-31"],)"
             R"( ["click", "chkUnits"], ["pick", "cboUnitStart", "101"],)"
             R"( ["pick", "cboUnitEnd", "102"], ["click", "chkResidents"],)"
             R"js( ["click", "optResStatus(1)"], ["pick", "grdResident", "O'NEIL1", "R1"],)js"
             R"( ["click", "chkAccounts"], ["pick", "grdAccount", "4'10", "4999"],)"
             R"( ["click", "chkChargeTypes"], ["pick", "grdChargeType", "LATE"],)"
             R"( ["click", "chkBatches"], ["pick", "grdBatch", "B-1"],)"
             R"( ["click", "chkRuns"], ["pick", "grdRun", "3", "5"], )" +
             preview,
         .procedure = "sp_Rep_TransDetailOptions",
         .call = {transaction +
                  "@AcctgMethod='2',@DateType='2',@StartDt='1/1/2024',@EndDt='1/31/2024',"
                  "@UnitStart=1,@UnitEnd=2,@UnitStatus='Active',"
                  "@Residents='''O''''NEIL1'',''R1''',@Accounts='''4''''10'',''4999''',"
                  "@ChargeTypes='''LATE''',@Batches='''B-1''',@Runs='3,5'"},
         .formulas = {{"Property", name}}});
    add({.key = "rptTransDetailOptions",
         .variant = "former residents, all of them",
         .caption = "Accounting Transaction Report Criteria",
         .actions = R"js(["click", "chkResidents"], ["click", "optResStatus(2)"], )js" + preview,
         .procedure = "sp_Rep_TransDetailOptions",
         .call = {transaction +
                  "@AcctgMethod='1',@DateType='0',@StartDt='',@EndDt='',@UnitStart=-1,"
                  "@UnitEnd=-1,@UnitStatus='Closed',@Residents='',@Accounts='',@ChargeTypes='',"
                  "@Batches='',@Runs=''"},
         .formulas = {{"Property", name}}});
    return cases;
}

// The accounts are titled from the setup service: a known account gets its title (an apostrophe
// in the account matched as it is), an unknown one "Unknown account"; no accounts, no lookup.
TEST_F(WindowRowsTest, AccountTitlesComeFromTheSetupService) {
    const auto rows = [](std::vector<std::pair<std::string, std::string>> values) {
        auto recordset = EmptyList({"Value", "Title", "Type"});
        for (const auto& [value, type] : values) {
            recordset->AppendRow({Variant(value), Variant(""), Variant(type)});
        }
        recordset->FinishLoading();
        return recordset;
    };
    const RecordsetPtr accounts = AccountsWithTitles(
        *rows({{"4000", "Account"}, {"B-1", "Batch"}, {"4'10", "Account"}, {"4999", "Account"}}),
        "01");
    std::vector<std::string> titles;
    for (accounts->MoveFirst(); !accounts->EOF(); accounts->MoveNext()) {
        titles.push_back(accounts->Value("Value").ToString() + " " +
                         accounts->Value("Title").ToString());
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"4000 Rental Income", "4'10 Odd Fees",
                                                "4999 Unknown account"}));
    TheSession().setupService.reset();
    EXPECT_EQ(AccountsWithTitles(*rows({{"B-1", "Batch"}}), "01")->RecordCount(), 0);
    EXPECT_THROW(AccountsWithTitles(*rows({{"4000", "Account"}}), "01"), ComError);
}

// The units list holds the property's own units, also for an id with an apostrophe; a failing
// parameter procedure leaves accounts, batches and runs empty and the window still opens.
TEST_F(WindowRowsTest, TransactionWindowListsOfAQuotedPropertyAndAFailedParameterRun) {
    propertyId = "O'K";
    CallRecorder recorder;
    ASSERT_NE(Build("rptTransDetailOptions",
                    R"({"do": [["click", "chkUnits"], ["pick", "cboUnitEnd", "202"],)"
                    R"( ["click", "cmdPreview"]]})",
                    {}, Variant::Null()),
              nullptr);
    EXPECT_NE(LastCallOf("sp_Rep_TransDetailOptions")->text.find("@UnitStart=-1,@UnitEnd=2,"),
              std::string::npos);
    const std::string refused = R"({"do": [["click", "chkUnits"], ["pick", "cboUnitEnd", "102"]]})";
    const ComError error =
        CaughtComError([&] { Build("rptTransDetailOptions", refused, {}, Variant::Null()); });
    EXPECT_EQ(error.Number(), 2955);
    EXPECT_EQ(error.Source(), "rptTransDetailOptions");
    EXPECT_NE(error.Description().find("has no row \"102\""), std::string::npos)
        << error.Description();

    propertyId = "P1";
    db.Execute("DELETE FROM sys_procedures WHERE name = 'sp_TransDetailOptions_Parameters'");
    const std::string accounts =
        R"({"do": [["click", "chkAccounts"], ["pick", "grdAccount", "4000"]]})";
    EXPECT_NE(CaughtComError([&] { Build("rptTransDetailOptions", accounts, {}, Variant::Null()); })
                  .Description()
                  .find("has no row \"4000\""),
              std::string::npos);
    ASSERT_NE(
        Build("rptTransDetailOptions", R"({"do": [["click", "cmdPreview"]]})", {}, Variant::Null()),
        nullptr);
}

}  // namespace
}  // namespace hlreports::test
