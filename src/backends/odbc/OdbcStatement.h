// Running one statement on an ODBC connection and collecting what it returns: the first result
// set with columns, as a Recordset (the classic recordset's rule), while every later result is
// consumed, because drivers deliver output parameters only once all results are read.
//
// A result set whose column names are exactly the call's output parameters, in order, is the
// driver echoing those outputs (MariaDB does, after the procedure's own sets), not a row set.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "backends/odbc/OdbcHandles.h"
#include "recordset/Recordset.h"

namespace hlreports {

// A statement handle with the command timeout set that knows how the connection's driver hands
// over narrow text.
OdbcHandle NewOdbcStatement(const OdbcHandle& connection, int commandTimeoutSeconds);

// Executes `text` (parameters already bound) and consumes every result. Returns the first row
// set when `wantRows`, else nullptr; `source` becomes its Source. `outputNames` are the names of
// the bound output parameters, as the server declares them. `rowsChanged`, when given, receives
// the number of rows the statement's first result changed. `nullOutputs`, when given, receives
// the outputs that a driver's echo of them shows as NULL: MariaDB's driver leaves a NULL text
// output as an empty text in the bound buffer, and only its echo tells the two apart.
RecordsetPtr RunOdbcStatement(const OdbcHandle& statement, std::string_view text,
                              const std::vector<std::string>& outputNames, bool wantRows,
                              std::string source, SQLLEN* rowsChanged = nullptr,
                              std::set<std::string>* nullOutputs = nullptr);

}  // namespace hlreports
