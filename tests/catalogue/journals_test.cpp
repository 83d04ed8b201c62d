// The parameter journals and the applicant ledger: report parameters filled from the criteria
// value, the report pointed at the database, and their failures.
#include <gtest/gtest.h>

#include "catalogue/CatalogueDispatcher.h"
#include "catalogue/CatalogueFixture.h"
#include "data/clsRecordset.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

Variant Text(const char* text) {
    return Variant(std::string(text));
}

VariantArray Elements(std::vector<Variant> values) {
    VariantArray array(0, static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        array.At(static_cast<int>(i)) = values[i];
    }
    return array;
}

// The two-dimensional array of the import tasks: row 0 holds captions, row 1 the values.
VariantArray ImportCriteria(std::vector<Variant> values) {
    VariantArray array(0, 2, 0, static_cast<int>(values.size()));
    for (std::size_t j = 0; j < values.size(); ++j) {
        array.At(0, static_cast<int>(j)) = Variant("caption");
        array.At(1, static_cast<int>(j)) = values[j];
    }
    return array;
}

// What one report parameter holds afterwards: its current values and whether they were applied.
struct ExpectedParameter {
    std::string name{};
    std::vector<Variant> values{};
    bool applied = true;
};

struct JournalCase {
    const char* name;
    const char* key;
    Variant criteria;
    std::vector<ExpectedParameter> parameters;
};

class JournalTest : public CatalogueTest {
  protected:
    CatalogueDispatcher dispatcher;
    bool bParamsWindow = false;
    bool journalHandled = false;

    std::shared_ptr<CoreReport> ReportWith(const std::vector<ExpectedParameter>& expected) {
        TestReport description;
        for (const ExpectedParameter& parameter : expected) {
            description.parameters.push_back({parameter.name, CoreValueString, true});
        }
        description.withDataFolderTable = true;
        return LoadCurrentReport(description);
    }

    RecordsetPtr Dispatch(const std::string& key) {
        return dispatcher.GetReportData(key, bParamsWindow, journalHandled,
                                        TheSession().currentReport->Parameters(), "qz", "secret",
                                        "");
    }
};

// Lists are split at "," and added item by item, then applied; single values are added and
// applied or set; converted values arrive typed; an empty list adds and applies nothing.
TEST_F(JournalTest, FillsTheReportParameters) {
    const JournalCase cases[] = {
        {"posting",
         "PostingJournal",
         Elements({Text("101,102,103"), Text("Post May"), Text("GL"), Text("CM"), Text("AP"),
                   Text("none"), Text("12"), Text("7,8")}),
         {{"Batch ID", {Text("101"), Text("102"), Text("103")}},
          {"Task Description", {Text("Post May")}},
          {"GL Recap", {Text("GL")}},
          {"CM Recap", {Text("CM")}},
          {"AP Recap", {Text("AP")}},
          {"Warnings", {Text("none")}},
          {"Previous Edit Payment Sequence", {Variant(12)}},
          {"Sequences", {Text("7"), Text("8")}}}},
        {"posting with no batch",
         "PostingJournal",
         Elements({Text(""), Text("Post May"), Text("GL"), Text("CM"), Text("AP"), Text("none"),
                   Variant(3), Text("")}),
         {{"Batch ID", {}, false},
          {"Task Description", {Text("Post May")}},
          {"GL Recap", {Text("GL")}},
          {"CM Recap", {Text("CM")}},
          {"AP Recap", {Text("AP")}},
          {"Warnings", {Text("none")}},
          {"Previous Edit Payment Sequence", {Variant(3)}},
          {"Sequences", {}, false}}},
        {"refunds",
         "PostRefundsJournal",
         Elements({Text("55"), Text("AP"), Text(""), Text("5/31/2024"), Text("kim")}),
         {{"Batch ID", {Text("55")}},
          {"AP Recap", {Text("AP")}},
          {"Warnings", {Text("")}},
          {"Accounting Date", {Variant(Date::FromYmd(2024, 5, 31))}},
          {"Sent By", {Text("kim")}}}},
        {"invoices keep one batch whole",
         "SendInvoicesJournal",
         Elements({Text("12,13"), Text("AP"), Text("late")}),
         {{"Batch ID", {Text("12,13")}}, {"AP Recap", {Text("AP")}}, {"Warnings", {Text("late")}}}},
        {"import payments",
         "ImportPaymentsJournal",
         ImportCriteria({Text("B1"), Text("B4"), Variant(3)}),
         {{"First Batch", {Text("B1")}}, {"Last Batch", {Text("B4")}}, {"Rejected", {Variant(3)}}}},
        {"import charges",
         "ImportChargesJournal",
         ImportCriteria({Text("41"), Variant(0)}),
         {{"Sequence Start", {Variant(41)}}, {"Rejected", {Variant(0)}}}},
        {"applicant ledger",
         "rptApplicantLedger",
         Elements({Text("GC-9")}),
         {{"GCardID", {Text("GC-9")}}}},
        {"null criteria",
         "PostRefundsJournal",
         Variant::Null(),
         {{"Batch ID", {}, false},
          {"AP Recap", {Variant()}},
          {"Warnings", {Variant()}},
          {"Accounting Date", {Variant(Date())}},
          {"Sent By", {Variant()}}}},
    };
    for (const JournalCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto report = ReportWith(c.parameters);
        TheSession().settings.criteria = c.criteria;
        journalHandled = false;
        EXPECT_FALSE(Dispatch(c.key));
        EXPECT_TRUE(journalHandled);
        for (const ExpectedParameter& expected : c.parameters) {
            const auto parameter = report->ParameterByName(expected.name);
            EXPECT_EQ(CurrentValues(*parameter), expected.values) << expected.name;
            EXPECT_EQ(parameter->ValuesApplied(), expected.applied) << expected.name;
            EXPECT_TRUE(parameter->PendingValues().empty()) << expected.name;
        }
    }
}

// The report's own tables are pointed at the database of the shared connection, tables of the
// data folder are left alone, and the report is not logged on: only its data folder is set.
TEST_F(JournalTest, PointsTheReportAtTheDatabase) {
    auto report = ReportWith({{"GCardID"}});
    TheSession().settings.criteria = Elements({Text("GC-9")});
    Dispatch("rptApplicantLedger");
    const auto& tables = report->Database()->Tables();
    EXPECT_EQ(tables[0]->LogOnInfo().server, "(embedded)");
    EXPECT_EQ(tables[0]->LogOnInfo().database, db.Path().string());
    EXPECT_EQ(tables[1]->LogOnInfo().server, "");
    EXPECT_TRUE(report->LogOns().empty());
    EXPECT_EQ(FormulaText(*report, "qzDataFolder"), DataFolderFormula());
}

// Failures carry the journal's 2909 and source (the refund journal's own spelling), 2934 for
// the applicant ledger, or reach the runner unchanged from the import journals; bad criteria and
// a missing report parameter leave every parameter of the report as it was.
TEST_F(JournalTest, FailuresRaiseTheJournalsError) {
    const struct {
        const char* name;
        const char* key;
        Variant criteria;
        std::vector<ExpectedParameter> reportParameters;
        int32_t number;
        const char* source;
        const char* description;
    } cases[] = {
        {"too few elements",
         "PostingJournal",
         Elements({Text("1"), Text("x"), Text("y")}),
         {{"Batch ID"}, {"Task Description"}, {"GL Recap"}},
         2909,
         "PostingJournal",
         "Subscript out of range"},
        {"sequence that is no number",
         "PostingJournal",
         Elements({Text("1"), Text(""), Text(""), Text(""), Text(""), Text(""), Text("twelve"),
                   Text("")}),
         {{"Batch ID"}},
         2909,
         "PostingJournal",
         "Type mismatch"},
        {"missing parameter",
         "PostRefundsJournal",
         Elements({Text("55"), Text("AP"), Text(""), Text("5/31/2024"), Text("kim")}),
         {{"Batch ID"}, {"AP Recap"}, {"Warnings"}, {"Accounting Date"}},
         2909,
         "RefundDepositsJournal",
         "Report rptTest has no parameter named Sent By"},
        {"criteria that is no array",
         "SendInvoicesJournal",
         Text("12"),
         {{"Batch ID"}},
         2909,
         "SendInvoicesJournal",
         "Type mismatch"},
        {"charges sequence that is no number",
         "ImportChargesJournal",
         ImportCriteria({Text("abc"), Variant(0)}),
         {{"Sequence Start"}, {"Rejected"}},
         ErrorNumber::TypeMismatch,
         "HLReports",
         "Type mismatch"},
        {"payments with a one-dimensional array",
         "ImportPaymentsJournal",
         Elements({Text("B1"), Text("B4"), Text("0")}),
         {{"First Batch"}},
         ErrorNumber::SubscriptOutOfRange,
         "HLReports",
         "Subscript out of range"},
        {"ledger without criteria element",
         "rptApplicantLedger",
         Elements({}),
         {{"GCardID"}},
         2934,
         "rptApplicantLedger",
         "Subscript out of range"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto report = ReportWith(c.reportParameters);
        TheSession().settings.criteria = c.criteria;
        const ComError error = CaughtComError([&] { Dispatch(c.key); });
        EXPECT_EQ(error.Number(), c.number);
        EXPECT_EQ(error.Source(), c.source);
        EXPECT_EQ(error.Description(), c.description);
        EXPECT_FALSE(journalHandled);
        for (const auto& parameter : report->Parameters()) {
            EXPECT_FALSE(parameter->HasCurrentValue()) << parameter->Name();
        }
    }
}

}  // namespace
}  // namespace hlreports::test
