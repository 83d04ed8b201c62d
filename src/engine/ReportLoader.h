// Loads a report file into a CoreReport: reads the file, parses it (ReportParser) and installs
// the result, building the sections and sub-report objects that the component walks.
//
// All or nothing: the report's state is replaced only after the whole file parsed, so a failed
// Load leaves the report as it was. A missing file raises 20507 ("Report file not found: ").
#pragma once

#include <string>
#include <string_view>

#include "engine/CoreReport.h"
#include "engine/ReportParser.h"

namespace hlreports {

class ReportLoader {
  public:
    static void Load(CoreReport& report, const std::string& path);
    // The same from text already in memory; `path` names the file in error texts and is what
    // the report's Path() then answers (the fuzz target and tests load this way).
    static void LoadFromText(CoreReport& report, std::string_view xmlText, const std::string& path);

  private:
    static void Install(CoreReport& report, ParsedReport parsed, const std::string& path);
};

}  // namespace hlreports
