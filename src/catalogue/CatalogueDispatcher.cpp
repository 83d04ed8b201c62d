// GetReportData; the calling order and the leaving rule are fixed in CatalogueDispatcher.h.
#include "catalogue/CatalogueDispatcher.h"

#include <array>
#include <string_view>

#include "data/clsRecordset.h"
#include "hlreports/ReportDSNs.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "service/RunnerHelpers.h"
#include "service/SharedObjects.h"

namespace hlreports {
namespace {

// Reports whose file reads only the data folder: no log-on, whatever happened.
constexpr std::array<std::string_view, 2> kDataFolderOnlyKeys = {"rptDepositLog",
                                                                 "rptWeeklyBoxScore"};

bool IsDataFolderOnly(const std::string& dataSource) {
    for (std::string_view key : kDataFolderOnlyKeys) {
        if (dataSource == key) {
            return true;
        }
    }
    return false;
}

std::string SharedDataFolder() {
    const auto& dsns = TheSession().reportDSNs;
    return dsns ? dsns->dataFolderPath() : std::string();
}

void Leave(const std::string& dataSource, bool journalHandled, CoreReport& report,
           const std::string& userName, const std::string& password) {
    const int32_t number = Err().Number();
    if (!journalHandled && !IsDataFolderOnly(dataSource) && number != ErrorNumber::UserCancelled) {
        LogOnReport(report, userName, password);
        return;
    }
    SetDataFolderFormula(SharedDataFolder(), report);
}

// The leaving rule reads the pending number; a builder that raised may not have left it there.
void KeepCaughtErrorPending() {
    try {
        throw;
    } catch (const ComError& error) {
        Err().SetPending(error);
    } catch (const std::exception& error) {
        Err().SetPending(ErrorNumber::DatabaseError, "basReports::rpts", error.what());
    }
}

}  // namespace

CatalogueDispatcher::CatalogueDispatcher() : catalogue_(StandardCatalogue()) {}

CatalogueDispatcher::CatalogueDispatcher(Catalogue catalogue) : catalogue_(std::move(catalogue)) {}

RecordsetPtr CatalogueDispatcher::GetReportData(const std::string& dataSource, bool& bParamsWindow,
                                                bool& journalHandled,
                                                CoreParameterArray& reportParameters,
                                                const std::string& userName,
                                                const std::string& password,
                                                const std::string& reportName) {
    journalHandled = false;
    const std::shared_ptr<CoreReport> report = TheSession().currentReport;
    if (!report) {
        throw ComError(ErrorNumber::ObjectRequired, "basReports::rpts",
                       "Object variable or With block variable not set (no current report)");
    }
    RecordsetPtr result;
    try {
        const auto entry = catalogue_.find(dataSource);
        if (entry == catalogue_.end()) {
            Err().Raise(2500, "basReports::rpts", "Report datasource is invalid.");
        }
        const SessionSettings& settings = TheSession().settings;
        BuilderContext context{settings.propertyId,
                               settings.propertyName,
                               bParamsWindow,
                               reportParameters,
                               settings.criteria,
                               report,
                               "",
                               ""};
        const RoadKind road = entry->second.road;
        if (road != RoadKind::Builder) {
            context.connectionString = SharedRecordset().ConnectionString();
        }
        if (road == RoadKind::CustomReport) {
            context.reportName = reportName;
        }
        if (entry->second.needsSetupService) {
            InitSetupService(userName, password);
        }
        result = entry->second.build(context);
        if (road != RoadKind::Builder) {
            journalHandled = true;
        }
    } catch (...) {
        KeepCaughtErrorPending();
        try {
            Leave(dataSource, journalHandled, *report, userName, password);
        } catch (...) {
            // The builder's error is the one the runner must report.
        }
        throw;
    }
    Leave(dataSource, journalHandled, *report, userName, password);
    return result;
}

}  // namespace hlreports
