// The renderers of a prepared report. Each returns the whole output as one string built in a
// single pass (RenderJson.cpp, RenderText.cpp, RenderHtml.cpp).
//
// JSON is the complete state (docs/prepared-report-json.md), the contract that tests and scripts
// read; it never fails on a loaded report. Text and HTML print what the report's layout asks for
// (docs/report-format.md) and raise ComError 20514 ("CoreReport.Render") when the layout names
// a field that the rows lack or sums a value that is no number.
#pragma once

#include <string>

#include "engine/CoreReport.h"

namespace hlreports {

std::string RenderJson(const CoreReport& report);
std::string RenderText(const CoreReport& report);
std::string RenderHtml(const CoreReport& report);

}  // namespace hlreports
