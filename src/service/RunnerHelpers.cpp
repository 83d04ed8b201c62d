#include "service/RunnerHelpers.h"

#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "engine/CoreSetupService.h"
#include "hlreports/ReportDSNs.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/SetupHelpers.h"
#include "service/SharedObjects.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

ReportDSNs& SharedReportDSNs() {
    const auto& shared = TheSession().reportDSNs;
    if (!shared) {
        throw ComError(
            ErrorNumber::ObjectRequired, "HLReports",
            "Object variable or With block variable not set (no report data sources object)");
    }
    return *shared;
}

// Every sub-report placed in the report's sections, opened by its own name.
template <typename Visit>
void ForEachSubreport(CoreReport& report, Visit visit) {
    for (const auto& section : report.Sections()) {
        for (const auto& object : section->Objects()) {
            if (object->Kind() != CoreObjectSubreport) {
                continue;
            }
            const auto& subreportObject = object->Subreport();
            std::shared_ptr<CoreReport> subreport = subreportObject->Open(subreportObject->Name());
            visit(*subreport);
        }
    }
}

CoreTable& FirstTableOf(CoreReport& report, std::string_view subreportName) {
    std::shared_ptr<CoreReport> subreport = report.OpenSubreport(subreportName);
    const auto& tables = subreport->Database()->Tables();
    if (tables.empty()) {
        throw ComError(ErrorNumber::SubscriptOutOfRange, "SetSubreportData",
                       "Subscript out of range: sub-report \"" + std::string(subreportName) +
                           "\" has no table");
    }
    return *tables.front();
}

}  // namespace

void SetSubreportData(CoreReport& report, std::string_view subreportName, std::string_view xml) {
    FirstTableOf(report, subreportName).SetDataSource(xml);
}

void SetSubreportRecordset(CoreReport& report, std::string_view subreportName,
                           const Recordset& recordset, std::string_view filter) {
    std::shared_ptr<Recordset> clone = recordset.Clone(adLockUnspecified);
    if (!filter.empty()) {
        clone->SetFilter(filter);
    }
    RecordsetPtr rows = clone->SavedCopy();
    FirstTableOf(report, subreportName).SetRows(std::move(rows));
}

std::string ReportDSNKind(CoreReport& report) {
    std::shared_ptr<CoreFormula> designMode = report.FormulaField("qzDesignMode");
    if (!designMode) {
        return SharedReportDSNs().CustomDSN();
    }
    if (designMode->Text() == "\"SDesc\"") {
        return SharedReportDSNs().StandardDSN();
    }
    if (designMode->Text() == "\"Dictionary\"") {
        return SharedReportDSNs().DictionaryDSN();
    }
    return SharedReportDSNs().CustomDSN();
}

void SetDataFolderFormula(std::string_view dataFolder, CoreReport& report) {
    std::shared_ptr<CoreFormula> formula = report.FormulaField("qzDataFolder");
    if (formula) {
        // A formula string literal: a quote inside it is doubled, or it would end the text.
        std::string literal = "\"";
        for (const char c : dataFolder) {
            literal += c;
            if (c == '"') {
                literal += '"';
            }
        }
        formula->SetText(literal + "\"");
    }
}

void LogOnReport(CoreReport& report, const std::string& user, const std::string& password) {
    try {
        const std::string dsn = ReportDSNKind(report);
        SetDataFolderFormula(SharedReportDSNs().dataFolderPath(), report);
        std::vector<std::string> names{report.ConnectionName()};
        std::vector<std::string> dsns{dsn};
        ForEachSubreport(report, [&](CoreReport& subreport) {
            const std::string subreportDsn = ReportDSNKind(subreport);
            SetDataFolderFormula(SharedReportDSNs().dataFolderPath(), subreport);
            if (subreportDsn != dsn) {
                names.push_back(subreport.ConnectionName());
                dsns.push_back(subreportDsn);
            }
        });
        report.LogOnDataSources(dsn, "", user, password, names, dsns, 0, -1, 5, -1, -1);
    } catch (const ComError& error) {
        TheUi().MsgBox("Error:  " + error.Description(), vbOKOnly, "Error occurred");
    }
}

void SetDatabase(CoreReport& report, const std::string& server, const std::string& database,
                 const std::string& uid, const std::string& password) {
    try {
        for (const auto& table : report.Database()->Tables()) {
            if (ContainsIgnoreCase(table->ConnectionText(), "Larchfield Data Source")) {
                continue;
            }
            table->SetLogOnInfo(server, database, uid, password);
            table->SetLocation(table->Location());
        }
    } catch (const ComError& error) {
        throw ComError(2958, "basRptRSVarrik.SetDatabase", error.Description());
    }
}

CoreHostConnection HostConnection(std::string_view connectionString) {
    CoreHostConnection host;
    host.server = basParseConnectionString(connectionString, "Server");
    host.database = basParseConnectionString(connectionString, "Database");
    // The embedded database has no user: a string without "Uid" logs on without one.
    if (ContainsIgnoreCase(connectionString, "Uid")) {
        host.user = basParseConnectionString(connectionString, "Uid");
    }
    host.connectionString = connectionString;
    return host;
}

void SetReportDatabase(CoreReport& report, std::string_view connectionString) {
    const CoreHostConnection host = HostConnection(connectionString);
    SetDatabase(report, host.server, host.database, host.user, "");
    ForEachSubreport(report, [&](CoreReport& subreport) {
        SetDatabase(subreport, host.server, host.database, host.user, "");
    });
}

void InitSetupService(const std::string& user, const std::string& password) {
    RecordsetPtr folder;
    SharedRecordset().RunSpRetRS("sp_GetDataFolder", folder, nullptr, false);
    if (!folder || folder->EOF()) {
        throw ComError(ErrorNumber::NoCurrentRecord, "InitSetupService",
                       "sp_GetDataFolder returned no data folder");
    }
    auto service = std::make_shared<CoreSetupService>();
    TheSession().setupService = service;
    service->Init(folder->Value("Data_Folder").ToString(), user, password);
}

RecordsetPtr CustomReportParams(std::string_view property) {
    try {
        SPParams params;
        params.Add("@Property", adVarChar, 10, adParamInput, Variant(property));
        RecordsetPtr rows;
        SharedRecordset().RunSpRetRS("sp_rep_CustomReportParams", rows, &params, false);
        return rows;
    } catch (const ComError& error) {
        throw ComError(2959, "basRptRSVarrik.CustomReportParams", error.Description());
    }
}

int16_t ArrayCount(const Variant& array) {
    const VariantArray& items = array.AsArray();
    return Variant(static_cast<int32_t>(items.UpperBound(1) - items.LowerBound(1) + 1)).ToInteger();
}

int16_t ArrayCount(const std::vector<std::shared_ptr<CoreParameter>>& array) {
    return Variant(static_cast<int32_t>(array.size())).ToInteger();
}

void FocusLastReportForm() {
    Session& session = TheSession();
    if (!session.settings.focusFlag || !session.lastReportForm) {
        return;
    }
    try {
        if (session.lastReportForm->IsClosed()) {
            session.lastReportForm.reset();
            return;
        }
        std::shared_ptr<ComObject> owner = session.lastReportForm->OwnerWindow();
        if (!owner) {
            return;
        }
        if (!CoreEngine().WindowState(owner).IsMinimized) {
            session.lastReportForm->BringForward();
        }
    } catch (...) {
        // Focus handling is a courtesy: a form that fails here must not break the dialog.
    }
}

}  // namespace hlreports
