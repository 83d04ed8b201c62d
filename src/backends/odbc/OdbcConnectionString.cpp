// Connection-string translation for the ODBC backend (see OdbcConnectionString.h).
#include "backends/odbc/OdbcConnectionString.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <vector>

#include "backends/ConnectionString.h"
#include "backends/DatabaseError.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

struct KeyRename {
    std::string_view classic;
    std::string_view odbc;
};

constexpr std::array kRenames = {
    KeyRename{"Data Source", "SERVER"},
    KeyRename{"Server", "SERVER"},
    KeyRename{"Address", "SERVER"},
    KeyRename{"Addr", "SERVER"},
    KeyRename{"Initial Catalog", "DATABASE"},
    KeyRename{"Database", "DATABASE"},
    KeyRename{"User ID", "UID"},
    KeyRename{"Uid", "UID"},
    KeyRename{"User", "UID"},
    KeyRename{"Password", "PWD"},
    KeyRename{"Pwd", "PWD"},
};

// Keys only the classic providers read; passing them on would make some drivers refuse the
// string.
constexpr std::array<std::string_view, 4> kProviderOnlyKeys = {
    "Provider", "Data Provider", "Persist Security Info", "OLE DB Services"};
constexpr std::array<std::string_view, 2> kTimeoutKeys = {"Connect Timeout", "Connection Timeout"};
// Keys whose values may be shown in messages.
constexpr std::array<std::string_view, 5> kShownKeys = {"DSN", "Driver", "SERVER", "DATABASE",
                                                        "UID"};

bool IsOneOf(std::string_view key, const auto& names) {
    for (std::string_view name : names) {
        if (EqualsIgnoreCase(key, name)) {
            return true;
        }
    }
    return false;
}

// ODBC's quoting: a value with a separator, a brace or blanks at either end goes in braces
// with "}" doubled.
std::string OdbcValue(const std::string& value) {
    bool plain = value.find_first_of(";{}=") == std::string::npos && value == Trim(value);
    if (plain) {
        return value;
    }
    return "{" + ReplaceAll(value, "}", "}}") + "}";
}

int ReadTimeout(const std::string& key, const std::string& value) {
    int seconds = 0;
    std::string trimmed = Trim(value);
    auto result = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), seconds);
    if (result.ec != std::errc() || result.ptr != trimmed.data() + trimmed.size() || seconds < 0) {
        RaiseDatabaseError("the connection string's " + key + " is '" + value +
                           "', which is not a number of seconds");
    }
    return seconds;
}

}  // namespace

OdbcTarget TranslateConnectionString(std::string_view connectionString) {
    std::vector<ConnectionStringKey> keys = ParseConnectionString(connectionString);
    bool isOdbc = FindConnectionKey(keys, "DSN") || FindConnectionKey(keys, "Driver") ||
                  FindConnectionKey(keys, "FILEDSN");
    OdbcTarget target;
    std::vector<ConnectionStringKey> odbcKeys;
    for (const ConnectionStringKey& entry : keys) {
        if (IsOneOf(entry.key, kProviderOnlyKeys)) {
            continue;
        }
        if (IsOneOf(entry.key, kTimeoutKeys)) {
            target.loginTimeoutSeconds = ReadTimeout(entry.key, entry.value);
            continue;
        }
        ConnectionStringKey renamed = entry;
        if (!isOdbc) {
            for (const KeyRename& rename : kRenames) {
                if (EqualsIgnoreCase(entry.key, rename.classic)) {
                    renamed.key = std::string(rename.odbc);
                }
            }
        }
        odbcKeys.push_back(std::move(renamed));
    }
    if (!isOdbc) {
        if (!FindConnectionKey(odbcKeys, "SERVER")) {
            if (keys.empty()) {
                RaiseDatabaseError("the connection string is empty");
            }
            RaiseDatabaseError(
                "the connection string names no database: give Server=(embedded);Database=<file> "
                "for the embedded database, DSN= or Driver= for an ODBC data source, or Server= "
                "(Data Source=) for a server database");
        }
        const char* driver = std::getenv(std::string(kOdbcDriverVariable).c_str());
        if (driver == nullptr || Trim(driver).empty()) {
            RaiseDatabaseError(
                "the connection string names a server but no ODBC driver is configured for it: "
                "set the environment variable " +
                std::string(kOdbcDriverVariable) +
                " to the driver's name in odbcinst.ini (for example \"MariaDB Unicode\"), or give "
                "DSN= or Driver= in the connection string");
        }
        odbcKeys.insert(odbcKeys.begin(), ConnectionStringKey{"Driver", Trim(driver)});
    }
    std::vector<std::string> shown;
    for (const ConnectionStringKey& entry : odbcKeys) {
        target.connectionText += entry.key + "=" + OdbcValue(entry.value) + ";";
        if (IsOneOf(entry.key, kShownKeys)) {
            shown.push_back(entry.key + "=" + entry.value);
        }
    }
    target.label = Join(shown, ";");
    const std::optional<std::string> driver = FindConnectionKey(odbcKeys, "Driver");
    const std::string driverName = ToUpperAscii(driver.value_or(""));
    target.wantsTimeoutKey = (driverName.find("MARIADB") != std::string::npos ||
                              driverName.find("MAODBC") != std::string::npos) &&
                             !FindConnectionKey(odbcKeys, "CONN_TIMEOUT");
    return target;
}

std::string ConnectionTextWithTimeout(const OdbcTarget& target, int loginTimeoutSeconds) {
    if (!target.wantsTimeoutKey || loginTimeoutSeconds <= 0) {
        return target.connectionText;
    }
    return target.connectionText + "CONN_TIMEOUT=" + std::to_string(loginTimeoutSeconds) + ";";
}

}  // namespace hlreports
