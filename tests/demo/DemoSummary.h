// The summary of one demo run: what the request sent to the database (every call, with each
// procedure argument's name, ADO type, size, direction and value), the message lines, the host's
// exit code and outcome, the values the component set on the report's parameters and formulas,
// and how many rows each table and sub-report received. Two runs that differ in any argument,
// argument order, formula value or row count give different summaries; data that the report only
// prints (the rows themselves) is left out, so that a believable change of the demo data does not
// churn every summary.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/CallRecorder.h"

namespace hlreports::test {

struct DemoRun {
    int exitCode = 0;
    std::string messages;  // the host's error stream
    std::vector<RecordedCall> calls;
    std::string reportJson;  // the --out JSON; empty when no report was written
};

// folder is replaced by "<demo folder>" wherever it appears, so that summaries do not depend on
// where the run took place.
nlohmann::json SummaryOf(const DemoRun& run, const std::string& folder);

}  // namespace hlreports::test
