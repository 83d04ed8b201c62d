// The catalogue rows of the special pages, played from answer files for a property whose id
// holds an apostrophe: the exact call each procedure receives, the formula values (the names as
// the report files spell them), the sub-report feed, the utility sort, the service call without
// a window, and that nothing runs after a cancel or a failed page.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFixture.h"
#include "runtime/Err.h"
#include "ui/ScriptedUi.h"

namespace hlreports::test {
namespace {

class PageBuilderTest : public BuilderTest {
  protected:
    void SetUp() override {
        BuilderTest::SetUp();
        propertyId = "O'K";
        propertyName = "Oak Knoll";
        TheSession().settings.propertyId = "O'K";
        db.Execute(
            "CREATE TABLE tblWorkOrder (WorkOrder int, Property TEXT, Unit TEXT, DateClosed date,"
            " Assigned_To TEXT);"
            "INSERT INTO tblWorkOrder VALUES (7, 'O''K', 'A1', NULL, 'Kim'),"
            " (8, 'O''K', 'B2', NULL, 'Lee'), (9, 'P2', 'A1', NULL, 'Kim');"
            "CREATE TABLE tblProp_Unit (Property TEXT, Unit TEXT, SortOrder int);"
            "INSERT INTO tblProp_Unit VALUES ('O''K', 'A1', 10), ('O''K', 'B2', 20);"
            "CREATE TABLE tblResident (Resident TEXT, Name TEXT, Account_Status TEXT);"
            "INSERT INTO tblResident VALUES ('R1', 'Adams', 'Active');"
            "CREATE TABLE tblLease (Lease TEXT, Revision_Num int, Property TEXT,"
            " Primary_Resident TEXT);"
            "INSERT INTO tblLease VALUES ('L1', 1, 'O''K', 'R1');"
            "CREATE TABLE tblResident_Lease (Resident TEXT, Lease TEXT, Revision_Num int);"
            "INSERT INTO tblResident_Lease VALUES ('R1', 'L1', 1);"
            "CREATE TABLE tblProp_Unit_Lease (Property TEXT, Unit TEXT, Lease TEXT,"
            " Revision_Num int);"
            "CREATE TABLE tblProperty (Property TEXT, Charge_Type_Table TEXT);"
            "CREATE TABLE tblCharge_Type (Charge_Type_Table TEXT, Charge_Type TEXT,"
            " Charge_Description TEXT);"
            "CREATE TABLE tblUtilityBilling (Property TEXT, Unit TEXT, ChargeType TEXT);");
        db.AddProcedure("sp_Rep_WorkOrderList",
                        "@Property varchar(10), @Status varchar(10), @RangeType varchar(10),"
                        " @RangeStart float, @RangeEnd float",
                        "SELECT WorkOrder, Assigned_To FROM tblWorkOrder WHERE Property = @Property"
                        " ORDER BY WorkOrder");
        db.AddProcedure("sp_Rep_rptWO",
                        "@Property varchar(10), @WONum varchar(20), @StartDate date, @EndDate date,"
                        " @StartNum varchar(20), @EndNum varchar(20), @RangeOrNum varchar(5)",
                        "SELECT @RangeOrNum AS R");
        db.AddProcedure("sp_Rep_TransactionLedger",
                        "@Property varchar(10), @ResTo varchar(30), @ResFrom varchar(30),"
                        " @UnitStart int, @UnitEnd int, @Sort varchar(10), @Status varchar(20),"
                        " @StartDate date, @EndDate date",
                        "SELECT @Sort AS S");
        db.AddProcedure("sp_Rep_UtilityStatement",
                        "@Property varchar(10), @PostedStart date, @PostedEnd date,"
                        " @TenantStart varchar(30), @TenantEnd varchar(30), @ChgStart varchar(20),"
                        " @ChgEnd varchar(20)",
                        "SELECT 'Baker' AS Name, 1 AS N UNION ALL SELECT 'Adams', 2 ORDER BY N");
        db.AddProcedure("sp_Rep_CompDelinquency",
                        "@Property varchar(10), @start_period_in date, @greater_than float,"
                        " @less_than float, @Total float OUTPUT",
                        "SELECT 1234.5 AS \"@Total\"; SELECT 1 AS One");
        db.AddProcedure("sp_Rep_RentRoll_SqFt", "@AsOfDate date, @Property varchar(10)",
                        "SELECT 1 AS One");
        db.AddProcedure("sp_Rep_RentRoll_Bal",
                        "@Property varchar(10), @start_period_in date, @end_period_in date",
                        "SELECT 1 AS One");
    }

    // Runs the key's builder with these dialogs' answers; the report carries the named formulas.
    RecordsetPtr Run(const std::string& key, const std::string& dialogs,
                     const std::vector<std::string>& formulas = {},
                     Variant criteria = Variant::Null(), std::vector<std::string> subreports = {}) {
        return RunBuilder(key, R"({"dialogs": [)" + dialogs + "]}",
                          ReportWith(formulas, std::move(subreports)), criteria);
    }

    // The last call that reached the procedure, as text; the command road's typed arguments
    // written name=value.
    static std::string LastCall(const std::string& procedure) {
        const auto& calls = CallRecorder::Calls();
        for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
            if (call->text.rfind(procedure, 0) != 0) {
                continue;
            }
            std::string text = call->text;
            for (const ProcedureArgument& argument : call->arguments) {
                text += " " + argument.name + "=" + argument.value.DisplayText();
            }
            return text;
        }
        return "(not called)";
    }
};

struct RowCase {
    std::string key;
    std::string dialogs;
    std::string call;
    std::vector<std::pair<std::string, Variant>> formulas;
};

// Each page row sends exactly these arguments in declaration order and sets these formulas.
TEST_F(PageBuilderTest, RowsSendTheirCallsAndFormulas) {
    const Date today = Date::Today();
    const std::string todayIso = today.ToIsoDate();
    const std::string firstOfMonth = Date::FromYmd(today.Year(), today.Month(), 1).ToIsoDate();
    const std::vector<RowCase> cases = {
        {"rptWorkOrderList",
         R"({"caption": "Service Call List Criteria", "do": [["click", "optWOAll"],
             ["click", "optUnitRange"], ["pick", "cboUnitStart", "A1"], ["click", "optWONum"],
             ["click", "cmdPreview"]]})",
         "sp_Rep_WorkOrderList @Property='O''K',@Status='ALL',@RangeType='UNIT',@RangeStart=10,"
         "@RangeEnd=999999",
         {{"SortBy", Variant("WO")},
          {"RangeType", Variant("UNIT")},
          {"Start", Variant(10.0)},
          {"End", Variant(999999.0)},
          {"Property", Variant("Oak Knoll")},
          {"Status", Variant("ALL")},
          {"NumWOAssigned", Variant(2)}}},
        {"rptWO",
         R"({"caption": "Service Call Selection Criteria", "do": [["pick", "cboWONumStart", "7"],
             ["pick", "cboWONumEnd", "8"], ["click", "cmdPreview"]]})",
         "sp_Rep_rptWO @Property='O''K',@WONum='',@StartDate='1899-12-30',"
         "@EndDate='1899-12-30',@StartNum='7',@EndNum='8',@RangeOrNum='NumR'",
         {}},
        {"rptWO",
         R"({"do": [["tab", "tabWOSelect", "SC Dates"], ["click", "chkDateOn"],
             ["set", "datStart", "2024-01-01"], ["set", "datEnd", "2024-01-31"],
             ["click", "cmdPreview"]]})",
         "sp_Rep_rptWO @Property='O''K',@WONum='',@StartDate='2024-01-01',"
         "@EndDate='2024-01-31',@StartNum='',@EndNum='',@RangeOrNum='DateR'",
         {}},
        {"rptTransLedg",
         R"({"caption": "Report Criteria", "do": [["click", "optBoth"],
             ["pick", "cboTLUnitStart", "10"], ["pick", "cboTLUnitEnd", "20"],
             ["click", "cmdPreview"]]})",
         "sp_Rep_TransactionLedger @Property='O''K',@ResTo='',@ResFrom='',@UnitStart=10,"
         "@UnitEnd=20,@Sort='Unit',@Status='Both',@StartDate='" +
             firstOfMonth + "',@EndDate='" + todayIso + "'",
         {{"PropName", Variant("Oak Knoll")},
          {"StartDate", Variant(Date::FromYmd(today.Year(), today.Month(), 1))},
          {"EndDate", Variant(today)}}},
        {"rptTransLedgBalance",
         R"({"do": [["tab", "tabTransLedg", 1], ["click", "optResBoth"],
             ["set", "cboResFrom", "A"], ["set", "cboResTo", "O'Brien"], ["click", "chk1"],
             ["click", "cmdPreview"]]})",
         "sp_Rep_TransactionLedger @Property='O''K',@ResTo='O''Brien',@ResFrom='A',@UnitStart=0,"
         "@UnitEnd=0,@Sort='Resident',@Status='Both',@StartDate='1900-01-01',"
         "@EndDate='2079-06-06'",
         {{"StartDate", Variant(Date::FromYmd(1900, 1, 1))}}},
        {"rptUtilityStatement",
         R"({"caption": "Utility Statement Report Criteria", "do": [
             ["set", "dteUtilStart", "2024-02-01"], ["set", "dteUtilEnd", "2024-02-29"],
             ["set", "cboTenantStart", "O'Brien"], ["set", "cboChgTypeStart", "WTR"],
             ["set", "cboChgTypeEnd", "WTR"], ["click", "cmdPreview"]]})",
         "sp_Rep_UtilityStatement @Property='O''K',@PostedStart='2024-02-01',"
         "@PostedEnd='2024-02-29',@TenantStart='O''Brien',@TenantEnd='',@ChgStart='WTR',"
         "@ChgEnd='WTR'",
         {{"Property", Variant("Oak Knoll")}, {"BillType", Variant("****  WTR  ****")}}},
        {"sp_CompDelinquency",
         R"({"caption": "Comprehensive Delinquency", "do": [["set", "cboRPStartDate", "2024-03-31"],
             ["set", "txtInclDelqGreater", "25"], ["click", "chkFormerRes"],
             ["click", "chkIncludeDep"], ["click", "cmdPreview"]]})",
         "sp_Rep_CompDelinquency @Property=O'K @start_period_in=3/31/2024 @greater_than=25 "
         "@less_than=999999 @Total=",
         {{"AsOfDate", Variant(Date::FromYmd(2024, 3, 31))},
          {"PropertyName", Variant("Oak Knoll")},
          {"AmtGreaterThan", Variant(25.0)},
          {"AmtLessThan", Variant(999999.0)},
          {"SortBy", Variant("U")},
          {"InclDeps", Variant("N")},
          {"CurrFormer", Variant("C")},
          {"InclLateChg", Variant("Y")},
          {"ProrateCredit", Variant(1234.5)}}},
        {"sp_RentRoll_SqFt",
         R"({"caption": "Rent Roll All Units", "do": [["set", "cboRPStartDate", "2024-04-30"],
             ["click", "optRptParamsName"], ["click", "cmdPreview"]]})",
         "sp_Rep_RentRoll_SqFt @AsOfDate='2024-04-30',@Property='O''K'",
         {{"AsOfDate", Variant(Date::FromYmd(2024, 4, 30))},
          {"PropertyName", Variant("Oak Knoll")},
          {"SortBy", Variant("T")}}},
        {"sp_RentRoll_Bal",
         R"js({"caption": "Rent Roll Balances", "do": [["set", "cboRPStartDate", "2024-05-01"],
             ["set", "cboRPEndDate", "2024-05-31"], ["click", "optBalance(1)"],
             ["click", "chkFormerRes"], ["click", "chk1"], ["click", "cmdPreview"]]})js",
         "sp_Rep_RentRoll_Bal @Property='O''K',@start_period_in='2024-05-01',"
         "@end_period_in='2024-05-31'",
         {{"Start Date", Variant(Date::FromYmd(2024, 5, 1))},
          {"End Date", Variant(Date::FromYmd(2024, 5, 31))},
          {"SortBy", Variant("U")},
          {"PropertyName", Variant("Oak Knoll")},
          {"CurrFormer", Variant("B")},
          {"BalanceLimit", Variant("Z")},
          {"IncludeApplicants", Variant(false)}}},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.key + " " + c.call);
        CallRecorder recorder;
        bParamsWindow = false;
        std::vector<std::string> names;
        for (const auto& formula : c.formulas) {
            names.push_back(formula.first);
        }
        const std::vector<std::string> subreports = c.key == "rptWorkOrderList"
                                                        ? std::vector<std::string>{"NumWOAssigned"}
                                                        : std::vector<std::string>{};
        ASSERT_NE(Run(c.key, c.dialogs, names, Variant::Null(), subreports), nullptr)
            << messages.str();
        const std::string procedure = c.call.substr(0, c.call.find(' '));
        EXPECT_EQ(LastCall(procedure), c.call);
        for (const auto& [name, value] : c.formulas) {
            EXPECT_EQ(Formula(name), value) << name;
        }
        EXPECT_TRUE(bParamsWindow);
    }
}

// The work order list feeds its rows, unfiltered, to "NumWOAssigned"; the utility statement is
// sorted on "Name" when the page asks for it.
TEST_F(PageBuilderTest, SubreportAndNameSort) {
    CallRecorder recorder;
    ASSERT_NE(Run("rptWorkOrderList", R"({"do": [["click", "cmdPreview"]]})", {}, Variant::Null(),
                  {"NumWOAssigned"}),
              nullptr);
    EXPECT_EQ(
        report->OpenSubreport("NumWOAssigned")->Database()->Tables().front()->Rows()->RecordCount(),
        2);
    for (const bool byName : {false, true}) {
        const std::string answers =
            byName ? R"({"do": [["click", "optUtilName"], ["click", "cmdPreview"]]})"
                   : R"({"do": [["click", "cmdPreview"]]})";
        RecordsetPtr rows = Run("rptUtilityStatement", answers);
        ASSERT_NE(rows, nullptr);
        rows->MoveFirst();
        EXPECT_EQ(rows->Value("Name"), Variant(byName ? "Adams" : "Baker"));
    }
}

// A host's criteria value names one service call: no window, "Num", today's dates, and
// bParamsWindow untouched; no criteria at all (Empty, Missing) shows the page as Null does.
TEST_F(PageBuilderTest, OneServiceCallWithoutWindow) {
    for (const Variant& none : {Variant(), Variant::Missing()}) {
        CallRecorder recorder;
        bParamsWindow = false;
        ASSERT_NE(Run("rptWO",
                      R"({"caption": "Service Call Selection Criteria", "do": [)"
                      R"(["pick", "cboWONumStart", "#0"], ["pick", "cboWONumEnd", "#1"],)"
                      R"( ["click", "cmdPreview"]]})",
                      {}, none),
                  nullptr);
        EXPECT_NE(LastCall("sp_Rep_rptWO").find("@StartNum='7',@EndNum='8',@RangeOrNum='NumR'"),
                  std::string::npos)
            << LastCall("sp_Rep_rptWO");
        EXPECT_TRUE(bParamsWindow);
    }
    bParamsWindow = false;
    CallRecorder recorder;
    const std::string today = Date::Today().ToIsoDate();
    ASSERT_NE(Run("rptWO", "", {}, Variant(8)), nullptr);
    EXPECT_EQ(LastCall("sp_Rep_rptWO"), "sp_Rep_rptWO @Property='O''K',@WONum='8',@StartDate='" +
                                            today + "',@EndDate='" + today +
                                            "',@StartNum='',@EndNum='',@RangeOrNum='Num'");
    EXPECT_FALSE(bParamsWindow);
}

// After a cancel, or a page that raised, no report procedure runs: a cancel returns nothing
// with 20545 pending and bParamsWindow untouched; a bad amount raises the row's error.
TEST_F(PageBuilderTest, NothingRunsAfterCancelOrFailure) {
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"rptWorkOrderList", "sp_Rep_WorkOrderList"},
        {"rptWO", "sp_Rep_rptWO"},
        {"rptTransLedg", "sp_Rep_TransactionLedger"},
        {"rptTransLedgBalance", "sp_Rep_TransactionLedger"},
        {"rptUtilityStatement", "sp_Rep_UtilityStatement"},
        {"sp_CompDelinquency", "sp_Rep_CompDelinquency"},
        {"sp_RentRoll_SqFt", "sp_Rep_RentRoll_SqFt"},
        {"sp_RentRoll_Bal", "sp_Rep_RentRoll_Bal"},
    };
    for (const auto& [key, procedure] : keys) {
        CallRecorder recorder;
        bParamsWindow = false;
        EXPECT_EQ(Run(key, R"({"do": [["click", "cmdCancel"]]})"), nullptr) << key;
        EXPECT_EQ(Err().Number(), 20545) << key;
        EXPECT_FALSE(bParamsWindow) << key;
        EXPECT_EQ(LastCall(procedure), "(not called)") << key;
    }
    CallRecorder recorder;
    const ComError error = CaughtComError([&] {
        Run("sp_CompDelinquency",
            R"({"do": [["set", "txtInclDelqLess", "many"], ["click", "cmdPreview"]]})");
    });
    EXPECT_EQ(error.Number(), 2930);
    EXPECT_EQ(error.Source(), "rptCompDelinquency");
    EXPECT_NE(error.Description().find("txtInclDelqLess holds \"many\""), std::string::npos)
        << error.Description();
    EXPECT_EQ(LastCall("sp_Rep_CompDelinquency"), "(not called)");
}

}  // namespace
}  // namespace hlreports::test
