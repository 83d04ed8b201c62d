// Batch update of the ODBC backend: writes a recordset's pending changes (edited, new and deleted
// rows) back to its one base table as bound UPDATE/INSERT/DELETE statements, all or nothing.
//
// Rows are located by the table's primary key (SQLPrimaryKeys) when the recordset carries all of
// its columns, plus the original values of the changed columns (so a row changed by someone else
// since it was read is noticed); otherwise by every original base-column value. A statement that
// touches no row is an error. Outside a transaction the batch runs in one of its own; inside the
// caller's, it runs within a savepoint that is rolled back when the batch fails.
#pragma once

#include "backends/odbc/OdbcHandles.h"
#include "recordset/Recordset.h"

namespace hlreports {

void ApplyOdbcPendingChanges(const OdbcHandle& connection, const Recordset& recordset,
                             int commandTimeoutSeconds, bool inTransaction);

}  // namespace hlreports
