// CustomReports: the road of reports written by the customer. The report file is pointed at the
// database (SetReportDatabase with the shared wrapper's connection string). For a data source
// other than "NONE" (ignoring case) the values stored for the property
// ("sp_rep_CustomReportParams") are applied to the report's parameters by clsCustomRptParams,
// without a window. For "NONE" the prompt form (frmBlankCriteria) is built for the report's
// parameters and, when there is at least one, shown modally: bParamsWindow becomes its Result, so
// a cancel (20545 pending) ends the request silently even when the host passed True. A report
// without parameters runs with bParamsWindow as the host passed it.
//
// Every error raises 2957, source "basRptRSVarrik.CustomReports", with the error's description.
#pragma once

#include <string>

#include "catalogue/BuilderContext.h"

namespace hlreports {

void CustomReports(const std::string& dataSource, BuilderContext& context);

}  // namespace hlreports
