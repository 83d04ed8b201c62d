// RunStandardReport, the shared steps of every procedure row, on rows made for the test: the
// window's cancel and confirmation, formula matching, outputs, sub-report feeds and the hook.
#include <gtest/gtest.h>

#include "catalogue/CatalogueFixture.h"
#include "catalogue/StandardReport.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

bool CancellingLayout(const CriteriaWindow&, BuilderValues&) {
    Err().SetPending(ErrorNumber::UserCancelled, "frmRepCriteria", "");
    return false;
}

std::vector<std::string> captionsShown;

bool ConfirmingLayout(const CriteriaWindow& window, BuilderValues& values) {
    captionsShown = window.captions;
    values.answers["StartDate"] = Variant(Date::FromYmd(2024, 1, 1));
    values.answers["EndDate"] = Variant(Date::FromYmd(2024, 1, 31));
    values.answers["Sort"] = Variant("Option2");
    return true;
}

bool FailingLayout(const CriteriaWindow&, BuilderValues&) {
    throw ComError(ErrorNumber::TypeMismatch, "frmRepCriteria", "Type mismatch");
}

// The sort text of the returned-items report, derived from the window's answer.
ValueSource SortText() {
    return {[](const BuilderValues& values) {
        return Variant(values.answers.at("Sort").ToString() == "Option1" ? "Resident" : "Unit");
    }};
}

ReportRow ReturnedItemsRow(WindowLayout layout) {
    return {.key = "rptNSF",
            .error = ReportError{2919, "rptNSF", false},
            .window = CriteriaWindow{layout, {"Returned Item Report Criteria", "Start Date:"}},
            .procedure = "sp_Rep_NSF",
            .parameters = {PropertyParameter(), In("@StartDate", adDBDate, 6, Answer("StartDate")),
                           In("@EndDate", adDBDate, 6, Answer("EndDate"))},
            .formulas = {{"Property", PropertyIdAndName()},
                         {"SortOrder", SortText()},
                         {"StartDate", Answer("StartDate")},
                         {"EndDate", Answer("EndDate")}}};
}

class StandardReportTest : public CatalogueTest {
  protected:
    bool bParamsWindow = false;
    CoreParameterArray parameters;

    void SetUp() override {
        CatalogueTest::SetUp();
        db.Execute(
            "CREATE TABLE tblItem (unit varchar(10), status varchar(12));"
            "INSERT INTO tblItem VALUES ('101', 'Current'), ('102', 'Former'), ('103', "
            "'Current');");
        db.AddProcedure("sp_Rep_NSF", "@Property varchar(10), @StartDate date, @EndDate date",
                        "SELECT unit AS Unit, status AS Status FROM tblItem ORDER BY unit");
    }

    BuilderContext Context(std::shared_ptr<CoreReport> report = nullptr) {
        return BuilderContext{
            "P1", "Maple Court", bParamsWindow, parameters, Variant(), std::move(report), "", ""};
    }
};

// A cancelled window returns nothing, runs nothing, keeps 20545 pending for the dispatcher and
// leaves bParamsWindow as the caller had it.
TEST_F(StandardReportTest, CancelRunsNothing) {
    const ReportRow row = ReturnedItemsRow(&CancellingLayout);
    for (const bool before : {false, true}) {
        SCOPED_TRACE(before);
        bParamsWindow = before;
        parameters = {MakeParameter("Property")};
        CallRecorder recorder;
        BuilderContext context = Context();
        EXPECT_FALSE(RunStandardReport(row, context));
        EXPECT_EQ(bParamsWindow, before);
        EXPECT_EQ(Err().Number(), ErrorNumber::UserCancelled);
        EXPECT_TRUE(CallRecorder::Calls().empty());
        EXPECT_FALSE(parameters.front()->HasCurrentValue());
    }
}

// A confirmed window gets the row's captions, sets bParamsWindow, and its answers reach the
// arguments and the formula values, derived ones included.
TEST_F(StandardReportTest, ConfirmedWindowFeedsArgumentsAndFormulas) {
    const ReportRow row = ReturnedItemsRow(&ConfirmingLayout);
    parameters = {MakeParameter("Property"), MakeParameter("SortOrder"), MakeParameter("StartDate"),
                  MakeParameter("EndDate")};
    CallRecorder recorder;
    BuilderContext context = Context();
    RecordsetPtr rows = RunStandardReport(row, context);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 3);
    EXPECT_TRUE(bParamsWindow);
    EXPECT_EQ(captionsShown,
              (std::vector<std::string>{"Returned Item Report Criteria", "Start Date:"}));
    ASSERT_EQ(CallRecorder::Calls().size(), 1U);
    EXPECT_EQ(CallRecorder::Calls().front().text,
              "sp_Rep_NSF @Property='P1',@StartDate='2024-01-01',@EndDate='2024-01-31'");
    EXPECT_EQ(OnlyValue(*parameters[0]), Variant("P1 - Maple Court"));
    EXPECT_EQ(OnlyValue(*parameters[1]), Variant("Unit"));
    EXPECT_EQ(OnlyValue(*parameters[2]), Variant(Date::FromYmd(2024, 1, 1)));
    EXPECT_EQ(OnlyValue(*parameters[3]), Variant(Date::FromYmd(2024, 1, 31)));
}

// Formula names match parameter names exactly: other cases and blanks are left alone, and a
// formula that no parameter carries is skipped without error.
TEST_F(StandardReportTest, FormulaNamesMatchExactly) {
    const ReportRow row{.key = "rptTest",
                        .error = ReportError{2999, "rptTest", false},
                        .procedure = "sp_Rep_NSF",
                        .parameters = {PropertyParameter(), In("@StartDate", adDBDate, 6, Today()),
                                       In("@EndDate", adDBDate, 6, Today())},
                        .formulas = {{"Property", PropertyName()}, {"Absent", PropertyId()}}};
    parameters = {MakeParameter("property"), MakeParameter("PROPERTY"), MakeParameter("Property "),
                  MakeParameter("Property"), MakeParameter("Other")};
    BuilderContext context = Context();
    ASSERT_TRUE(RunStandardReport(row, context));
    for (const auto& parameter : parameters) {
        const bool expected = parameter->Name() == "Property";
        EXPECT_EQ(parameter->HasCurrentValue(), expected) << "'" << parameter->Name() << "'";
    }
    EXPECT_EQ(OnlyValue(*parameters[3]), Variant("Maple Court"));
}

// Outputs that the procedure leaves unassigned arrive as Null; a procedure that returns no row
// set gives a closed recordset, which the runner reports as no information.
TEST_F(StandardReportTest, OutputsAndProceduresWithoutRows) {
    db.AddProcedure("sp_Rep_Count", "@Property varchar(10), @Count int OUTPUT",
                    "SELECT count(*) AS \"@Count\" FROM tblItem WHERE status = 'None'"
                    " GROUP BY status");
    const ReportRow row{.key = "rptCount",
                        .error = ReportError{2999, "rptCount", false},
                        .procedure = "sp_Rep_Count",
                        .parameters = {PropertyParameter(), Out("@Count", adInteger, 6)},
                        .formulas = {{"Count", Output("@Count")}}};
    parameters = {MakeParameter("Count")};
    BuilderContext context = Context();
    RecordsetPtr rows = RunStandardReport(row, context);
    ASSERT_TRUE(rows);
    EXPECT_FALSE(rows->IsOpen());
    EXPECT_TRUE(OnlyValue(*parameters[0]).IsNull());
}

RecordsetPtr rowsSeenByHook;
bool formulaSetBeforeHook = false;

void SortingHook(BuilderContext& context, BuilderValues&, RecordsetPtr& rows) {
    formulaSetBeforeHook = context.reportParameters.front()->HasCurrentValue();
    rowsSeenByHook = rows;
    rows->SetSort("Unit DESC");
}

// Sub-reports receive copies of the rows, filtered by their own filter text (none for ""),
// leaving the returned rows unfiltered; the hook runs last and may rework the rows.
TEST_F(StandardReportTest, FeedsSubreportsThenRunsTheHook) {
    auto report = LoadCurrentReport({{{"Property"}}, {"Sum", "All"}});
    parameters = report->Parameters();
    const ReportRow row{.key = "rptTest",
                        .error = ReportError{2999, "rptTest", false},
                        .procedure = "sp_Rep_NSF",
                        .parameters = {PropertyParameter(), In("@StartDate", adDBDate, 6, Today()),
                                       In("@EndDate", adDBDate, 6, Today())},
                        .formulas = {{"Property", PropertyName()}},
                        .subreports = {{"Sum", Literal(Variant("Status = 'Current'"))},
                                       {"All", Literal(Variant(""))}},
                        .afterRun = &SortingHook};
    BuilderContext context = Context(report);
    RecordsetPtr rows = RunStandardReport(row, context);
    ASSERT_TRUE(rows);
    EXPECT_EQ(report->OpenSubreport("Sum")->Database()->Tables().front()->Rows()->RecordCount(), 2);
    EXPECT_EQ(report->OpenSubreport("All")->Database()->Tables().front()->Rows()->RecordCount(), 3);
    EXPECT_EQ(rows->Filter(), "");
    EXPECT_EQ(rows->RecordCount(), 3);
    EXPECT_TRUE(formulaSetBeforeHook);
    EXPECT_EQ(rowsSeenByHook, rows);
    EXPECT_EQ(rows->Value("Unit"), Variant("103"));
}

// An error in the window is the row's error, with the prefix where the row asks for it;
// bParamsWindow stays untouched and nothing runs.
TEST_F(StandardReportTest, WindowErrorsRaiseTheRowsError) {
    for (const bool prefixed : {false, true}) {
        SCOPED_TRACE(prefixed);
        ReportRow row = ReturnedItemsRow(&FailingLayout);
        row.error->prefixDescription = prefixed;
        CallRecorder recorder;
        BuilderContext context = Context();
        const ComError error = CaughtComError([&] { RunStandardReport(row, context); });
        EXPECT_EQ(error.Number(), 2919);
        EXPECT_EQ(error.Source(), "rptNSF");
        EXPECT_EQ(error.Description(),
                  prefixed ? "Error processing report: Type mismatch" : "Type mismatch");
        EXPECT_FALSE(bParamsWindow);
        EXPECT_TRUE(CallRecorder::Calls().empty());
    }
}

}  // namespace
}  // namespace hlreports::test
