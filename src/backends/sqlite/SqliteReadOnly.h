// The embedded backend's read-only road: queries and procedure bodies are prepared under an
// authorizer that allows only reading (SELECT, reading columns, functions, recursive CTEs), so a
// statement that would write, change the schema, control a transaction, attach a database or
// run a PRAGMA fails while it is prepared, before anything runs. sqlite3_stmt_readonly is asked
// too, as a second opinion.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

#include "backends/Backend.h"
#include "backends/sqlite/SqliteProcedure.h"
#include "backends/sqlite/SqliteTypes.h"

namespace hlreports {

// Installs the reading-only authorizer on the connection for its lifetime.
class ReadOnlyScope {
  public:
    explicit ReadOnlyScope(sqlite3* db);
    ~ReadOnlyScope();
    ReadOnlyScope(const ReadOnlyScope&) = delete;
    ReadOnlyScope& operator=(const ReadOnlyScope&) = delete;

    // Prepares one statement of `text` (from `*next`, moving it past the statement); refuses
    // with the read-only texts what the authorizer denied or what is not read-only. A null
    // handle means only blanks or comments were left.
    sqlite3_stmt* PrepareNext(const char*& next, const char* end, std::string_view context);

    // What the authorizer denied first ("writes to tblUnit"); empty when nothing was denied.
    const std::string& Denied() const { return denied_; }
    void NoteDenied(std::string what);

  private:
    sqlite3* db_;
    std::string denied_;
};

// One query that reads, with its placeholders bound (ReadOnlyRoad.h).
RecordsetPtr RunReadOnlyQuery(sqlite3* db, std::string_view sql,
                              const std::vector<BoundValue>& values);

// Prepares every statement of the body under the authorizer and refuses the procedure when one
// of them would change anything; nothing has run when it refuses.
void CheckProcedureReadsOnly(sqlite3* db, const Procedure& procedure);

// A Variant as the value bound for an untyped placeholder: NULL for Null/Empty, whole numbers
// and booleans (1/0) as integers, other numbers as reals, dates as ISO text, the rest as text.
SqlValue PlainSqlValue(const Variant& value, std::string_view place);

}  // namespace hlreports
