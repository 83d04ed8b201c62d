// The embedded backend: one SQLite database file opened read-write (never created), with the
// procedure convention of SqliteProcedure.h, text calls of SqliteCallText.h and batch updates of
// SqliteBatchUpdate.h behind the Connection interface.
//
// Invariants: the file exists and is a database once the object exists; the connection is
// closed (rolling back an open transaction) when the object goes.
#pragma once

#include <memory>
#include <string>

#include "backends/Backend.h"

namespace hlreports {

// Opens the file; a missing file or a file that is not a database raises a ComError naming the
// file and the problem.
std::unique_ptr<Connection> OpenSqliteConnection(const std::string& file);

}  // namespace hlreports
