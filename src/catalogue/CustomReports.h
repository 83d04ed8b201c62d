// CustomReports: the road of reports written by the customer. The report file is pointed at the
// database (SetReportDatabase with the shared wrapper's connection string); for a data source
// other than "NONE" (ignoring case) the values stored for the property
// ("sp_rep_CustomReportParams") are applied to the report's parameters by clsCustomRptParams,
// without a window. The prompt form of "NONE" reports joins here when it exists; until then the
// dispatcher sends only "CUSTOM".
//
// Every error raises 2957, source "basRptRSVarrik.CustomReports", with the error's description.
#pragma once

#include <string>

#include "catalogue/BuilderContext.h"

namespace hlreports {

void CustomReports(const std::string& dataSource, BuilderContext& context);

}  // namespace hlreports
