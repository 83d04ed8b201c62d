// The list fill of RecordsetList.h.
#include "criteria/RecordsetList.h"

#include <string>

#include "recordset/RecordsetErrors.h"

namespace hlreports {

void FillList(Control& list, Recordset& rows, std::vector<GridColumn> columns) {
    std::vector<int> fields;
    for (const GridColumn& column : columns) {
        const int field = rows.FieldIndex(column.name);
        if (field < 0) {
            recordset_errors::RaiseUnknownField("Fields");
        }
        fields.push_back(field);
    }
    std::vector<std::vector<std::string>> cells;
    if (rows.RecordCount() != 0) {
        for (rows.MoveFirst(); !rows.EOF(); rows.MoveNext()) {
            std::vector<std::string> row;
            for (const int field : fields) {
                const Variant value = rows.Value(field);
                row.push_back(value.IsNull() ? std::string() : value.ToString());
            }
            cells.push_back(std::move(row));
        }
        rows.MoveFirst();
    }
    list.ClearList();
    list.SetColumns(std::move(columns));
    for (std::vector<std::string>& row : cells) {
        list.AddRow(std::move(row));
    }
}

}  // namespace hlreports
