// The renderers of a prepared report. Each writes its output to a stream in one pass, handing it
// on piece by piece so that a report of any size costs little more memory than its rows
// (RenderJson.cpp, RenderText.cpp, RenderHtml.cpp); the string forms are for callers that want
// the whole text (tests, the viewer) and are built on the streaming ones (Render.cpp).
//
// JSON is the complete state (docs/prepared-report-json.md), the contract that tests and scripts
// read; it never fails on a loaded report. Text and HTML print what the report's layout asks for
// (docs/report-format.md) and raise ComError 20514 ("CoreReport.Render") when the layout names
// a field that the rows lack or sums a value that is no number. An error midway leaves part of
// the output in the stream: a caller writing a file writes it whole or not at all
// (runtime/PartialFile.h).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "engine/CoreReport.h"

namespace hlreports {

// A member the caller adds at the end of the JSON's top object: its key and its value as JSON
// text.
struct JsonMember {
    std::string key;
    std::string jsonValue;
};

void RenderJson(const CoreReport& report, std::ostream& stream,
                const std::vector<JsonMember>& extraMembers = {});
void RenderText(const CoreReport& report, std::ostream& stream);
void RenderHtml(const CoreReport& report, std::ostream& stream);

std::string RenderJson(const CoreReport& report);
std::string RenderText(const CoreReport& report);
std::string RenderHtml(const CoreReport& report);

}  // namespace hlreports
