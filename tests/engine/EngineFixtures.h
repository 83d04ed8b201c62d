// Helpers of the engine tests: recordset XML in the classic rowset format built from a small
// table description, and report files written into a test's own temporary folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/CoreReport.h"
#include "runtime/ComError.h"
#include "support/CaughtComError.h"
#include "support/TempDir.h"

namespace hlreports::test {

// dtType: "string", "int", "float", "currency" or "dateTime".
struct TestField {
    std::string name;
    std::string dtType = "string";
};

using TestRow = std::vector<std::optional<std::string>>;  // nullopt: Null (attribute left out)

std::string RowsXml(const std::vector<TestField>& fields, const std::vector<TestRow>& rows);

// Writes `xml` as `fileName` in `folder` and loads it into a new report.
std::shared_ptr<CoreReport> LoadReport(const TempDir& folder, const std::string& xml,
                                       const std::string& fileName = "test.rpt");

}  // namespace hlreports::test
