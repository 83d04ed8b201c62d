// Reading connection strings: "Key=Value" pairs separated by ";", keys compared ignoring case and
// in any order. A value may be wrapped in braces ({a;b}, "}}" for a brace) or double quotes
// ("a;b", "" for a quote) to hold a ";". Empty segments are skipped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hlreports {

struct ConnectionStringKey {
    std::string key;    // as written, trimmed
    std::string value;  // trimmed, quotes removed
};

// Raises a ComError naming the problem (a segment without "=", an unclosed brace or quote).
// Messages never quote values, which may hold a password.
std::vector<ConnectionStringKey> ParseConnectionString(std::string_view text);

// The value of the last occurrence of `key` (ignoring case), as ODBC reads repeated keys.
std::optional<std::string> FindConnectionKey(const std::vector<ConnectionStringKey>& keys,
                                             std::string_view key);

}  // namespace hlreports
