// Reports: the public entry through which a host asks for reports.
//
// PrintReport looks a report up by its description, asks for its criteria, fetches its data and
// returns the prepared report (or nothing: no data, a cancel); PrintRS prepares a report from the
// caller's rows. Neither prints: the host previews or prints what comes back. Errors reach the
// host as ComError: 2905 "LoadCrystal" from the runner, 2942 "PrintReport", 2943 "PrintRS".
//
// Creating a Reports object creates the process-wide shared database wrapper; destroying one
// releases it and removes the report data sources.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/CoreReport.h"
#include "recordset/Recordset.h"
#include "runtime/Date.h"
#include "runtime/Variant.h"

namespace hlreports {

class ReportDispatcher;

class Reports : public ComObject {
  public:
    explicit Reports(std::shared_ptr<ReportDispatcher> dispatcher);
    ~Reports() override;
    Reports(const Reports&) = delete;
    Reports& operator=(const Reports&) = delete;

    std::shared_ptr<CoreReport> PrintRS(const std::string& strReportName,
                                        const RecordsetPtr& rstReportData,
                                        const std::string& strConnectionString,
                                        const Variant& arrParams = Variant::Missing());

    std::shared_ptr<CoreReport> PrintReport(
        const std::string& strReportName, const std::string& strGLPrefix,
        const std::string& strPropertyID, const std::string& strPropertyName,
        const std::string& strConnectionString, const std::string& strUserName,
        int32_t& Destination, bool& bParamsWindow, const Variant& bReportCriteriaFormRestoresFocus,
        std::string& strDataFolder, std::string& strQZUser, std::string& strQZPassword,
        Date dtePeriodEndDate, Date dteFiscalEndDate,
        const Variant& varCriteria = Variant::Missing());

    // One preview window fewer; true when none is left open.
    bool ClosePreview();
    void SetLastReportFormOpened(std::shared_ptr<CoreReportForm>& frmReportForm);

    int16_t OpenPreviewCount() const { return openPreviews_; }

  private:
    std::shared_ptr<ReportDispatcher> dispatcher_;
    int16_t openPreviews_ = 0;
    void AddPreview();
};

}  // namespace hlreports
