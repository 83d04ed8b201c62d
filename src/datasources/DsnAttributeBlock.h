// The attribute block of a report DSN and the names the installer knows it by.
//
// The block is the installer's classic form: "key=value" entries, each ended by a NUL, the block
// ended by one more NUL. It is built the same way for adding and for removing a DSN. Cost: one
// string of about 80 bytes.
#pragma once

#include <string>
#include <string_view>

namespace hlreports {

// The ODBC driver that serves the files of a data folder, as registered in odbcinst.ini.
inline constexpr const char* ReportDsnDriver = "Larchfield Data";

// The attribute key that tells the driver which kind of report the DSN serves.
inline constexpr const char* CustomModeKey = "CustomMode";
inline constexpr const char* StandardModeKey = "StandardMode";
inline constexpr const char* DictionaryModeKey = "DictionaryMode";

// DSN=<name>, DBQ=<dataFolder>, MaxColSupport=1500, ShortenNames=0, <modeKey>=1, each NUL-ended,
// then the closing NUL. The texts are taken as they are; the setup library judges them.
std::string BuildDsnAttributeBlock(std::string_view dsnName, std::string_view dataFolder,
                                   std::string_view modeKey);

}  // namespace hlreports
