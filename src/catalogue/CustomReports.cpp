// The custom-report road; see CustomReports.h.
#include "catalogue/CustomReports.h"

#include "catalogue/ReportError.h"
#include "prompts/clsCustomRptParams.h"
#include "prompts/frmBlankCriteria.h"
#include "runtime/Text.h"
#include "service/RunnerHelpers.h"

namespace hlreports {

void CustomReports(const std::string& dataSource, BuilderContext& context) {
    try {
        SetReportDatabase(*context.report, context.connectionString);
        frmBlankCriteria promptForm;
        if (!EqualsIgnoreCase(dataSource, "NONE")) {
            clsCustomRptParams storedValues;
            storedValues.Init(context.propertyId);
            storedValues.SetParams(context.reportParameters);
            return;
        }
        const bool hasLines = promptForm.SetParams(context.reportParameters, context.report,
                                                   context.propertyId, context.reportName);
        if (ArrayCount(context.reportParameters) == 0 || !hasLines) {
            return;
        }
        promptForm.ShowModal();
        // A cancelled form must not pass for a confirmed one, whatever the host passed in.
        context.bParamsWindow = promptForm.Result();
    } catch (...) {
        RaiseReportError(ReportError{2957, "basRptRSVarrik.CustomReports", false});
    }
}

}  // namespace hlreports
