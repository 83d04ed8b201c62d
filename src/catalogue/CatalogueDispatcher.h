// CatalogueDispatcher: GetReportData, the one entry through which the runner reaches the report
// builders.
//
// Calling order of one call:
//   1. journalHandled is cleared; the current report of the session is required (error 91).
//   2. The key is looked up exactly in the catalogue; an unknown key raises 2500,
//      "basReports::rpts", "Report datasource is invalid.".
//   3. Journal and custom-report roads read the shared wrapper's connection string first; an
//      entry that needs the setup service gets InitSetupService(userName, password) next.
//   4. The builder runs; after a journal or custom report, journalHandled is set.
//   5. Leaving rule, read from the session's pending error number: when journalHandled is false,
//      the key is neither "rptDepositLog" nor "rptWeeklyBoxScore", and the number is not 20545
//      (a cancel), the report is logged on to its data sources (LogOnReport); otherwise only its
//      data-folder formula is set from the shared ReportDSNs (an empty folder when none exists).
//
// The leaving rule runs on the error path too (an unknown key, a builder that raised), before
// the error goes on to the runner: the report is left in the same state either way. An error of
// the leaving rule itself never replaces the builder's error.
#pragma once

#include <string>

#include "catalogue/Catalogue.h"
#include "service/ReportDispatcher.h"

namespace hlreports {

class CatalogueDispatcher : public ReportDispatcher {
  public:
    CatalogueDispatcher();
    // Tests and hosts with catalogues of their own.
    explicit CatalogueDispatcher(Catalogue catalogue);

    RecordsetPtr GetReportData(const std::string& dataSource, bool& bParamsWindow,
                               bool& journalHandled, CoreParameterArray& reportParameters,
                               const std::string& userName, const std::string& password,
                               const std::string& reportName) override;

  private:
    Catalogue catalogue_;
};

}  // namespace hlreports
