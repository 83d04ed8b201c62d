// The ODBC backend: a connection to a server database through unixODBC behind the Connection
// interface.
//
// - Plain SQL runs as it is. A procedure call written as text is parsed with the shared call
//   grammar (CallText.h) and run as "{CALL name(?, ...)}" with every value bound to the
//   parameter the server declares, so no value ever becomes part of the statement.
// - The command road binds the wrapper's arguments by position, checking each name against the
//   declaration, with its ADO type, size and direction.
// - The result of a call or query is its first row set; outputs are read after every result has
//   been consumed.
// - Transactions switch autocommit off until Commit or Rollback; the connection closes (rolling
//   back) when the object goes.
#pragma once

#include <memory>
#include <string_view>

#include "backends/Backend.h"

namespace hlreports {

// Connects within the login timeout (the string's Connect Timeout, else `options`); a failure
// raises a ComError naming the data source (never the password) and the driver's message.
std::unique_ptr<Connection> OpenOdbcConnection(std::string_view connectionString,
                                               const ConnectionOptions& options);

}  // namespace hlreports
