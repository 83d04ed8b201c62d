// What the special pages of frmRepCriteria share for their lists: running a list query, the
// common list fill, and reading a list's first field per row.
#pragma once

#include <initializer_list>
#include <string>

#include "recordset/Recordset.h"
#include "ui/Control.h"

namespace hlreports {

// Opens the query read-only through the shared recordset wrapper; nullptr when it failed to open.
RecordsetPtr OpenListQuery(const std::string& sql);

// Empties each list, then adds to each one row per record from the current one to the end:
// field 0 and each further field as cells. The recordset is neither rewound nor closed.
void CommonListFill(std::initializer_list<Control*> lists, Recordset& rows);

}  // namespace hlreports
