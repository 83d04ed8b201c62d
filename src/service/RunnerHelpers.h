// The helpers that the runner, the dispatcher and the builders use to give a report its data and
// its log-on: sub-report data, ODBC log-on of a report and its sub-reports, the
// data-folder formula, the database log-on taken from the connection string, the setup service,
// the stored custom values and the focus handling of the last report form.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/CoreReport.h"
#include "recordset/Recordset.h"

namespace hlreports {

void SetSubreportData(CoreReport& report, std::string_view subreportName, std::string_view xml);
// Hands the rows, filtered when filter is not "", to the named sub-report: a copy equal to what
// their saved XML would load as (Recordset::SavedCopy), so later changes to them do not reach it.
void SetSubreportRecordset(CoreReport& report, std::string_view subreportName,
                           const Recordset& recordset, std::string_view filter);

// The DSN a report's design mode needs: formula "qzDesignMode" absent -> custom, "SDesc" ->
// standard, "Dictionary" -> dictionary, anything else -> custom.
std::string ReportDSNKind(CoreReport& report);
// Sets formula "qzDataFolder" to the folder in double quotes; nothing when the report has none.
void SetDataFolderFormula(std::string_view dataFolder, CoreReport& report);
// Logs the report and its sub-reports on to their DSNs; errors are shown ("Error:  ...",
// "Error occurred"), never raised.
void LogOnReport(CoreReport& report, const std::string& user, const std::string& password);

// Points every table that does not read the data folder at the database (error 2958).
void SetDatabase(CoreReport& report, const std::string& server, const std::string& database,
                 const std::string& uid, const std::string& password);
// The host's connection under the server, database and user it names, the names a log-on from
// SetReportDatabase carries.
CoreHostConnection HostConnection(std::string_view connectionString);
// Server, database and user from the connection string, for the report and its sub-reports.
void SetReportDatabase(CoreReport& report, std::string_view connectionString);

// Creates the process-wide setup service on the data folder of "sp_GetDataFolder".
void InitSetupService(const std::string& user, const std::string& password);

// The stored custom values of a property ("sp_rep_CustomReportParams"); error 2959.
RecordsetPtr CustomReportParams(std::string_view property);

// Upper bound - lower bound + 1 of the first dimension, as a 16-bit count.
int16_t ArrayCount(const Variant& array);
int16_t ArrayCount(const std::vector<std::shared_ptr<CoreParameter>>& array);

// Brings the host's last report form forward when the focus flag is set; every error ignored.
void FocusLastReportForm();

}  // namespace hlreports
