// One demo answer file run the way `hlreports print DESCRIPTION --answers ANSWERS` runs it, in
// this process: the clock fixed at noon on 6 December 2026 (the day the demo answer files were
// written, so that dates a window takes from today repeat), the demo database and data folder
// in FOLDER (HLREPORTS_DEMO_DB points there), every database call recorded, the prepared report
// written as FOLDER/report.json. With a connection string the request goes to that database
// instead of the embedded demo; the data folder stays FOLDER/data.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "demo/DemoSummary.h"

namespace hlreports::test {

DemoRun RunDemoAnswers(const std::string& description, const std::filesystem::path& answers,
                       const std::filesystem::path& folder,
                       const std::optional<std::string>& connection = std::nullopt);

}  // namespace hlreports::test
