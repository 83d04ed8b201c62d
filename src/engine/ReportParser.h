// Reads the XML of a report definition (docs/report-format.md) into the pieces of a report:
// parameters, formulas, tables, the printed layout and the nested sub-reports.
//
// Strict by design: an unknown element or attribute, a missing required attribute, a value that
// does not read, a duplicate name or a reference to an undeclared parameter, formula or table
// raises ComError 20510 ("CoreReport.Load") whose description names the file, the 1-based line
// and the problem. A typo in a hand-written report file must not pass silently.
// Cost: one pugixml DOM of the text, linear in its size.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CoreReport.h"
#include "engine/ReportDefinition.h"

namespace hlreports {

struct ParsedReport {
    std::string name;
    std::string title;
    std::string connectionName;
    std::vector<std::shared_ptr<CoreParameter>> parameters;
    std::vector<std::shared_ptr<CoreFormula>> formulas;
    std::vector<std::shared_ptr<CoreTable>> tables;
    ReportDefinition definition;
    std::vector<ParsedReport> subreports;  // in the order of the report footer
};

// `path` only names the file in error texts; `defaultName` is the report's name when the root
// element gives none.
ParsedReport ParseReportDefinition(std::string_view xmlText, const std::string& path,
                                   const std::string& defaultName);

}  // namespace hlreports
