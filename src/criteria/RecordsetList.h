// FillList: the rows of a recordset as the rows of a list control (grid combo, combo box, grid),
// the way the classic bound controls show their source. One column per field named in the
// columns (GridColumn::name is the field), cells as the field's text ("" for Null), rows in the
// recordset's visible order (its filter and sort apply). The control's earlier rows, choice and
// selection are cleared first; the recordset's cursor is left on its first row. A field the
// recordset lacks raises the recordset's own error (3265) before the control changes.
#pragma once

#include <vector>

#include "recordset/Recordset.h"
#include "ui/Control.h"

namespace hlreports {

void FillList(Control& list, Recordset& rows, std::vector<GridColumn> columns);

}  // namespace hlreports
