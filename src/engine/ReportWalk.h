// The printed body of a prepared report as a stream of events, shared by the text and HTML
// renderers: headings, page header lines, column headings, group headers, formatted rows, group
// and report footer lines, then each sub-report the same way. The walk decides what prints and
// in which order (grouping, sorting by group fields, counts and sums); a sink only lays it out.
//
// Cost: cells are read from the table's rows where they are kept, each formatted once, straight
// to the sink; memory beyond the rows is a row index and, when groups sort, one key per row and
// group.
// Errors: ComError 20514 ("CoreReport.Render") for a field the rows lack or a sum over a value
// that is no number.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/CoreReport.h"

namespace hlreports {

struct PrintColumn {
    std::string heading;
    int width = 10;
    bool alignRight = false;
};

class ReportSink {
  public:
    virtual ~ReportSink() = default;
    // depth 0 is the main report, 1 a sub-report.
    virtual void BeginReport(std::string_view heading, int depth) = 0;
    // An empty label prints the value alone.
    virtual void HeaderLine(std::string_view label, std::string_view value) = 0;
    virtual void BeginBody(const std::vector<PrintColumn>& columns) = 0;
    // level counts from 0, outermost first.
    virtual void GroupHeader(int level, std::string_view label, std::string_view value) = 0;
    virtual void Row(const std::vector<std::string>& cells) = 0;
    virtual void NoData() = 0;
    virtual void GroupFooter(int level, std::string_view text) = 0;
    virtual void EndBody() = 0;
    virtual void ReportFooter(std::string_view text) = 0;
    virtual void EndReport(int depth) = 0;
};

void WalkReport(const CoreReport& report, ReportSink& sink);

// Printed text of a parameter's current values: several joined by ", ", a range "a to b".
std::string ParameterDisplayText(const CoreParameter& parameter);

}  // namespace hlreports
