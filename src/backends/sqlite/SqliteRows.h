// Turns the rows of a prepared statement into a disconnected Recordset: fields typed from the
// declared column types (or, for expression columns, from the first non-null value; a
// whole-number expression that later holds a real becomes a real column), values
// converted to those types, base table/column and key columns taken from the column metadata
// so that a batch update can write edits back.
//
// Cost: the rows are read once as stored values and then converted, so a result is held twice
// for a moment; report results are small, and this is what lets an expression column be typed
// by its first non-null value wherever that value is.
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
