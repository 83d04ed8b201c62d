// Reads how a table of a report file reads its own rows: the `reads` attribute of <table> with
// its <query> and <argument> children (docs/report-format.md). Arguments name report parameters
// (a sub-report's own, else its main report's); a query's placeholders and the arguments must
// match one to one. Every mistake is a 20510 error naming the file, line and problem.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/CoreReport.h"
#include "engine/ReportXmlRules.h"

namespace hlreports {

using ParameterList = std::vector<std::shared_ptr<CoreParameter>>;

// `mainParameters` is nullptr for a main report's table.
TableReading ParseTableReading(const ReportXmlRules& rules, pugi::xml_node node,
                               const std::string& table, const std::string& location,
                               const ParameterList& parameters,
                               const ParameterList* mainParameters);

}  // namespace hlreports
