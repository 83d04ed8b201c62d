// The public entry: PrintReport's settings, destination, counter, title and error wrapping;
// PrintRS's parameters, data, title and errors; ClosePreview's count.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "datasources/OdbcSandbox.h"
#include "hlreports/ReportDSNs.h"
#include "hlreports/Reports.h"
#include "service/ServiceFixture.h"

namespace hlreports::test {
namespace {

class ReportsTest : public ServiceTest {
  protected:
    std::shared_ptr<Reports> reports;

    void SetUp() override {
        ServiceTest::SetUp();
        reports = std::make_shared<Reports>(dispatcher);
        WriteReport("units.rpt");
        AddLibraryRow("Unit List", "units.rpt", "rptUnitList");
        AddLibraryRow("A&B Report", "units.rpt", "rptUnitList");
        dispatcher->act = [this](bool&) { return Units(); };
    }
    void TearDown() override {
        reports.reset();
        ServiceTest::TearDown();
    }

    std::shared_ptr<CoreReport> Print(const std::string& name, int32_t& destination,
                                      const Variant& criteria = Variant::Missing()) {
        bool bParamsWindow = false;
        std::string dataFolder = DataFolder();
        std::string user = "qz";
        std::string password = "pw";
        return reports->PrintReport(name, "GL", "P1", "Maple Court", db.ConnectionString(), "kim",
                                    destination, bParamsWindow, Variant(true), dataFolder, user,
                                    password, Date::FromYmd(2024, 3, 31), Date(), criteria);
    }

    std::shared_ptr<CoreReport> PrintRows(const std::string& name, const Variant& params) {
        return reports->PrintRS(name, Units(), db.ConnectionString(), params);
    }
};

// PrintReport stores the request's settings; an omitted criteria keeps the earlier one.
TEST_F(ReportsTest, PrintReportStoresTheSessionSettings) {
    int32_t destination = irToPrinter;
    ASSERT_TRUE(Print("Unit List", destination, Variant("first")));
    const SessionSettings& settings = TheSession().settings;
    EXPECT_EQ(settings.reportName, "Unit List");
    EXPECT_EQ(settings.userName, "kim");
    EXPECT_EQ(settings.destination, irToPrinter);
    EXPECT_EQ(settings.glPrefix, "GL");
    EXPECT_EQ(settings.propertyId, "P1");
    EXPECT_EQ(settings.propertyName, "Maple Court");
    EXPECT_EQ(settings.periodEndDate, Date::FromYmd(2024, 3, 31));
    EXPECT_TRUE(settings.focusFlag);
    EXPECT_EQ(settings.criteria, Variant("first"));
    ASSERT_TRUE(Print("Unit List", destination));
    EXPECT_EQ(settings.criteria, Variant("first"));
}

struct DestinationCase {
    int32_t setByRun;
    int16_t openPreviews;
};

// The destination the run leaves comes back to the caller; only 2 counts an open preview.
TEST_F(ReportsTest, DestinationComesBackAndTwoCountsAPreview) {
    const DestinationCase cases[] = {{irtowindow, 0}, {irToPrinter, 0}, {2, 1}};
    for (const DestinationCase& row : cases) {
        reports.reset();  // the old object's end releases the shared wrapper
        reports = std::make_shared<Reports>(dispatcher);
        dispatcher->act = [&](bool&) {
            TheSession().settings.destination = row.setByRun;
            return Units();
        };
        int32_t destination = irtowindow;
        ASSERT_TRUE(Print("Unit List", destination));
        EXPECT_EQ(destination, row.setByRun);
        EXPECT_EQ(reports->OpenPreviewCount(), row.openPreviews) << row.setByRun;
    }
}

// An empty title becomes the report name: without "&" after PrintReport, unchanged after PrintRS.
TEST_F(ReportsTest, EmptyTitleTakesTheReportName) {
    int32_t destination = irtowindow;
    auto printed = Print("A&B Report", destination);
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->Title(), "AB Report");
    auto fromRows = PrintRows("A&B Report", Variant::Null());
    ASSERT_TRUE(fromRows);
    EXPECT_EQ(fromRows->Title(), "A&B Report");
}

// A title the file gives is kept by both.
TEST_F(ReportsTest, FileTitleIsKept) {
    WriteReport("units.rpt", "Units of Maple Court");
    int32_t destination = irtowindow;
    EXPECT_EQ(Print("A&B Report", destination)->Title(), "Units of Maple Court");
    EXPECT_EQ(PrintRows("A&B Report", Variant::Null())->Title(), "Units of Maple Court");
}

// The runner's "LoadCrystal" error passes unchanged; any other becomes 2942 "PrintReport".
TEST_F(ReportsTest, PrintReportErrors) {
    int32_t destination = irtowindow;
    const ComError runner = CaughtComError([&] { Print("Nobody", destination); });
    EXPECT_EQ(runner.Number(), 2905);
    EXPECT_EQ(runner.Source(), "LoadCrystal");
    EXPECT_EQ(runner.Description(), "Report data source not found");

    std::filesystem::remove_all(files / "data");
    const ComError other = CaughtComError([&] { Print("Unit List", destination); });
    EXPECT_EQ(other.Number(), 2942);
    EXPECT_EQ(other.Source(), "PrintReport");
    EXPECT_EQ(other.Description(),
              "Error Creating Report DSN. The Data folder " + DataFolder() + "does not exist");
}

// PrintRS sets parameters by position from column 1, cut to 255 characters, and gives the rows
// to the main table; the current report is cleared afterwards.
TEST_F(ReportsTest, PrintRsSetsParametersByPosition) {
    VariantArray params(1, 2, 0, 2);
    params.At(1, 0) = Variant("Note");  // column 0 is never read
    params.At(1, 1) = Variant("P1");
    params.At(2, 0) = Variant("Property");
    params.At(2, 1) = Variant(std::string(300, 'x'));
    auto report = PrintRows("Unit List", Variant(params));
    ASSERT_TRUE(report);
    const auto& parameters = report->Parameters();
    EXPECT_EQ(parameters[0]->CurrentValue(), Variant("P1"));
    EXPECT_EQ(parameters[1]->CurrentValue(), Variant(std::string(255, 'x')));
    ASSERT_TRUE(report->Database()->Tables().front()->Rows());
    EXPECT_EQ(report->Database()->Tables().front()->Rows()->RecordCount(), 3);
    EXPECT_FALSE(TheSession().currentReport);
}

// PrintRS errors are 2943 "PrintRS": an unknown report has its fixed text, too many parameter
// rows the bounds error's text; the current report is cleared.
TEST_F(ReportsTest, PrintRsErrors) {
    const ComError unknown = CaughtComError([&] { PrintRows("Nobody", Variant::Null()); });
    EXPECT_EQ(unknown.Number(), 2943);
    EXPECT_EQ(unknown.Source(), "PrintRS");
    EXPECT_EQ(unknown.Description(), "The report requested does not exist in the report table.");

    VariantArray params(0, 3, 0, 2);
    const ComError tooMany = CaughtComError([&] { PrintRows("Unit List", Variant(params)); });
    EXPECT_EQ(tooMany.Number(), 2943);
    EXPECT_EQ(tooMany.Source(), "PrintRS");
    EXPECT_THAT(tooMany.Description(), ::testing::StartsWith("Subscript out of range"));
    EXPECT_FALSE(TheSession().currentReport);
    EXPECT_EQ(reports->OpenPreviewCount(), 0);
}

// Any other PrintRS error is 2943 with its own description, except one that says the report
// "needs to be upgraded": that one ends silently with no report.
TEST_F(ReportsTest, PrintRsOtherErrorsAndTheUpgradeNotice) {
    AddLibraryRow("Lost", "lost.rpt", "");
    AddLibraryRow("Old", "needs to be upgraded.rpt", "");
    const ComError lost = CaughtComError([&] { PrintRows("Lost", Variant::Null()); });
    EXPECT_EQ(lost.Number(), 2943);
    EXPECT_EQ(lost.Source(), "PrintRS");
    EXPECT_EQ(lost.Description(), "Report file not found: " + ReportFolder() + "/lost.rpt");

    const ComError noRows = CaughtComError(
        [&] { reports->PrintRS("Unit List", nullptr, db.ConnectionString(), Variant::Null()); });
    EXPECT_EQ(noRows.Number(), 2943);
    EXPECT_THAT(noRows.Description(),
                ::testing::StartsWith("Object variable or With block variable not set"));

    EXPECT_FALSE(PrintRows("Old", Variant::Null()));
    EXPECT_FALSE(TheSession().currentReport);
    EXPECT_TRUE(ui->Messages().empty());
    EXPECT_EQ(reports->OpenPreviewCount(), 0);
}

// ClosePreview answers whether no preview is left: fresh -> true; two PrintRS, then false, true.
TEST_F(ReportsTest, ClosePreviewCountsPrintRs) {
    EXPECT_TRUE(reports->ClosePreview());
    reports.reset();
    reports = std::make_shared<Reports>(dispatcher);
    ASSERT_TRUE(PrintRows("Unit List", Variant::Null()));
    ASSERT_TRUE(PrintRows("Unit List", Variant::Null()));
    EXPECT_FALSE(reports->ClosePreview());
    EXPECT_TRUE(reports->ClosePreview());
}

// The end of a Reports object releases the shared wrapper and removes the DSNs it made.
TEST_F(ReportsTest, EndReleasesTheWrapperAndRemovesTheDsns) {
    int32_t destination = irtowindow;
    ASSERT_TRUE(Print("Unit List", destination));
    ASSERT_TRUE(TheSession().reportDSNs);
    const std::string dsn = TheSession().reportDSNs->CustomDSN();
    auto sectionNames = [&] {
        std::vector<std::string> names;
        for (const IniSection& section : ReadIniFile(files / "odbc.ini")) {
            names.push_back(section.name);
        }
        return names;
    };
    EXPECT_THAT(sectionNames(), ::testing::Contains(dsn));
    reports.reset();
    EXPECT_FALSE(TheSession().sharedRecordset);
    EXPECT_FALSE(TheSession().reportDSNs);
    EXPECT_THAT(sectionNames(), ::testing::Not(::testing::Contains(dsn)));
}

}  // namespace
}  // namespace hlreports::test
