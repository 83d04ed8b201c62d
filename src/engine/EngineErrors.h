// Error numbers and sources of the report engine. The runner matches 20507 (report file not
// found) to tell the user that a report file went missing; the others carry a description that
// names the file, report, parameter or field at fault. docs/report-format.md lists them.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/ComError.h"

namespace hlreports::EngineError {

inline constexpr int32_t ReportFileNotFound = ErrorNumber::ReportFileNotFound;  // 20507
inline constexpr int32_t MalformedReportFile = 20510;
inline constexpr int32_t SubreportNotFound = 20511;
inline constexpr int32_t ParameterNotFound = 20512;
inline constexpr int32_t ParameterValueRejected = 20513;
inline constexpr int32_t RenderFailed = 20514;
inline constexpr int32_t TableReadFailed = 20515;
inline constexpr int32_t DataFolderNotFound = 20520;
inline constexpr int32_t SetupFileNotFound = 20521;
inline constexpr int32_t MalformedSetupFile = 20522;
inline constexpr int32_t SetupNotInitialised = 20523;

inline constexpr std::string_view LoadSource = "CoreReport.Load";
inline constexpr std::string_view OpenSubreportSource = "CoreReport.OpenSubreport";
inline constexpr std::string_view ParameterByNameSource = "CoreReport.ParameterByName";
inline constexpr std::string_view AddCurrentRangeSource = "CoreParameter.AddCurrentRange";
inline constexpr std::string_view ApplyValuesSource = "CoreParameter.ApplyValues";
inline constexpr std::string_view RenderSource = "CoreReport.Render";
inline constexpr std::string_view ReadTablesSource = "CoreReport.ReadTables";
inline constexpr std::string_view SetupInitSource = "CoreSetupService.Init";
inline constexpr std::string_view SetupLookupSource = "CoreSetupService.GLAccounts";

}  // namespace hlreports::EngineError
