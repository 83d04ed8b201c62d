// The setup helpers of the request (basRptFunctions): a setup value read from the database, a
// value taken out of a connection string, the first of the next month and the common error box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Date.h"

namespace hlreports {

// Runs "sp_GetSetupInfo" through the shared clsRecordset. Any failure, a Null value included,
// raises 3002 with source "GetSetupInfo" and the error's description.
std::string GetSetupInfo(std::string_view property, std::string_view setting);

// The value of key in a connection string (first occurrence, ignoring case). A key that is not
// there raises 0x80040000 with source "basRptFunctions.basParseConnectionString".
std::string basParseConnectionString(std::string_view connection, std::string_view key);

// The first day of the month after the date (today when none is given).
Date FirstOfNextMonth(std::optional<Date> date = std::nullopt);

// Shows description & " " & extra (extra alone when description is empty) in an exclamation box
// titled "Hearthline". Source and number are not shown to the user.
void ShowErrorBox(std::string_view description, std::string_view source, std::string_view extra,
                  int32_t number);

}  // namespace hlreports
