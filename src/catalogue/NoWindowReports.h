// The catalogue rows of the standard reports that show no criteria window: they run their
// procedure at once, take dates as today and record keys from the host's criteria value, and
// never touch bParamsWindow.
#pragma once

#include <vector>

#include "catalogue/ReportRow.h"

namespace hlreports {

const std::vector<ReportRow>& NoWindowReportRows();

}  // namespace hlreports
