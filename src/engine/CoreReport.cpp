// The report object model: CoreReport, its tables and sub-report objects, and CoreEngine.
// Loading lives in ReportLoader, parameter values in CoreParameter.cpp, printing in Render*.
//
// Lookups by name ignore case, as the engine the component was written against does; an unknown
// name is an error that names it, except FormulaField, whose "nothing" callers test for.
#include "engine/CoreReport.h"

#include <fmt/format.h>

#include "engine/EngineErrors.h"
#include "engine/ReportDefinition.h"
#include "engine/ReportLoader.h"
#include "runtime/Text.h"

namespace hlreports {

CoreTable::CoreTable(std::string name, std::string connectionText, std::string location,
                     TableReading reading)
    : name_(std::move(name)),
      connectionText_(std::move(connectionText)),
      location_(std::move(location)),
      reading_(std::move(reading)) {}

void CoreTable::SetLogOnInfo(std::string server, std::string database, std::string user,
                             std::string password) {
    logOn_ =
        CoreLogOnInfo{std::move(server), std::move(database), std::move(user), std::move(password)};
}

void CoreTable::SetDataSource(std::string_view recordsetXml) {
    // Read first: malformed text leaves the rows the table already had.
    rows_ = Recordset::LoadXml(recordsetXml);
}

const std::string& CoreSubreportObject::Name() const {
    return report_->Name();
}

std::shared_ptr<CoreReport> CoreSubreportObject::Open(std::string_view name) const {
    if (!EqualsIgnoreCase(name, report_->Name())) {
        throw ComError(EngineError::SubreportNotFound,
                       std::string(EngineError::OpenSubreportSource),
                       fmt::format("The sub-report object holds {}, not a sub-report named {}",
                                   report_->Name(), name));
    }
    return report_;
}

CoreReport::CoreReport() : database_(std::make_shared<CoreDatabase>()) {}

CoreReport::~CoreReport() = default;

void CoreReport::Load(const std::string& path) {
    ReportLoader::Load(*this, path);
}

std::shared_ptr<CoreReport> CoreReport::OpenSubreport(std::string_view name) {
    for (const auto& subreport : subreports_) {
        if (EqualsIgnoreCase(subreport->Name(), name)) {
            return subreport;
        }
    }
    throw ComError(EngineError::SubreportNotFound, std::string(EngineError::OpenSubreportSource),
                   fmt::format("Report {} has no sub-report named {}", name_, name));
}

void CoreReport::LogOnDataSources(const std::string& dsn, const std::string& /*emptyText*/,
                                  const std::string& user, const std::string& password,
                                  const std::vector<std::string>& names,
                                  const std::vector<std::string>& dsns, int32_t /*c0*/,
                                  int32_t /*c1*/, int32_t /*c2*/, int32_t /*c3*/, int32_t /*c4*/) {
    logOns_.push_back(CoreLogOnRecord{dsn, user, password, names, dsns});
}

std::shared_ptr<CoreParameter> CoreReport::ParameterByName(std::string_view name) const {
    for (const auto& parameter : parameters_) {
        if (EqualsIgnoreCase(parameter->Name(), name)) {
            return parameter;
        }
    }
    throw ComError(EngineError::ParameterNotFound, std::string(EngineError::ParameterByNameSource),
                   fmt::format("Report {} has no parameter named {}", name_, name));
}

std::shared_ptr<CoreFormula> CoreReport::FormulaField(std::string_view name) const {
    for (const auto& formula : formulas_) {
        if (EqualsIgnoreCase(formula->Name(), name)) {
            return formula;
        }
    }
    return nullptr;
}

CoreWindowState CoreEngine::WindowState(const std::shared_ptr<ComObject>& ownerWindow) const {
    const auto window = std::dynamic_pointer_cast<CoreWindow>(ownerWindow);
    return CoreWindowState{window != nullptr && window->IsMinimized()};
}

}  // namespace hlreports
