// The criteria-window rows of the catalogue, worked through scripted dialogs: Cancel for every
// window kind, the balance reports' option table, the month-length rules, End of Month, the rent
// statement's resident filter and statement-date update, and a few rows end to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFixture.h"
#include "catalogue/WindowReports.h"
#include "runtime/Err.h"
#include "ui/ScriptedUi.h"

namespace hlreports::test {
namespace {

class WindowBuilderTest : public BuilderTest {
  protected:
    void SetUp() override {
        BuilderTest::SetUp();
        db.Execute(
            "CREATE TABLE tblProperties (Property TEXT PRIMARY KEY, LastStatementDate date);"
            "INSERT INTO tblProperties VALUES ('P1', NULL), ('P2', '2023-05-01');"
            "CREATE TABLE tblRes (Resident TEXT, Name TEXT, Account_Status TEXT, Status TEXT);"
            "INSERT INTO tblRes VALUES ('R9', 'Gone', 'Active', 'Terminated'),"
            "('R1', 'Ann', 'Active', 'Current');"
            "CREATE TABLE tblCBOValues (ItemValue TEXT, ItemDescription TEXT, ItemType TEXT,"
            " Property TEXT, SortKey INT);"
            "CREATE TABLE tblOtherUnit (Property TEXT, OtherUnitType TEXT);");
        db.AddProcedure("sp_GetDistinctPaymentDates", "@Property varchar(10)",
                        "SELECT '2024-02-05' AS Date_Stamp");
        db.AddProcedure("sp_ResidentsAndUnits", "@Property varchar(10)", "SELECT * FROM tblRes");
        db.AddProcedure("sp_stp_Properties", "", "SELECT * FROM tblProperties");
        db.AddProcedure("sp_GetPropertyInfo",
                        "@Property varchar(10), @DBVersion varchar(10) OUTPUT",
                        "SELECT (SELECT Opt FROM tblOpt) AS Occ_Proration_Opt");
        db.Execute(
            "CREATE TABLE tblOpt (Opt TEXT); INSERT INTO tblOpt VALUES ('Actual Number Days');");
    }

    // Runs the key's builder with the scripted answers; the report carries the named formulas.
    RecordsetPtr Run(const std::string& key, const std::string& answers,
                     const std::vector<std::string>& formulas = {},
                     Variant criteria = Variant::Null(), std::vector<std::string> subreports = {}) {
        return RunBuilder(key, answers, ReportWith(formulas, std::move(subreports)), criteria);
    }

    static bool Called(const std::string& procedure) {
        const auto& calls = CallRecorder::Calls();
        return std::any_of(calls.begin(), calls.end(), [&](const RecordedCall& call) {
            return call.text.rfind(procedure, 0) == 0;
        });
    }

    static const RecordedCall& CallOf(const std::string& procedure) {
        const auto& calls = CallRecorder::Calls();
        const auto call = std::find_if(calls.begin(), calls.end(), [&](const RecordedCall& c) {
            return c.text.rfind(procedure, 0) == 0;
        });
        EXPECT_NE(call, calls.end()) << procedure;
        return *call;
    }
};

// Cancel in any window: nothing returned, the report's procedure never runs, bParamsWindow
// keeps its value and 20545 stays pending.
TEST_F(WindowBuilderTest, CancelRunsNothing) {
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"rptNSF", "sp_Rep_NSF"},
        {"rptTenantList", "sp_Rep_rptTenantList"},
        {"rptTrafficSources", "sp_Rep_rptTrafficSources"},
        {"rptPropStatus", "sp_Rep_rptPropStatus"},
        {"rptTransList", "sp_Rep_rptTransList"},
        {"rptTrafficSum", "sp_Rep_rptTraffic"},
        {"rptDepositLog", "sp_Rep_DepositLog"},
        {"rptResidentBDay", "sp_Rep_ResidentBDay"},
        {"rptDelinquency", "sp_Rep_rptDelinquency"},
        {"rptCurrentBalance", "sp_Rep_rptCurrentBallance"},
        {"rptOtherUnitByType", "sp_Rep_OtherUnitByType"},
        {"rptCashReceiptsPosted", "sp_Rep_rptCashReceiptsPosted"},
        {"rptRentStatement", "sp_Rep_RentStatement"},
        {"EndOfMonth", "sp_EOM"},
    };
    for (const bool before : {false, true}) {
        for (const auto& [key, procedure] : keys) {
            CallRecorder recorder;
            bParamsWindow = before;
            const RecordsetPtr rows =
                Run(key, R"({"dialogs": [{"do": [["click", "cmdCancel"]]}]})");
            EXPECT_EQ(rows, nullptr) << key;
            EXPECT_EQ(bParamsWindow, before) << key;
            EXPECT_EQ(Err().Number(), 20545) << key;
            EXPECT_FALSE(Called(procedure)) << key;
        }
    }
}

// The balance reports' View choice: operator (delinquency only) and RepDetails text; the
// as-of date goes to the report date; "Show Applicants" sends -1.
TEST_F(WindowBuilderTest, BalanceReportOptions) {
    db.AddProcedure("sp_Rep_rptDelinquency",
                    "@Property varchar(10), @DelinqOper varchar(2), @AgeBy int, @AsOfDate date",
                    "SELECT @DelinqOper AS Oper");
    db.AddProcedure("sp_Rep_rptCurrentBallance",
                    "@Property varchar(10), @AsOfDate date, @Applicants int",
                    "SELECT @Applicants AS Applicants");
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"optShow1", "<>", "Includes Prepayments"},
        {"optShow2", ">", "Excludes Prepayments"},
        {"optShow3", "<", "Prepayments Only"},
    };
    for (const auto& [option, oper, details] : cases) {
        CallRecorder recorder;
        const std::string answers =
            R"({"dialogs": [{"caption": "Aged Delinquency Report Criteria", "do": [)"
            R"(["set", "datDate1", "2024-03-15"], ["click", ")" +
            option + R"("], ["click", "cmdPreview"]]}]})";
        ASSERT_NE(Run("rptDelinquency", answers, {"RepDetails", "AsOfDate", "ShowDetail"}),
                  nullptr);
        EXPECT_NE(CallRecorder::Calls().back().text.find("@DelinqOper='" + oper + "'"),
                  std::string::npos)
            << CallRecorder::Calls().back().text;
        EXPECT_EQ(Formula("RepDetails"), Variant(details));
        EXPECT_EQ(Formula("ShowDetail"), Variant(false));
        EXPECT_EQ(report->ReportDate(), Date::FromYmd(2024, 3, 15));
    }
    CallRecorder recorder;
    ASSERT_NE(Run("rptCurrentBalance",
                  R"({"dialogs": [{"do": [["click", "chk2"], ["click", "optShow3"],)"
                  R"( ["click", "cmdPreview"]]}]})",
                  {"RepDetails", "ShowApplicants"}),
              nullptr);
    EXPECT_NE(CallRecorder::Calls().back().text.find("@Applicants=-1"), std::string::npos);
    EXPECT_EQ(Formula("RepDetails"), Variant("Prepayments Only"));
    EXPECT_EQ(Formula("ShowApplicants"), Variant(true));
    EXPECT_TRUE(bParamsWindow);
}

// Month lengths and proration days.
TEST(MonthRulesTest, DaysInMonthAndProration) {
    EXPECT_EQ(DaysInMonth(Date::FromYmd(2024, 2, 10)), 29);
    EXPECT_EQ(DaysInMonth(Date::FromYmd(2023, 12, 1)), 31);
    const std::vector<std::tuple<Date, Date, std::string, bool, int16_t>> cases = {
        {Date::FromYmd(2023, 1, 15), Date::FromYmd(2023, 2, 10), "Actual Number Days", true, 30},
        {Date::FromYmd(2023, 4, 1), Date::FromYmd(2023, 4, 20), "Actual Number Days", true, 30},
        {Date::FromYmd(2024, 1, 15), Date::FromYmd(2024, 2, 10), "Actual Number Days", true, 30},
        {Date::FromYmd(2023, 3, 1), Date::FromYmd(2023, 4, 1), "Actual Number Days", true, 30},
        {Date::FromYmd(2023, 4, 1), Date::FromYmd(2023, 4, 20), "30 Day Month", true, 30},
        {Date::FromYmd(2023, 4, 1), Date::FromYmd(2023, 4, 20), "actual number days", false, -1},
    };
    for (const auto& [start, end, option, known, days] : cases) {
        int16_t result = -1;
        EXPECT_EQ(ProrationDays(start, end, option, result), known) << option;
        EXPECT_EQ(result, days) << option << " " << start.ToIsoDate();
    }
    EXPECT_EQ(EndOfMonthDays(Date::FromYmd(2023, 3, 15), "Actual Number Days"), 28);
    EXPECT_EQ(EndOfMonthDays(Date::FromYmd(2023, 3, 31), "Actual Number Days"), 31);
    EXPECT_EQ(EndOfMonthDays(Date::FromYmd(2023, 2, 28), "30 Day Month"), 30);
    EXPECT_EQ(EndOfMonthDays(Date::FromYmd(2023, 2, 28), "other"), 0);
}

// End of Month with a criteria date runs without a window, moves a day past the 27th to the
// month's end and counts that month's days.
TEST_F(WindowBuilderTest, EndOfMonthFromCriteria) {
    db.AddProcedure("sp_EOM",
                    "@Property varchar(10), @EndDate date, @DaysInMonth int, @ReportOnly smallint,"
                    " @GPR float OUTPUT, @LTL float OUTPUT, @VL float OUTPUT",
                    "SELECT @DaysInMonth AS Days");
    for (const auto& [day, end, days] : {std::tuple{29, Date::FromYmd(2023, 3, 31), 31},
                                         std::tuple{15, Date::FromYmd(2023, 3, 15), 28}}) {
        CallRecorder recorder;
        VariantArray criteria(0, 1);
        criteria.At(0) = Variant(Date::FromYmd(2023, 3, day));
        ASSERT_NE(
            Run("EndOfMonth", R"({"dialogs": []})", {"AsOfDate", "DaysInMonth"}, Variant(criteria)),
            nullptr);
        const RecordedCall& call = CallOf("sp_EOM");
        EXPECT_EQ(call.arguments.at(1).value.ToDate(), end);
        EXPECT_EQ(call.arguments.at(2).value.ToLong(), days);
        EXPECT_EQ(Formula("AsOfDate").ToDate(), end);
        EXPECT_EQ(Formula("DaysInMonth"), Variant::Integer(static_cast<int16_t>(days)));
        EXPECT_FALSE(bParamsWindow);
    }
}

// When the property information cannot be read End of Month still sends 0 days, as it always
// did, but says so through the message-box channel.
TEST_F(WindowBuilderTest, EndOfMonthSaysWhenThePropertyLookupFails) {
    db.AddProcedure("sp_EOM",
                    "@Property varchar(10), @EndDate date, @DaysInMonth int, @ReportOnly smallint,"
                    " @GPR float OUTPUT, @LTL float OUTPUT, @VL float OUTPUT",
                    "SELECT @DaysInMonth AS Days");
    db.Execute("DELETE FROM sys_procedures WHERE name = 'sp_GetPropertyInfo'");
    CallRecorder recorder;
    VariantArray criteria(0, 1);
    criteria.At(0) = Variant(Date::FromYmd(2023, 3, 15));
    ASSERT_NE(Run("EndOfMonth", R"({"dialogs": []})", {"DaysInMonth"}, Variant(criteria)), nullptr);
    EXPECT_EQ(CallOf("sp_EOM").arguments.at(2).value.ToLong(), 0);
    EXPECT_EQ(messages.str(),
              "Hearthline: End of Month: the property information could not be read (Could not "
              "find stored procedure 'sp_GetPropertyInfo'. SP:sp_GetPropertyInfo); the report is "
              "run with 0 days in the month.\n");
}

// Without criteria (Null, or none given at all) End of Month asks for the date; the window's
// date is normalised the same way and bParamsWindow is set.
TEST_F(WindowBuilderTest, EndOfMonthAsksWithoutCriteria) {
    db.AddProcedure("sp_EOM",
                    "@Property varchar(10), @EndDate date, @DaysInMonth int, @ReportOnly smallint,"
                    " @GPR float OUTPUT, @LTL float OUTPUT, @VL float OUTPUT",
                    "SELECT @DaysInMonth AS Days");
    for (const Variant& criteria : {Variant::Null(), Variant(), Variant::Missing()}) {
        CallRecorder recorder;
        bParamsWindow = false;
        ASSERT_NE(Run("EndOfMonth",
                      R"({"dialogs": [{"caption": "End Of Month Report", "do": [)"
                      R"(["set", "datDate1", "2024-02-28"], ["click", "cmdPreview"]]}]})",
                      {"AsOfDate", "DaysInMonth"}, criteria),
                  nullptr);
        EXPECT_EQ(Formula("AsOfDate").ToDate(), Date::FromYmd(2024, 2, 29));
        EXPECT_EQ(Formula("DaysInMonth"), Variant::Integer(29));
        EXPECT_TRUE(bParamsWindow);
    }
}

// The rent statement lists only current active residents, sends the chosen one, and after the
// run writes the statement date as the property's last statement date.
TEST_F(WindowBuilderTest, RentStatementFilterAndStatementDate) {
    db.AddProcedure("sp_Rep_RentStatement",
                    "@Property varchar(10), @Resident varchar(10), @StatementDate date,"
                    " @AsOf date, @LastStatementDate date, @PropAddrLn1 varchar(30) OUTPUT,"
                    " @PropAddrLn2 varchar(30) OUTPUT, @PropAddrLn3 varchar(29) OUTPUT",
                    "SELECT '1 Main St' AS \"@PropAddrLn1\", NULL AS \"@PropAddrLn2\","
                    " NULL AS \"@PropAddrLn3\"; SELECT @Resident AS Resident");
    CallRecorder recorder;
    ASSERT_NE(Run("rptRentStatement",
                  R"({"dialogs": [{"caption": "Rent Statement Report Criteria", "do": [)"
                  R"js(["set", "datDate1", "2024-04-02"], ["pick", "cboCombo(1)", "#0"],)js"
                  R"( ["click", "cmdPreview"]]}]})",
                  {"PropAddrLn1", "Property"}),
              nullptr);
    const RecordedCall& call = CallOf("sp_Rep_RentStatement");
    EXPECT_EQ(call.arguments.at(1).value, Variant("R1"));
    EXPECT_EQ(call.arguments.at(2).value.ToDate(), Date::FromYmd(2024, 4, 2));
    EXPECT_EQ(Formula("PropAddrLn1"), Variant("1 Main St"));
    EXPECT_EQ(Formula("Property"), Variant("Maple Court"));
    EXPECT_EQ(db.QueryText("SELECT LastStatementDate FROM tblProperties WHERE Property = 'P1'"),
              "2024-04-02");
    EXPECT_EQ(db.QueryText("SELECT LastStatementDate FROM tblProperties WHERE Property = 'P2'"),
              "2023-05-01");
}

// A few rows end to end: the chosen sort text and dates (returned items), the as-of date minus
// 30 days (traffic sources), the month end of the monthly summary.
TEST_F(WindowBuilderTest, RowsEndToEnd) {
    db.AddProcedure("sp_Rep_NSF", "@Property varchar(10), @StartDate date, @EndDate date",
                    "SELECT @StartDate AS S");
    db.AddProcedure("sp_Rep_rptTrafficSources",
                    "@Property varchar(10), @PropName varchar(55), @StartDate date, @EndDate date",
                    "SELECT @StartDate AS S");
    db.AddProcedure("sp_Rep_MonthlySum",
                    "@Property varchar(10), @AcctgMethod int, @RepStart date, @RepEnd date,"
                    " @EOM date, @DefaultChargeType varchar(20) OUTPUT, @DepositCredits int OUTPUT,"
                    " @NetDelinquentPrepaid float OUTPUT, @CurrentAR float OUTPUT",
                    "SELECT 'Deposit' AS \"@DefaultChargeType\", 4 AS \"@DepositCredits\","
                    " 1.5 AS \"@NetDelinquentPrepaid\", 2.5 AS \"@CurrentAR\"; SELECT @EOM AS E");
    {
        CallRecorder recorder;
        ASSERT_NE(Run("rptNSF",
                      R"({"dialogs": [{"caption": "Returned Item Report Criteria", "do": [)"
                      R"(["set", "datDate1", "2024-01-01"], ["set", "datDate2", "1/31/2024"],)"
                      R"( ["click", "optSort2"], ["click", "cmdPreview"]]}]})",
                      {"SortOrder", "Property", "EndDate"}),
                  nullptr);
        EXPECT_EQ(CallRecorder::Calls().back().text,
                  "sp_Rep_NSF @Property='P1',@StartDate='2024-01-01',@EndDate='2024-01-31'");
        EXPECT_EQ(Formula("SortOrder"), Variant("Unit"));
        EXPECT_EQ(Formula("Property"), Variant("P1 - Maple Court"));
        EXPECT_EQ(Formula("EndDate").ToDate(), Date::FromYmd(2024, 1, 31));
    }
    {
        CallRecorder recorder;
        ASSERT_NE(Run("rptTrafficSources",
                      R"({"dialogs": [{"do": [["set", "datDate1", "2024-03-31"],)"
                      R"( ["click", "cmdPrint"]]}]})",
                      {"Start Date"}),
                  nullptr);
        EXPECT_EQ(CallRecorder::Calls().back().text,
                  "sp_Rep_rptTrafficSources @Property='P1',@PropName='Maple Court',"
                  "@StartDate='2024-03-01',@EndDate='2024-03-31'");
        EXPECT_EQ(Formula("Start Date").ToDate(), Date::FromYmd(2024, 3, 31));
        EXPECT_EQ(TheSession().settings.destination, irToPrinter);
    }
    {
        CallRecorder recorder;
        ASSERT_NE(Run("rptMonthlySum",
                      R"({"dialogs": [{"do": [["set", "datDate1", "2023-02-01"],)"
                      R"( ["set", "datDate2", "2023-02-10"], ["click", "cmdPreview"]]}]})",
                      {"DepositCreditCount", "CurrentAR", "DepositChargeType"}, Variant::Null(),
                      {"MonthlySum.rpt", "MonthlySumDepositsOut.rpt", "MonthlySumCashRec.rpt",
                       "MonthlySumDelinq.rpt", "MonthlySumPrepaid.rpt", "MonthlySumCharge.rpt",
                       "MonthSumConc.rpt"}),
                  nullptr);
        EXPECT_EQ(CallOf("sp_Rep_MonthlySum").arguments.at(4).value.ToDate(),
                  Date::FromYmd(2023, 2, 28));
        EXPECT_EQ(Formula("DepositCreditCount"), Variant::Integer(4));
        EXPECT_EQ(Formula("CurrentAR"), Variant(2.5));
        EXPECT_EQ(Formula("DepositChargeType"), Variant("Deposit"));
    }
}

// The other unit types are listed for the property (its apostrophe doubled in the query); the
// chosen type and both statuses reach the procedure and the Criteria text.
TEST_F(WindowBuilderTest, OtherUnitTypesOfAQuotedProperty) {
    propertyId = "O'Hara";
    db.Execute(
        "INSERT INTO tblCBOValues VALUES ('GARAGE', 'Garage', 'OtherUnitType', 'System', 1),"
        "('RV', 'RV Pad', 'OtherUnitType', 'System', 2);"
        "INSERT INTO tblOtherUnit VALUES ('O''Hara', 'GARAGE'), ('P1', 'RV');");
    db.AddProcedure("sp_Rep_OtherUnitByType",
                    "@Property varchar(10), @booRented smallint, @booAvailable smallint,"
                    " @Type varchar(20)",
                    "SELECT @Type AS Type");
    CallRecorder recorder;
    ASSERT_NE(
        Run("rptOtherUnitByType",
            R"js({"dialogs": [{"do": [["pick", "cboCombo(1)", "GARAGE"], ["click", "chk1"],)js"
            R"js( ["click", "cmdPreview"]]}]})js",
            {"Criteria"}),
        nullptr);
    const RecordedCall& call = CallOf("sp_Rep_OtherUnitByType");
    EXPECT_EQ(call.text,
              "sp_Rep_OtherUnitByType @Property='O''Hara',@booRented=1,@booAvailable=0,"
              "@Type='GARAGE'");
    EXPECT_EQ(Formula("Criteria"), Variant("Report Printed For Other Unit Type: GARAGE Status R"));
}

// No posted receipts: 2911 with its own text, and no window.
TEST_F(WindowBuilderTest, NoPostedReceipts) {
    db.Execute(
        "UPDATE sys_procedures SET body = 'SELECT Date_Stamp FROM tblPayment' WHERE name = "
        "'sp_GetDistinctPaymentDates'; CREATE TABLE tblPayment (Date_Stamp date);");
    const ComError error =
        CaughtComError([&] { Run("rptCashReceiptsPosted", R"({"dialogs": []})"); });
    EXPECT_EQ(error.Number(), 2911);
    EXPECT_EQ(error.Source(), "rptCashReceiptsPosted");
    EXPECT_EQ(error.Description(), "There are no posted Cash Receipts.");
}

}  // namespace
}  // namespace hlreports::test

namespace hlreports::test {
namespace {

// Each lookup runs its own procedure and, when that fails, raises its own number and source.
TEST_F(WindowBuilderTest, LookupsRunTheirProcedureOrRaiseTheirError) {
    struct Row {
        const char* procedure;
        std::function<RecordsetPtr()> lookup;
        int32_t number;
        const char* source;
    };
    const std::vector<Row> rows = {
        {"sp_ResidentsAndApplicants", [] { return GetResidentsAndApplicants("P1"); }, 3099,
         "basRptRSVarrik.GetResidentsAndApplicants"},
        {"sp_ChargeTypes", [] { return GetChargeTypes("P1"); }, 3024,
         "basRptRSVarrik.GetChargeTypes"},
        {"sp_stp_Units", [] { return Units(); }, 3017, "basRptRSVarrik.Units"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.procedure);
        try {
            row.lookup();
            ADD_FAILURE() << "a missing procedure must raise";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), row.number);
            EXPECT_EQ(error.Source(), row.source);
            EXPECT_NE(error.Description().find(row.procedure), std::string::npos);
        }
        db.AddProcedure(row.procedure,
                        row.procedure == std::string("sp_stp_Units") ? "" : "@Property varchar(10)",
                        "SELECT 'P1' AS Property, '101' AS Unit, 1 AS SortOrder");
        RecordsetPtr found = row.lookup();
        ASSERT_TRUE(found);
        EXPECT_EQ(found->RecordCount(), 1);
    }
}

}  // namespace
}  // namespace hlreports::test
