// RAII handles for the embedded backend: the database, prepared statements and savepoints, plus
// the one way this backend raises errors (ComError with the database's own message).
//
// Invariants: a handle owns exactly one sqlite3 object and finalises/closes it in its destructor,
// so an early return or a throw leaves no statement or connection behind. A SavepointGuard rolls
// its savepoint back unless Release() succeeded.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

#include "backends/DatabaseError.h"

namespace hlreports {

// RaiseDatabaseError with the connection's last message appended after ": ".
[[noreturn]] void RaiseDatabaseError(sqlite3* db, std::string_view context);

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, DatabaseCloser>;

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Prepares one statement; throws with the database's message on failure.
StatementHandle PrepareStatement(sqlite3* db, std::string_view sql);

// Prepares the statement that starts at `offset` in a text of several and moves `offset` past
// it. A null handle means only blanks or a comment were left. Text SQLite cannot move through (a
// NUL byte after a complete statement) raises instead of being retried forever; `context` names
// the procedure or statement.
StatementHandle PrepareNextStatement(sqlite3* db, std::string_view text, std::size_t& offset,
                                     std::string_view context);

// Runs SQL text without rows or parameters (transaction control, savepoints).
void ExecuteSimple(sqlite3* db, const char* sql);

// "name" with inner double quotes doubled: identifiers taken from metadata never reach SQL raw.
std::string QuoteIdentifier(std::string_view name);

class SavepointGuard {
  public:
    SavepointGuard(sqlite3* db, const char* name);
    ~SavepointGuard();
    SavepointGuard(const SavepointGuard&) = delete;
    SavepointGuard& operator=(const SavepointGuard&) = delete;
    void Release();

  private:
    sqlite3* db_;
    std::string name_;
    bool released_ = false;
};

}  // namespace hlreports
