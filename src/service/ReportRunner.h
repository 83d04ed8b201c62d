// RunReport: the worker behind PrintReport. Finds the report in the report library, loads its
// file into a new report object, lets the dispatcher collect criteria and data, hands the rows to
// the report and turns every failure into one of a few messages:
//   no rows -> the box "There is no information to print." and no report;
//   a cancel (20545 pending) or "needs to be upgraded" -> no report, nothing shown;
//   anything else -> ComError 2905, source "LoadCrystal".
// The mouse pointer is restored and the current report released on every failure.
#pragma once

#include <memory>
#include <string>

#include "engine/CoreReport.h"
#include "service/ReportDispatcher.h"

namespace hlreports {

std::shared_ptr<CoreReport> RunReport(ReportDispatcher& dispatcher, bool& bParamsWindow,
                                      const std::string& user, const std::string& password,
                                      const std::string& reportName);

// The report directory with its separator: "\" for a Windows-style folder, "/" otherwise; a
// folder that already ends with either is kept.
std::string ReportDirectoryWithSeparator(std::string directory);

}  // namespace hlreports
