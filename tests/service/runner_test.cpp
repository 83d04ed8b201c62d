// The report runner: how each outcome of a request reaches the caller (report, message box,
// silence or error 2905 "LoadCrystal"), with the current report released and the mouse pointer
// restored on every road.
#include <gtest/gtest.h>

#include "data/clsRecordset.h"
#include "engine/CoreReport.h"
#include "runtime/Err.h"
#include "service/ReportRunner.h"
#include "service/ServiceFixture.h"

namespace hlreports::test {
namespace {

constexpr const char* kNoInformation = "There is no information to print.";

// What the dispatcher does when the runner calls it.
enum class Dispatch {
    Rows,
    NoRows,
    ClosedRows,
    Nothing,
    Raise91,
    Cancel,
    RowsButCancel,
    NeedsUpgrade,
    OtherError
};
enum class Outcome { Report, NoInformationBox, Silent, Error };

struct RunnerCase {
    const char* label;
    const char* description;  // the request's report name
    Dispatch dispatch;
    Outcome outcome;
    std::string errorText;  // the 2905 description, for Outcome::Error
};

class RunnerErrorPath : public ServiceTest, public ::testing::WithParamInterface<RunnerCase> {
  protected:
    void SetUp() override {
        ServiceTest::SetUp();
        TheSession().sharedRecordset = std::make_shared<clsRecordset>();
        TheSession().sharedRecordset->SetConnectionString(db.ConnectionString());
        TheSession().settings.propertyId = "P1";
        WriteReport("units.rpt");
        AddLibraryRow("Unit List", "units.rpt", "rptUnitList");
        AddLibraryRow("Owner's Units", "units.rpt", "rptUnitList");
        AddLibraryRow("Lost Report", "missing.rpt", "rptUnitList");
    }

    RecordsetPtr Dispatched(Dispatch dispatch) {
        switch (dispatch) {
            case Dispatch::Rows:
                return Units();
            case Dispatch::NoRows:
                return Units("0");
            case Dispatch::ClosedRows: {
                RecordsetPtr rows = Units();
                rows->Close();
                return rows;
            }
            case Dispatch::Nothing:
                return nullptr;
            case Dispatch::RowsButCancel:
                Err().SetPending(ErrorNumber::UserCancelled, "frmCriteria", "Cancelled");
                return Units();
            case Dispatch::Raise91:
                throw ComError(ErrorNumber::ObjectRequired, "builder", "Object variable not set");
            case Dispatch::Cancel:
                Err().SetPending(ErrorNumber::UserCancelled, "frmCriteria", "Cancelled");
                return nullptr;
            case Dispatch::NeedsUpgrade:
                throw ComError(5, "builder", "This report needs to be upgraded first");
            case Dispatch::OtherError:
                throw ComError(5, "builder", "the builder broke");
        }
        return nullptr;
    }
};

// Each outcome reaches the caller in its one way; the current report is released on every
// failure and the pointer goes hourglass first and default last.
TEST_P(RunnerErrorPath, ReachesTheCallerInItsOneWay) {
    const RunnerCase& row = GetParam();
    TheSession().settings.reportName = row.description;
    dispatcher->act = [&](bool&) { return Dispatched(row.dispatch); };
    bool bParamsWindow = false;
    std::shared_ptr<CoreReport> report;
    try {
        report = RunReport(*dispatcher, bParamsWindow, "qz", "pw", row.description);
        EXPECT_NE(row.outcome, Outcome::Error) << "no error was raised";
    } catch (const ComError& error) {
        EXPECT_EQ(row.outcome, Outcome::Error) << error.Description();
        EXPECT_EQ(error.Number(), 2905);
        EXPECT_EQ(error.Source(), "LoadCrystal");
        EXPECT_EQ(error.Description(), row.errorText);
    }
    EXPECT_EQ(report != nullptr, row.outcome == Outcome::Report);
    EXPECT_EQ(TheSession().currentReport, report);
    if (row.outcome == Outcome::NoInformationBox) {
        ASSERT_EQ(ui->Messages().size(), 1u);
        EXPECT_EQ(ui->Messages()[0].text, kNoInformation);
        EXPECT_EQ(ui->Messages()[0].title, "Hearthline");
        EXPECT_EQ(ui->Messages()[0].style, vbOKOnly);
    } else {
        EXPECT_TRUE(ui->Messages().empty());
    }
    ASSERT_FALSE(ui->PointerHistory().empty());
    EXPECT_EQ(ui->PointerHistory().front(), vbHourglass);
    EXPECT_EQ(ui->PointerHistory().back(), vbDefault);
}

const std::string kCannotFind =
    "Cannot find the report you requested: Lost Report.  Please contact the system administrator "
    "to verify that the report file has not been moved or deleted.";

INSTANTIATE_TEST_SUITE_P(
    Rows, RunnerErrorPath,
    ::testing::Values(
        RunnerCase{"unknownDescription", "Nobody's Report", Dispatch::Rows, Outcome::Error,
                   "Report data source not found"},
        RunnerCase{"rowsGiven", "Unit List", Dispatch::Rows, Outcome::Report, ""},
        RunnerCase{"apostropheFound", "Owner's Units", Dispatch::Rows, Outcome::Report, ""},
        RunnerCase{"missingFile", "Lost Report", Dispatch::Rows, Outcome::Error, kCannotFind},
        RunnerCase{"noRows", "Unit List", Dispatch::NoRows, Outcome::NoInformationBox, ""},
        RunnerCase{"closedRows", "Unit List", Dispatch::ClosedRows, Outcome::NoInformationBox, ""},
        RunnerCase{"error91", "Unit List", Dispatch::Raise91, Outcome::NoInformationBox, ""},
        RunnerCase{"cancelPending", "Unit List", Dispatch::Cancel, Outcome::Silent, ""},
        RunnerCase{"rowsButCancelPending", "Unit List", Dispatch::RowsButCancel, Outcome::Silent,
                   ""},
        RunnerCase{"nothingReturned", "Unit List", Dispatch::Nothing, Outcome::Error,
                   "Error processing report: "},
        RunnerCase{"needsUpgrade", "Unit List", Dispatch::NeedsUpgrade, Outcome::Silent, ""},
        RunnerCase{"otherError", "Unit List", Dispatch::OtherError, Outcome::Error,
                   "Error processing report: the builder broke"}),
    [](const auto& row) { return std::string(row.param.label); });

class RunnerTest : public ServiceTest {
  protected:
    void SetUp() override {
        ServiceTest::SetUp();
        TheSession().sharedRecordset = std::make_shared<clsRecordset>();
        TheSession().sharedRecordset->SetConnectionString(db.ConnectionString());
        TheSession().settings.propertyId = "P1";
    }
};

// The rows the dispatcher returns become the main table's rows; the report stays current; a
// cancel left pending by an earlier request does not silence this one.
TEST_F(RunnerTest, RowsReachTheMainTable) {
    WriteReport("units.rpt");
    AddLibraryRow("Unit List", "units.rpt", "rptUnitList");
    TheSession().settings.reportName = "Unit List";
    dispatcher->act = [&](bool&) { return Units(); };
    Err().SetPending(ErrorNumber::UserCancelled, "frmCriteria", "an earlier cancel");
    bool bParamsWindow = false;
    auto report = RunReport(*dispatcher, bParamsWindow, "qz", "pw", "Unit List");
    ASSERT_TRUE(report);
    ASSERT_EQ(dispatcher->calls.size(), 1u);
    EXPECT_EQ(dispatcher->calls[0].dataSource, "rptUnitList");
    EXPECT_EQ(dispatcher->calls[0].reportName, "");
    EXPECT_EQ(dispatcher->calls[0].parameterCount, 2u);
    const auto& rows = report->Database()->Tables().front()->Rows();
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 3);
}

// A CUSTOM row loads its stored full path, not a file of the report directory, and the builder
// gets the report name.
TEST_F(RunnerTest, CustomLoadsTheStoredFullPath) {
    const std::string elsewhere = files.WriteFile("custom.rpt", "<report name='c'/>").string();
    AddLibraryRow("My Custom", elsewhere, "CUSTOM");
    TheSession().settings.reportName = "My Custom";
    bool bParamsWindow = false;
    auto report = RunReport(*dispatcher, bParamsWindow, "qz", "pw", "My Custom");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->Path(), elsewhere);
    ASSERT_EQ(dispatcher->calls.size(), 1u);
    EXPECT_EQ(dispatcher->calls[0].dataSource, "CUSTOM");
    EXPECT_EQ(dispatcher->calls[0].reportName, "My Custom");
}

// A NONE report whose prompts were not confirmed ends silently; confirmed, it comes back.
TEST_F(RunnerTest, NoneReportFollowsThePromptAnswer) {
    WriteReport("prompted.rpt");
    AddLibraryRow("Prompted", "prompted.rpt", "NONE");
    TheSession().settings.reportName = "Prompted";
    for (const bool confirmed : {false, true}) {
        dispatcher->act = [&](bool& bParamsWindow) {
            bParamsWindow = confirmed;
            return nullptr;
        };
        bool bParamsWindow = false;
        auto report = RunReport(*dispatcher, bParamsWindow, "qz", "pw", "Prompted");
        EXPECT_EQ(report != nullptr, confirmed);
        EXPECT_EQ(TheSession().currentReport, report);
    }
    EXPECT_TRUE(ui->Messages().empty());
}

// A report directory that is not set fails before any report exists: the "Unable to open the
// file" text with an empty file name.
TEST_F(RunnerTest, NoReportDirectoryNamesNoFile) {
    db.Execute("DELETE FROM tblSetup");
    TheSession().settings.reportName = "Unit List";
    bool bParamsWindow = false;
    const ComError error =
        CaughtComError([&] { RunReport(*dispatcher, bParamsWindow, "qz", "pw", "Unit List"); });
    EXPECT_EQ(error.Number(), 2905);
    EXPECT_EQ(error.Source(), "LoadCrystal");
    EXPECT_EQ(error.Description(),
              "Unable to open the file .  The file may be missing or the path may be incorrect.");
    EXPECT_EQ(ui->GetMousePointer(), vbDefault);
}

}  // namespace
}  // namespace hlreports::test
