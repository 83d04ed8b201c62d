// From the component's connection string to what the ODBC driver manager is given.
//
// - An ODBC string (it has DSN= or Driver=) goes to the driver manager as it is, without the
//   Provider key that the wrapper appends (and "Data Provider", its shape form).
// - A classic provider string (Provider=...;Data Source=/Server=...;Initial Catalog=/Database=...;
//   User ID=/Uid=...;Password=/Pwd=...) is translated to the ODBC keys SERVER, DATABASE, UID and
//   PWD for the driver named by the environment variable HLREPORTS_ODBC_DRIVER; keys the
//   translation does not know are passed on unchanged (Port=, Socket=, ...), ADO-only keys are
//   dropped, and "Connect Timeout"/"Connection Timeout" becomes the login timeout.
//
// Nothing here ever quotes a password: errors and the label name keys, and values only of keys
// that cannot hold a secret.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hlreports {

inline constexpr std::string_view kOdbcDriverVariable = "HLREPORTS_ODBC_DRIVER";

struct OdbcTarget {
    std::string connectionText;  // for SQLDriverConnect only: it may hold the password
    std::string label;           // "DSN=x" or "Driver=y;Server=z;Database=w", for messages
    std::optional<int> loginTimeoutSeconds;
    // MariaDB Connector/ODBC 3.1 ignores the login timeout attribute and reads its own
    // CONN_TIMEOUT key instead; true when the string names that driver and does not set the key.
    bool wantsTimeoutKey = false;
};

// Raises a ComError naming the problem: a malformed string, no server, no driver configured.
OdbcTarget TranslateConnectionString(std::string_view connectionString);
// The text to connect with: the target's, plus CONN_TIMEOUT for a driver that needs the login
// timeout that way.
std::string ConnectionTextWithTimeout(const OdbcTarget& target, int loginTimeoutSeconds);

}  // namespace hlreports
