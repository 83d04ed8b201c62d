// The catalogue rows of the standard reports that show no criteria window: they run their
// procedure at once, take dates as today and record keys from the host's criteria value, and
// never touch bParamsWindow.
#pragma once

#include <vector>

#include "catalogue/ReportSpec.h"

namespace hlreports {

const std::vector<ReportSpec>& NoWindowReportSpecs();

}  // namespace hlreports
