// The custom-report road of the dispatcher: stored values applied to a "CUSTOM" report, the
// report pointed at the database, and the road's own error.
#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/CatalogueDispatcher.h"
#include "catalogue/CatalogueFixture.h"
#include "runtime/Err.h"
#include "ui/AnswerFile.h"
#include "ui/ScriptedUi.h"

namespace hlreports::test {
namespace {

class CustomReportTest : public CatalogueTest {
  protected:
    CatalogueDispatcher dispatcher;
    bool bParamsWindow = false;
    bool journalHandled = false;

    void StoreValues() {
        db.Execute(
            "CREATE TABLE tblCustomParams (property varchar(10), ParamName varchar(50),"
            " ParamValue varchar(255));"
            "INSERT INTO tblCustomParams VALUES ('P1', 'Region', 'West'),"
            " ('P1', 'Owner''s Name', 'Kim'), ('P1', 'Empty One', ''), ('P2', 'Untouched', 'x');");
        db.AddProcedure("sp_rep_CustomReportParams", "@Property varchar(10)",
                        "SELECT ParamName, ParamValue FROM tblCustomParams"
                        " WHERE property = @Property ORDER BY ParamName");
    }

    std::shared_ptr<CoreReport> CustomReport() {
        return LoadCurrentReport(
            {{{"Region"}, {"Owner's Name"}, {"Empty One"}, {"Untouched"}}, {}, true});
    }

    RecordsetPtr Dispatch(const std::string& key = "CUSTOM") {
        return dispatcher.GetReportData(key, bParamsWindow, journalHandled,
                                        TheSession().currentReport->Parameters(), "qz", "secret",
                                        "Owner Summary");
    }
};

// The property's non-empty stored values are set, names with apostrophes included; empty values
// and other properties' values are not; no window, no rows, no log-on, only the data folder.
TEST_F(CustomReportTest, AppliesTheStoredValues) {
    StoreValues();
    auto report = CustomReport();
    EXPECT_FALSE(Dispatch());
    EXPECT_TRUE(journalHandled);
    EXPECT_FALSE(bParamsWindow);
    EXPECT_EQ(OnlyValue(*report->ParameterByName("Region")), Variant("West"));
    EXPECT_EQ(OnlyValue(*report->ParameterByName("Owner's Name")), Variant("Kim"));
    EXPECT_FALSE(report->ParameterByName("Empty One")->HasCurrentValue());
    EXPECT_FALSE(report->ParameterByName("Untouched")->HasCurrentValue());
    EXPECT_EQ(report->Database()->Tables()[0]->LogOnInfo().database, db.Path().string());
    EXPECT_EQ(report->Database()->Tables()[1]->LogOnInfo().database, "");
    EXPECT_TRUE(report->LogOns().empty());
    EXPECT_EQ(FormulaText(*report, "qzDataFolder"), DataFolderFormula());
}

// A failing lookup of the stored values is 2957 from CustomReports with the database's text;
// no value is set and no connection stays open.
TEST_F(CustomReportTest, FailureRaises2957) {
    auto report = CustomReport();
    const ComError error = CaughtComError([&] { Dispatch(); });
    EXPECT_EQ(error.Number(), 2957);
    EXPECT_EQ(error.Source(), "basRptRSVarrik.CustomReports");
    EXPECT_NE(error.Description().find(" SP:sp_rep_CustomReportParams"), std::string::npos)
        << error.Description();
    EXPECT_FALSE(journalHandled);
    EXPECT_EQ(GetConnectionStats().open, 0);
    for (const auto& parameter : report->Parameters()) {
        EXPECT_FALSE(parameter->HasCurrentValue()) << parameter->Name();
    }
}

// A NONE report asks in the prompt form: confirmed, its answers are saved and bParamsWindow is
// set; cancelled, 20545 is pending and bParamsWindow is false even when the host passed true;
// without parameters nothing is shown and bParamsWindow stays as the host passed it.
TEST_F(CustomReportTest, NoneAsksInThePromptForm) {
    const struct {
        std::vector<TestParameter> parameters;
        const char* answers;
        bool hostParamsWindow;
        bool paramsWindow;
        int32_t pending;
    } cases[] = {
        {{{"Region"}, {"Count", CoreValueNumber}},
         R"({"dialogs": [{"caption": "Report Criteria", "do": [["set", "{?Region}", "West"],
             ["set", "{?Count}", "3"], ["click", "btnPreview"]]}]})",
         false,
         true,
         0},
        {{{"Region"}}, R"({"dialogs": [{"do": [["click", "btnCancel"]]}]})", true, false, 20545},
        {{}, R"({"dialogs": []})", true, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers);
        std::ostringstream messages;
        TheSession().ui = std::make_shared<ScriptedUi>(AnswerFile::Parse(c.answers, "t"), messages);
        auto report = LoadCurrentReport({c.parameters, {}, true});
        bParamsWindow = c.hostParamsWindow;
        EXPECT_FALSE(Dispatch("NONE"));
        EXPECT_EQ(bParamsWindow, c.paramsWindow);
        EXPECT_EQ(Err().Number(), c.pending);
        EXPECT_EQ(report->Database()->Tables()[0]->LogOnInfo().database, db.Path().string());
        if (c.paramsWindow && !c.parameters.empty()) {
            EXPECT_EQ(OnlyValue(*report->ParameterByName("Region")), Variant("West"));
            EXPECT_EQ(OnlyValue(*report->ParameterByName("Count")), Variant(3.0));
        }
        Err().Clear();
    }
}

// A NONE report whose form cannot be built ends in 2957 naming the parameter; nothing is shown.
TEST_F(CustomReportTest, NoneBuildFailureRaises2957) {
    std::vector<TestParameter> parameters;
    for (int i = 0; i < 6; ++i) {
        parameters.push_back({"QZLIST(L" + std::to_string(i) + ")"});
    }
    LoadCurrentReport({parameters, {}, false});
    const ComError error = CaughtComError([&] { Dispatch("NONE"); });
    EXPECT_EQ(error.Number(), 2957);
    EXPECT_EQ(error.Source(), "basRptRSVarrik.CustomReports");
    EXPECT_NE(error.Description().find("{?QZLIST(L5)}"), std::string::npos) << error.Description();
}

}  // namespace
}  // namespace hlreports::test
