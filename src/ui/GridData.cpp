// Rows and columns of list controls; see GridData.h.
#include "ui/GridData.h"

#include "runtime/ComError.h"
#include "runtime/RuntimeErrors.h"
#include "runtime/Text.h"

namespace hlreports {

namespace {

const std::string EmptyCell;

}  // namespace

void GridData::SetColumns(std::vector<GridColumn> columns) {
    columns_ = std::move(columns);
}

void GridData::SetColumnCount(int count) {
    if (count < 0) {
        RaiseRuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
    columns_.resize(static_cast<std::size_t>(count));
}

const GridColumn& GridData::Column(int column) const {
    if (column < 0 || column >= ColumnCount()) {
        RaiseRuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
    return columns_[static_cast<std::size_t>(column)];
}

std::optional<int> GridData::ColumnIndex(std::string_view name) const {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (EqualsIgnoreCase(columns_[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

const std::vector<std::string>& GridData::Row(int row) const {
    if (row < 0 || row >= RowCount()) {
        RaiseRuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
    return rows_[static_cast<std::size_t>(row)];
}

const std::string& GridData::Cell(int row, int column) const {
    const auto& cells = Row(row);
    if (column < 0) {
        RaiseRuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
    if (static_cast<std::size_t>(column) >= cells.size()) {
        return EmptyCell;
    }
    return cells[static_cast<std::size_t>(column)];
}

void GridData::AddRow(std::vector<std::string> cells) {
    if (cells.size() > columns_.size()) {
        columns_.resize(cells.size());
    }
    rows_.push_back(std::move(cells));
}

void GridData::AddItem(std::string_view tabSeparated) {
    // Split gives no items for "", but an empty entry is still one (empty) row.
    auto cells = Split(tabSeparated, "\t");
    if (cells.empty()) {
        cells.emplace_back();
    }
    AddRow(std::move(cells));
}

std::optional<int> GridData::FindRow(int column, std::string_view text) const {
    if (column < 0) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const auto& cells = rows_[i];
        const std::string_view cell =
            static_cast<std::size_t>(column) < cells.size()
                ? std::string_view(cells[static_cast<std::size_t>(column)])
                : std::string_view();
        if (cell == text) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

}  // namespace hlreports
