// The custom-report road; see CustomReports.h.
#include "catalogue/CustomReports.h"

#include "catalogue/ReportError.h"
#include "prompts/clsCustomRptParams.h"
#include "runtime/Text.h"
#include "service/RunnerHelpers.h"

namespace hlreports {

void CustomReports(const std::string& dataSource, BuilderContext& context) {
    try {
        SetReportDatabase(*context.report, context.connectionString);
        if (!EqualsIgnoreCase(dataSource, "NONE")) {
            clsCustomRptParams storedValues;
            storedValues.Init(context.propertyId);
            storedValues.SetParams(context.reportParameters);
        }
    } catch (...) {
        RaiseReportError(ReportError{2957, "basRptRSVarrik.CustomReports", false});
    }
}

}  // namespace hlreports
