// The fixture of the catalogue tests: a fresh session whose shared wrapper reads a small database
// of the test's own, a recording screen, report data sources on a data folder of the test, the
// property "P1" "Maple Court", and report files written from a short description.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/CoreReport.h"
#include "recordset/Recordset.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "service/ReportDispatcher.h"
#include "support/CallRecorder.h"
#include "support/CaughtComError.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"
#include "ui/Ui.h"

namespace hlreports::test {

struct TestParameter {
    std::string name{};
    int type = CoreValueString;
    bool multi = false;
};

struct TestReport {
    std::vector<TestParameter> parameters{};
    // Sub-reports by name, each with one table.
    std::vector<std::string> subreports{};
    // A second table of the data folder, which SetReportDatabase leaves alone.
    bool withDataFolderTable = false;
};

// A report parameter made directly, for tests that need no file.
std::shared_ptr<CoreParameter> MakeParameter(const std::string& name);

class CatalogueTest : public ::testing::Test {
  protected:
    TestDatabase db;
    TempDir files;
    std::shared_ptr<RecordingUi> ui = std::make_shared<RecordingUi>();

    void SetUp() override;
    void TearDown() override;

    std::string DataFolder() const;
    // Writes the report file, loads it and makes it the session's current report.
    std::shared_ptr<CoreReport> LoadCurrentReport(const TestReport& description);
    // The "qzDataFolder" text that SetDataFolderFormula writes for the test's folder.
    std::string DataFolderFormula() const { return "\"" + DataFolder() + "\""; }
    std::string FormulaText(const CoreReport& report, const std::string& name) const;
};

// Runs the catalogue's builders with scripted dialogs, for the property the test chooses.
class BuilderTest : public CatalogueTest {
  protected:
    // Makes the described report the current one and runs the key's builder with the answer
    // file `answers` (its whole JSON text). bParamsWindow and messages stay as the test left them.
    RecordsetPtr RunBuilder(const std::string& key, const std::string& answers,
                            const TestReport& description, const Variant& criteria);
    // A report whose text parameters carry these formula names, with these sub-reports.
    static TestReport ReportWith(const std::vector<std::string>& formulas,
                                 std::vector<std::string> subreports = {});
    // The one value of the report's named parameter; "(none)" when it has no such parameter.
    Variant Formula(const std::string& name) const;

    std::string propertyId = "P1";
    std::string propertyName = "Maple Court";
    bool bParamsWindow = false;
    std::shared_ptr<CoreReport> report;
    CoreParameterArray parameters;
    std::ostringstream messages;
};

// The one value a parameter holds after SetCurrentValue or ApplyValues of one value; Empty when
// it holds none.
Variant OnlyValue(const CoreParameter& parameter);
std::vector<Variant> CurrentValues(const CoreParameter& parameter);

}  // namespace hlreports::test
