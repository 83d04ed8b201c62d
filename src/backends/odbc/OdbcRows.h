// Reads the current result set of a statement into a disconnected Recordset: fields typed from
// the column descriptions (OdbcTypes.h), base table and column from the driver's descriptors so
// that a batch update can write edits back, then every row.
//
// Cost: when every column has a bounded size, rows come a block at a time into bound buffers
// and go from there straight into the recordset's column store; a long text or binary column
// makes the whole result read cell by cell with SQLGetData (a driver need not allow SQLGetData
// beside bound columns). Either way the rows are held once, in the recordset.
#pragma once

#include <string>

#include "backends/odbc/OdbcHandles.h"
#include "recordset/Recordset.h"

namespace hlreports {

// Fetches to the end of the current result set (not past it). `source` becomes the recordset's
// Source (the text that runs the statement again).
RecordsetPtr ReadOdbcRows(const OdbcHandle& statement, std::string source);
// The column names of the current result set.
std::vector<std::string> OdbcColumnNames(const OdbcHandle& statement);

}  // namespace hlreports
