// Connections: how clsRecordset gets a database connection. The connection string picks the
// backend: "Server=(embedded);Database=<file>" opens the embedded SQLite file; every other string
// goes to ODBC. The "Provider=" key that the wrapper appends is ignored by both.
//
// Every connection handed out is counted, so that the wrapper's "no connection stays open outside
// a transaction" rule can be observed by tests.
#pragma once

#include <memory>
#include <string_view>

#include "backends/Backend.h"

namespace hlreports {

// Opens a connection for the connection string; throws ComError naming the problem (a missing
// database file is an error and is never created).
std::unique_ptr<Connection> OpenConnection(std::string_view connectionString,
                                           const ConnectionOptions& options = {});

// Lets tests observe and fail connections: every connection opened through OpenConnection is
// counted, and a hook may replace the opener (for a backend that fails its Nth call).
struct ConnectionStats {
    int opened = 0;
    int open = 0;  // opened and not yet destroyed
};
const ConnectionStats& GetConnectionStats();
// An opener receives the options the wrapper asks for (its command and connection timeouts).
using ConnectionOpener = std::unique_ptr<Connection> (*)(std::string_view connectionString,
                                                         const ConnectionOptions& options);
void SetConnectionOpenerForTests(ConnectionOpener opener);  // nullptr restores the default
// The default opener (picks the backend by connection string), for test openers that wrap it.
std::unique_ptr<Connection> OpenBackendConnection(std::string_view connectionString,
                                                  const ConnectionOptions& options = {});

}  // namespace hlreports
