// RunStandardReport: the shared steps of every builder that a ReportRow row describes.
//
// Order: clear the pending error; show the row's window, if any (a cancel returns nothing, leaves
// 20545 pending and bParamsWindow untouched, and runs nothing; a confirmation sets bParamsWindow);
// work out every argument and every formula value that does not read an output, so bad criteria
// fail before anything runs; build the SPParams list in row order; run the procedure through the
// shared wrapper (RunSPRetRSOutParams when the row has outputs, else RunSpRetRS), read-only; then
// read the output formula values, set the formula values on the report parameter array, feed the
// sub-reports, run the hook, and return the rows.
//
// Formula values are matched by exact, case-sensitive Name, walking the array from its first
// element; a parameter that no formula names is left alone, and a formula that no parameter
// carries is skipped silently. A procedure that hands back no row set returns a closed recordset,
// which the runner reports as "There is no information to print.".
//
// Any error raises the row's error (catalogue/ReportError.h) after the parameter list and the
// window are released; nothing is set on the report when the run fails.
#pragma once

#include "catalogue/BuilderContext.h"
#include "catalogue/ReportRow.h"
#include "recordset/Recordset.h"

namespace hlreports {

RecordsetPtr RunStandardReport(const ReportRow& spec, BuilderContext& context);

}  // namespace hlreports
