// The fixture of the service tests: a fresh session with a recording screen, a small database
// of the test's own (report library, setup values, the two look-up procedures), a report folder
// whose path is the "ReportDirectory" setting, and a dispatcher that plays a scripted part.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "recordset/Recordset.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "service/ReportDispatcher.h"
#include "support/CaughtComError.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"
#include "ui/Ui.h"

namespace hlreports::test {

// What the runner handed to the dispatcher.
struct DispatchCall {
    std::string dataSource;
    std::string reportName;
    std::size_t parameterCount = 0;
};

class FakeDispatcher : public ReportDispatcher {
  public:
    // The part to play; by default it returns nullptr and touches nothing.
    std::function<RecordsetPtr(bool& bParamsWindow)> act = [](bool&) { return nullptr; };
    std::vector<DispatchCall> calls;

    RecordsetPtr GetReportData(const std::string& dataSource, bool& bParamsWindow,
                               bool& journalHandled, CoreParameterArray& reportParameters,
                               const std::string& userName, const std::string& password,
                               const std::string& reportName) override;
};

class ServiceTest : public ::testing::Test {
  protected:
    TestDatabase db;
    TempDir files;
    std::shared_ptr<RecordingUi> ui = std::make_shared<RecordingUi>();
    std::shared_ptr<FakeDispatcher> dispatcher = std::make_shared<FakeDispatcher>();

    ServiceTest();
    void SetUp() override;
    void TearDown() override;

    std::string ReportFolder() const { return (files / "reports").string(); }
    std::string DataFolder() const { return (files / "data").string(); }
    // A report library row; dataSource "" stores NULL.
    void AddLibraryRow(const std::string& description, const std::string& name,
                       const std::string& dataSource) const;
    // Writes reports/<name>: two text parameters, a main table, formula and title as given.
    std::string WriteReport(const std::string& name, const std::string& title = "",
                            const std::string& formulas = "") const;
    // Rows of tblUnit; `where` picks which.
    RecordsetPtr Units(const std::string& where = "1") const;
};

}  // namespace hlreports::test
