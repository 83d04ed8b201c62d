// The no-window rows of the catalogue, run through the dispatcher against echoing procedures:
// what each sends to its procedure, which formula values it sets, and how each fails.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/CatalogueDispatcher.h"
#include "catalogue/CatalogueFixture.h"
#include "catalogue/NoWindowProcedures.h"
#include "catalogue/NoWindowReports.h"
#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "recordset/AdoTypes.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

struct ExpectedParameter {
    std::string name;
    int32_t type;
    int16_t size;
    int32_t direction;
    Variant value;  // inputs only
};

ExpectedParameter InP(std::string name, int32_t type, int16_t size, Variant value) {
    return {std::move(name), type, size, adParamInput, std::move(value)};
}

ExpectedParameter OutP(std::string name, int32_t type, int16_t size) {
    return {std::move(name), type, size, adParamOutput, Variant()};
}

const ExpectedParameter kProperty = InP("@Property", adVarChar, 10, Variant("P1"));

struct BuilderCase {
    std::string key;
    Variant criteria;
    std::string procedure;
    std::vector<ExpectedParameter> parameters;
    std::vector<std::pair<std::string, Variant>> formulas;
};

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

std::vector<BuilderCase> Cases() {
    const Variant today(Date::Today());
    const Variant name = Text("Maple Court");
    const Variant idAndName = Text("P1 - Maple Court");
    return {
        {"rptAptStatus",
         Variant::Null(),
         "sp_Rep_ApartmentStatus",
         {kProperty},
         {{"Property", idAndName}}},
        {"rptCashReceiptsSummary",
         Elements({Text("B-17"), Text("kim")}),
         "sp_Rep_CashReceiptDetail",
         {kProperty, InP("@Batch", adVarChar, 10, Text("B-17")),
          OutP("@CashReceiptsSmryHasDetail", adVarChar, 3)},
         {{"PropertyName", name},
          {"UserName", Text("kim")},
          {"Batch", Text("B-17")},
          {"CashReceiptsSmryHasDetail", Text("Yes")}}},
        {"rptCashReceipt",
         Elements({Variant(42), Text("kim"), Text("B-9")}),
         "sp_Rep_CashReceipt",
         {kProperty, InP("@CRID", adInteger, 4, Variant(42))},
         {{"Property", idAndName}, {"UserName", Text("kim")}, {"Batch", Text("B-9")}}},
        {"rptChargeTypeList",
         Variant::Null(),
         "sp_Rep_ChargeTypeList",
         {kProperty},
         {{"Property", name}}},
        {"rptDailyActivity",
         Variant::Null(),
         "sp_Rep_rptDailyActivity",
         {kProperty, InP("@RptBeginDate", adDBDate, 6, today),
          InP("@RptEndDate", adDBDate, 6, today), OutP("@Walkins", adSmallInt, 4),
          OutP("@PhoneCall", adSmallInt, 4), OutP("@AppsTaken", adSmallInt, 4),
          OutP("@Approved", adSmallInt, 4), OutP("@Denied", adSmallInt, 4),
          OutP("@Cancelled", adSmallInt, 4), OutP("@OtherTrafic", adSmallInt, 4)},
         {{"Property", name},
          {"RptBeginDate", today},
          {"RptEndDate", today},
          {"WalkIns", Variant::Integer(1)},
          {"PhoneCall", Variant::Integer(2)},
          {"AppsTaken", Variant::Integer(3)},
          {"Approved", Variant::Integer(4)},
          {"Denied", Variant::Integer(5)},
          {"Canceled", Variant::Integer(6)},
          {"OtherTraffic", Variant::Integer(7)}}},
        {"rptOpenCredits",
         Variant::Null(),
         "sp_Rep_rptDelinquency",
         {kProperty, InP("@AgeBy", adInteger, 6, Variant(0)), InP("@AsOfDate", adDBDate, 6, today),
          InP("@DelinqOper", adVarChar, 2, Text(""))},
         {{"PropertyName", name}}},
        {"rptDemographics",
         Variant::Null(),
         "sp_Rep_Demographics",
         {kProperty, OutP("@TotUnits", adInteger, 6), OutP("@LeasedOcc", adInteger, 6),
          OutP("@Occupied", adInteger, 6), OutP("@PropCity", adVarChar, 15),
          OutP("@PropState", adVarChar, 4), OutP("@PropAddressee", adVarChar, 30)},
         {{"PropName", name},
          {"PropState", Text("IL")},
          {"PropCity", Text("Springfield")},
          {"PropAddressee", Text("Maple Court LLC")},
          {"LeasedOcc", Variant(100)},
          {"Occupied", Variant(95)},
          {"TotUnits", Variant(120)}}},
        {"rptFutureConc",
         Variant::Null(),
         "sp_Rep_rptFutureConc",
         {kProperty, InP("@AsOfDate", adDBDate, 6, today)},
         {{"Property", name}}},
        {"rptWaitList", Variant::Null(), "sp_Rep_WaitList", {kProperty}, {{"Property", name}}},
        {"rptTranJournal",
         Text("B-5"),
         "sp_Rep_TranJournal",
         {kProperty, InP("@Batch", adVarChar, 10, Text("B-5"))},
         {{"PropertyID", Text("P1")}, {"PropertyName", name}}},
        {"rptOccupAvail",
         Variant::Null(),
         "sp_Rep_OccupAvail",
         {kProperty, InP("@StartDate", adDBDate, 6, today)},
         {{"PropertyID", Text("P1")}, {"PropertyName", name}, {"ReportDate", today}}},
        {"rptGuestcardSummary",
         Elements({Text("GC-77")}),
         "sp_Rep_GuestcardSummary",
         {InP("@GCardID", adVarChar, 15, Text("GC-77"))},
         {{"PropertyName", name}}},
        {"rptMakeReady", Variant::Null(), "sp_Rep_MakeReady", {kProperty}, {{"Property", name}}},
        {"rptOtherUnit", Variant::Null(), "sp_Rep_OtherUnit", {kProperty}, {{"Property", name}}},
        {"EditPaymentTranJournal",
         Text("101,102,103"),
         "sp_Rep_EditPaymentTranJournal",
         {kProperty, InP("@PaymentIDs", adVarChar, 6000, Text("101,102,103"))},
         {{"PropertyID", Text("P1")}, {"PropertyName", name}}},
        {"expInvoice",
         Variant(17),
         "sp_Rep_ExpInvoice",
         {InP("@HeaderID", adDouble, 6, Variant(17.0)), kProperty},
         {{"PropertyName", name}}},
        {"expInvoiceRegister",
         Variant::Null(),
         "sp_Rep_ExpInvoiceRegister",
         {kProperty},
         {{"CompanyName", name}}},
        {"expPurchaseOrder",
         Text("18"),
         "sp_Rep_ExpPurchaseOrder",
         {InP("@HeaderID", adDouble, 6, Variant(18.0)), kProperty},
         {{"PropertyName", name}}},
    };
}

const ReportRow& SpecOf(const std::string& key) {
    const auto& rows = NoWindowReportRows();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const ReportRow& spec) { return spec.key == key; });
    EXPECT_NE(row, rows.end()) << key;
    return *row;
}

std::string ExpectedCallText(const BuilderCase& c) {
    SPParams params;
    for (const ExpectedParameter& parameter : c.parameters) {
        params.Add(parameter.name, parameter.type, parameter.size, parameter.direction,
                   parameter.value);
    }
    return c.procedure + " " + clsRecordset::ParamsToString(params);
}

class NoWindowBuilderTest : public CatalogueTest {
  protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        AddNoWindowProcedures(db);
    }

    // A report carrying the case's formula names, plus one that no row sets.
    std::shared_ptr<CoreReport> ReportFor(const BuilderCase& c) {
        TestReport description;
        for (const auto& formula : c.formulas) {
            description.parameters.push_back({formula.first});
        }
        description.parameters.push_back({"NotAFormula"});
        return LoadCurrentReport(description);
    }

    RecordsetPtr Dispatch(const std::string& key, bool& bParamsWindow) {
        bool journalHandled = true;
        RecordsetPtr rows =
            dispatcher.GetReportData(key, bParamsWindow, journalHandled,
                                     TheSession().currentReport->Parameters(), "qz", "secret", "");
        EXPECT_FALSE(journalHandled);
        return rows;
    }

    CatalogueDispatcher dispatcher;
};

// Each row sends its arguments in declaration order with the catalogue's names, ADO types and
// sizes, outputs included, and values taken from the property, today and the criteria; after
// the run it sets its formula values, typed (texts, dates, integers from the outputs), on the
// parameters of those names only, never touches bParamsWindow, and the report is logged on.
TEST_F(NoWindowBuilderTest, SendsTheRowsArgumentsAndSetsItsFormulas) {
    for (const BuilderCase& c : Cases()) {
        SCOPED_TRACE(c.key);
        const ReportRow& spec = SpecOf(c.key);
        ASSERT_EQ(spec.parameters.size(), c.parameters.size());
        for (std::size_t i = 0; i < c.parameters.size(); ++i) {
            EXPECT_EQ(spec.parameters[i].name, c.parameters[i].name);
            EXPECT_EQ(spec.parameters[i].adoType, c.parameters[i].type) << c.parameters[i].name;
            EXPECT_EQ(spec.parameters[i].size, c.parameters[i].size) << c.parameters[i].name;
            EXPECT_EQ(spec.parameters[i].direction, c.parameters[i].direction)
                << c.parameters[i].name;
        }

        auto report = ReportFor(c);
        TheSession().settings.criteria = c.criteria;
        CallRecorder recorder;
        bool bParamsWindow = false;
        RecordsetPtr rows = Dispatch(c.key, bParamsWindow);
        ASSERT_TRUE(rows);
        EXPECT_TRUE(rows->IsOpen());
        EXPECT_FALSE(bParamsWindow);

        ASSERT_EQ(CallRecorder::Calls().size(), 1U);
        const RecordedCall& call = CallRecorder::Calls().front();
        if (spec.ReadsOutputs()) {
            EXPECT_EQ(call.text, c.procedure);
            ASSERT_EQ(call.arguments.size(), c.parameters.size());
            for (std::size_t i = 0; i < c.parameters.size(); ++i) {
                const ProcedureArgument& sent = call.arguments[i];
                EXPECT_EQ(sent.name, c.parameters[i].name);
                EXPECT_EQ(sent.type, c.parameters[i].type);
                EXPECT_EQ(sent.size, c.parameters[i].size);
                EXPECT_EQ(sent.direction, c.parameters[i].direction);
                EXPECT_EQ(sent.value, c.parameters[i].value) << sent.name;
            }
        } else {
            EXPECT_EQ(call.text, ExpectedCallText(c));
        }

        for (const auto& [name, value] : c.formulas) {
            EXPECT_EQ(OnlyValue(*report->ParameterByName(name)), value) << name;
        }
        EXPECT_FALSE(report->ParameterByName("NotAFormula")->HasCurrentValue());
        EXPECT_EQ(report->LogOns().size(), 1U);
    }
}

// A Null criteria value skips the element reads: texts stay "" and numbers 0, and the report
// still runs.
TEST_F(NoWindowBuilderTest, NullCriteriaLeavesValuesEmpty) {
    auto report = LoadCurrentReport({{{"Property"}, {"UserName"}, {"Batch"}}});
    CallRecorder recorder;
    bool bParamsWindow = false;
    ASSERT_TRUE(Dispatch("rptCashReceipt", bParamsWindow));
    ASSERT_EQ(CallRecorder::Calls().size(), 1U);
    EXPECT_EQ(CallRecorder::Calls().front().text, "sp_Rep_CashReceipt @Property='P1',@CRID=0");
    EXPECT_EQ(OnlyValue(*report->ParameterByName("UserName")), Text(""));
    EXPECT_EQ(OnlyValue(*report->ParameterByName("Batch")), Text(""));
}

// Criteria the row cannot read end in the row's error, named by the classic text, before any
// procedure runs and before any formula is set.
TEST_F(NoWindowBuilderTest, UnreadableCriteriaRaiseTheRowsError) {
    const struct {
        const char* key;
        Variant criteria;
        int32_t number;
        const char* source;
        const char* description;
    } cases[] = {
        {"rptCashReceipt", Elements({Variant(42), Text("kim")}), 2903, "rptCashRecipt",
         "Subscript out of range"},
        {"rptCashReceipt", Elements({Text("abc"), Text("kim"), Text("B")}), 2903, "rptCashRecipt",
         "Type mismatch"},
        {"rptCashReceiptsSummary", Text("B-17"), 2901, "rptCashReceiptsSummary", "Type mismatch"},
        {"rptGuestcardSummary", Elements({}), 2934, "rptGuestcardSummary",
         "Subscript out of range"},
        {"expInvoice", Variant::Null(), 2950, "ExpInvoice", "Invalid use of Null"},
        {"expPurchaseOrder", Text("PO-1"), 2954, "ExpPurchaseOrder", "Type mismatch"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        auto report = LoadCurrentReport({{{"Property"}, {"UserName"}, {"PropertyName"}}});
        TheSession().settings.criteria = c.criteria;
        CallRecorder recorder;
        bool bParamsWindow = false;
        const ComError error = CaughtComError([&] { Dispatch(c.key, bParamsWindow); });
        EXPECT_EQ(error.Number(), c.number);
        EXPECT_EQ(error.Source(), c.source);
        EXPECT_EQ(error.Description(), c.description);
        EXPECT_TRUE(CallRecorder::Calls().empty());
        for (const auto& parameter : report->Parameters()) {
            EXPECT_FALSE(parameter->HasCurrentValue()) << parameter->Name();
        }
    }
}

// A failing procedure call ends in the row's number and source with the database's text
// ("Error processing report: " first where the row says so), or unchanged for the row without
// an error of its own; no connection stays open and no formula is set.
TEST_F(NoWindowBuilderTest, FailingProcedureRaisesTheRowsError) {
    const struct {
        const char* key;
        int32_t number;
        const char* source;
        bool prefixed;
    } cases[] = {
        {"rptAptStatus", 2902, "rptAptStatus", false},
        {"rptCashReceiptsSummary", 2901, "rptCashReceiptsSummary", false},
        {"rptCashReceipt", 2903, "rptCashRecipt", false},
        {"rptChargeTypeList", 2919, "rptChargeTypeList", false},
        {"rptDailyActivity", 2913, "rptDailyActivity", false},
        {"rptOpenCredits", 2956, "rptOpenCredits", false},
        {"rptDemographics", 3202, "clsRecordset.RunSPRetRSOutParams", false},
        {"rptFutureConc", 2916, "rptFutureConc", false},
        {"rptWaitList", 2941, "rptWaitlist", true},
        {"rptTranJournal", 2909, "rptTranJournal", false},
        {"rptOccupAvail", 2906, "rptOccupAvail", false},
        {"rptGuestcardSummary", 2934, "rptGuestcardSummary", false},
        {"rptMakeReady", 2936, "rptMakeReady", false},
        {"rptOtherUnit", 2937, "rptOtherUnit", true},
        {"EditPaymentTranJournal", 2909, "EditPaymentTranJournal", false},
        {"expInvoice", 2950, "ExpInvoice", false},
        {"expInvoiceRegister", 2951, "ExpInoiceRegister", false},
        {"expPurchaseOrder", 2954, "ExpPurchaseOrder", false},
    };
    const std::string prefix = "Error processing report: ";
    const std::vector<BuilderCase> builders = Cases();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const BuilderCase& builder = *std::find_if(
            builders.begin(), builders.end(), [&](const BuilderCase& b) { return b.key == c.key; });
        auto report = ReportFor(builder);
        TheSession().settings.criteria = builder.criteria;
        CallRecorder recorder(1);
        bool bParamsWindow = false;
        const ComError error = CaughtComError([&] { Dispatch(c.key, bParamsWindow); });
        EXPECT_EQ(error.Number(), c.number);
        EXPECT_EQ(error.Source(), c.source);
        EXPECT_EQ(error.Description().rfind(prefix, 0) == 0, c.prefixed) << error.Description();
        EXPECT_NE(error.Description().find("injected failure"), std::string::npos);
        EXPECT_NE(error.Description().find(" SP:" + builder.procedure), std::string::npos);
        EXPECT_EQ(Err().Number(), c.number);
        EXPECT_EQ(GetConnectionStats().open, 0);
        for (const auto& parameter : report->Parameters()) {
            EXPECT_FALSE(parameter->HasCurrentValue()) << parameter->Name();
        }
    }
}

}  // namespace
}  // namespace hlreports::test
