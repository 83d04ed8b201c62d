// BuilderContext: what the dispatcher hands every builder of the catalogue for one request. It
// lives for one GetReportData call; bParamsWindow and the parameter array are the runner's own
// (by reference), so a builder's answers reach the runner without copies.
#pragma once

#include <memory>
#include <string>

#include "engine/CoreReport.h"
#include "runtime/Variant.h"
#include "service/ReportDispatcher.h"

namespace hlreports {

struct BuilderContext {
    std::string propertyId;
    std::string propertyName;
    // Set to true once the user confirmed a criteria window; untouched on a cancel and by
    // builders without a window.
    bool& bParamsWindow;
    CoreParameterArray& reportParameters;
    // The host's criteria value of the request (a record key, an array of keys, or Null).
    Variant criteria;
    std::shared_ptr<CoreReport> report;
    // The shared wrapper's connection string; read by the dispatcher only for the journal and
    // custom-report roads, which point the report file itself at the database.
    std::string connectionString;
    // Handed on only on the custom-report road (the prompt form shows it).
    std::string reportName;
};

}  // namespace hlreports
