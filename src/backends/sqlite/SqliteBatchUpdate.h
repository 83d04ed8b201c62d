// Batch update of the embedded backend: writes a recordset's pending changes (edited, new and
// deleted rows) back to its one base table inside a savepoint, so the batch lands whole or not
// at all.
//
// Rows are located by the table's primary key when the recordset carries all of its columns
// (plus, for an edit, the original values of the changed columns, so that a row changed by
// someone else since it was read is noticed); otherwise by every original base-column value.
// A statement that touches no row is an error and rolls the batch back. Every value is bound as
// a parameter; table and column names come from the database's own metadata and are quoted.
#pragma once

#include <sqlite3.h>

#include "recordset/Recordset.h"

namespace hlreports {

void ApplyPendingChanges(sqlite3* db, const Recordset& recordset);

}  // namespace hlreports
