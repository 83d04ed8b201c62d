// Turns the rows of a prepared statement into a disconnected Recordset: fields typed from the
// declared column types (or, for expression columns, from the first non-null value; a
// whole-number expression that later holds a real becomes a real column), values
// converted to those types, base table/column and key columns taken from the column metadata
// so that a batch update can write edits back.
//
// Cost: declared columns go straight from the statement into the recordset's column store
// (RecordsetLoader), so their rows are held once. An expression column's values wait as stored
// values until the last row, since its type may depend on any of them; report queries mostly
// read declared table columns.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

#include "recordset/Recordset.h"

namespace hlreports {

// Steps the statement to its end. `context` prefixes error messages (may be empty).
RecordsetPtr ReadRows(sqlite3* db, sqlite3_stmt* statement, std::string source,
                      std::string_view context);

}  // namespace hlreports
