// GridData: the rows and columns of a list control (grid combo, combo box, grid). A row is a
// vector of cell texts; a row may be shorter than the column list (missing cells read as "").
// Adding a row wider than the columns adds unnamed columns, so no cell is ever dropped.
// Rows are addressed by their 0-based index, which is also their bookmark: the model never
// reorders rows, it only appends or clears them. Lookups scan linearly (lists hold hundreds of
// rows at most).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hlreports {

struct GridColumn {
    std::string name;        // field name, used to find a column ("Lease", "SortOrder")
    std::string caption;     // heading shown above the column
    int32_t widthTwips = 0;  // 0: the driver decides
    bool visible = true;
};

class GridData {
  public:
    const std::vector<GridColumn>& Columns() const { return columns_; }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Replaces the columns; the rows stay.
    void SetColumns(std::vector<GridColumn> columns);
    // Keeps the first count columns, or adds unnamed ones up to count.
    void SetColumnCount(int count);
    const GridColumn& Column(int column) const;  // error 9 outside 0..ColumnCount()-1
    // Index of the column with this name, ignoring case.
    std::optional<int> ColumnIndex(std::string_view name) const;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const std::vector<std::string>& Row(int row) const;  // error 9 outside the rows
    // "" for a cell beyond the row's end; error 9 for a row outside the rows or a negative column.
    const std::string& Cell(int row, int column) const;
    void AddRow(std::vector<std::string> cells);
    // One row from a tab-separated entry: "101\tSmith" gives the cells "101" and "Smith".
    void AddItem(std::string_view tabSeparated);
    void ClearRows() { rows_.clear(); }

    // The first row whose cell in column equals text exactly.
    std::optional<int> FindRow(int column, std::string_view text) const;

  private:
    std::vector<GridColumn> columns_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace hlreports
