// The custom-report road of the dispatcher: stored values applied to a "CUSTOM" report, the
// report pointed at the database, and the road's own error.
#include <gtest/gtest.h>

#include "catalogue/CatalogueDispatcher.h"
#include "catalogue/CatalogueFixture.h"
#include "runtime/Err.h"

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

    RecordsetPtr Dispatch() {
        return dispatcher.GetReportData("CUSTOM", bParamsWindow, journalHandled,
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

}  // namespace
}  // namespace hlreports::test
