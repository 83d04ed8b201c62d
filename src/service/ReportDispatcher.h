// ReportDispatcher: what the runner calls to collect a report's criteria and data. The catalogue
// implements it (GetReportData); the runner only knows this interface, which keeps the service
// below the catalogue and lets tests drive the runner with a dispatcher of their own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "recordset/Recordset.h"

namespace hlreports {

class CoreParameter;
using CoreParameterArray = std::vector<std::shared_ptr<CoreParameter>>;

class ReportDispatcher {
  public:
    virtual ~ReportDispatcher() = default;

    // Runs the builder of dataSource. Returns the report's rows or nullptr (journals, custom
    // reports, a cancel: a cancel leaves 20545 pending). journalHandled is cleared on entry and set
    // for the journals and the custom-report road.
    virtual RecordsetPtr GetReportData(const std::string& dataSource, bool& bParamsWindow,
                                       bool& journalHandled, CoreParameterArray& reportParameters,
                                       const std::string& userName, const std::string& password,
                                       const std::string& reportName) = 0;
};

}  // namespace hlreports
