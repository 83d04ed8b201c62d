// Recordset::View: the cursor state each Recordset object owns over its shared rows. Defined
// here, above both Recordset.h and RecordsetCursor.h, so that the cursor does not depend on the
// class that uses it.
#pragma once

#include "recordset/Recordset.h"
#include "recordset/RecordsetCursor.h"

namespace hlreports {

struct Recordset::View : RecordsetCursor {};

}  // namespace hlreports
