// Control: the parts only some kinds have. List rows with their choice and selection (grid
// combos, combo boxes, grids), tab pages (tab controls), range and steps (scroll bars). Asking a
// kind for a part it does not have is error 380, so a dialog's mistakes show at once.
#include <algorithm>

#include <fmt/format.h>

#include "ui/Control.h"

namespace hlreports {

// --- Lists --------------------------------------------------------------------------------

void Control::RequireList() const {
    if (!HasListRows(kind_)) {
        RaiseInvalidValue(fmt::format("a {} has no list rows", ControlKindName(kind_)));
    }
}

void Control::RequireRow(int row) const {
    if (row < 0 || row >= list_.RowCount()) {
        RaiseInvalidValue(fmt::format("row {} does not exist ({} rows)", row, list_.RowCount()));
    }
}

Control& Control::SetColumns(std::vector<GridColumn> columns) {
    RequireList();
    list_.SetColumns(std::move(columns));
    return *this;
}

Control& Control::SetColumnCount(int count) {
    RequireList();
    if (count < 0) {
        RaiseInvalidValue(fmt::format("a column count cannot be negative ({})", count));
    }
    list_.SetColumnCount(count);
    return *this;
}

Control& Control::AddItem(std::string_view tabSeparated) {
    RequireList();
    list_.AddItem(tabSeparated);
    return *this;
}

Control& Control::AddRow(std::vector<std::string> cells) {
    RequireList();
    list_.AddRow(std::move(cells));
    return *this;
}

Control& Control::ClearList() {
    RequireList();
    list_.ClearRows();
    selectedRows_.clear();
    droppedDown_ = false;
    if (kind_ == ControlKind::Grid) {
        selectedRow_ = -1;
        value_ = Variant(std::string());
        return *this;
    }
    ChooseRow(-1);
    return *this;
}

Control& Control::SetValueColumn(int column) {
    RequireList();
    if (column < 0) {
        RaiseInvalidValue(fmt::format("a value column cannot be negative ({})", column));
    }
    valueColumn_ = column;
    if (selectedRow_ >= 0) {
        value_ = Variant(list_.Cell(selectedRow_, valueColumn_));
    }
    return *this;
}

Control& Control::SetDisplayColumn(int column) {
    RequireList();
    if (column < 0) {
        RaiseInvalidValue(fmt::format("a display column cannot be negative ({})", column));
    }
    displayColumn_ = column;
    if (selectedRow_ >= 0 && kind_ != ControlKind::Grid) {
        ReplaceText(list_.Cell(selectedRow_, displayColumn_));
    }
    return *this;
}

Control& Control::SetSelectedRow(int row) {
    RequireList();
    if (row != -1) {
        RequireRow(row);
    }
    if (kind_ != ControlKind::Grid) {
        ChooseRow(row);
        return *this;
    }
    selectedRow_ = row;
    value_ = Variant(row < 0 ? std::string() : list_.Cell(row, valueColumn_));
    if (row >= 0 && rowSelection_ == RowSelectionKind::Single) {
        selectedRows_.assign(1, row);
    }
    return *this;
}

void Control::PickRow(int row) {
    RequireList();
    RequireRow(row);
    if (kind_ == ControlKind::Grid) {
        SetSelectedRow(row);
        SelectRow(row);
    } else {
        droppedDown_ = false;
        ChooseRow(row);
    }
    if (auto handler = handlers.rowPicked) {
        handler();
    }
}

Control& Control::SetRowSelection(RowSelectionKind kind) {
    RequireKind(ControlKind::Grid, "row selection");
    rowSelection_ = kind;
    if (kind == RowSelectionKind::Single && selectedRows_.size() > 1) {
        selectedRows_.resize(1);
    }
    return *this;
}

bool Control::IsRowSelected(int row) const {
    return std::find(selectedRows_.begin(), selectedRows_.end(), row) != selectedRows_.end();
}

Control& Control::SelectRow(int row) {
    RequireKind(ControlKind::Grid, "row selection");
    RequireRow(row);
    if (rowSelection_ == RowSelectionKind::Single) {
        selectedRows_.assign(1, row);
    } else if (!IsRowSelected(row)) {
        selectedRows_.push_back(row);
    }
    return *this;
}

Control& Control::DeselectRow(int row) {
    RequireKind(ControlKind::Grid, "row selection");
    std::erase(selectedRows_, row);
    return *this;
}

Control& Control::ClearSelectedRows() {
    RequireKind(ControlKind::Grid, "row selection");
    selectedRows_.clear();
    return *this;
}

Control& Control::SetDroppedDown(bool droppedDown) {
    if (kind_ != ControlKind::GridCombo && kind_ != ControlKind::ComboBox) {
        RaiseInvalidValue(fmt::format("a {} has no list to drop down", ControlKindName(kind_)));
    }
    droppedDown_ = droppedDown;
    return *this;
}

// --- Tabs ---------------------------------------------------------------------------------

Control& Control::SetTabCaptions(std::vector<std::string> captions) {
    RequireKind(ControlKind::TabControl, "tabs");
    tabCaptions_ = std::move(captions);
    if (selectedTab_ >= static_cast<int>(tabCaptions_.size())) {
        selectedTab_ = 0;
    }
    return *this;
}

Control& Control::SetSelectedTab(int tab) {
    RequireKind(ControlKind::TabControl, "the selected tab");
    if (tab < 0 || tab >= static_cast<int>(tabCaptions_.size())) {
        RaiseInvalidValue(fmt::format("tab {} does not exist ({} tabs)", tab, tabCaptions_.size()));
    }
    if (tab == selectedTab_) {
        return *this;
    }
    const int previous = selectedTab_;
    selectedTab_ = tab;
    if (auto handler = handlers.tabChange) {
        handler(previous);
    }
    return *this;
}

Control& Control::SetTabHeight(int32_t tabHeight) {
    RequireKind(ControlKind::TabControl, "the tab height");
    if (tabHeight < 0) {
        RaiseInvalidValue(fmt::format("a tab height cannot be negative ({})", tabHeight));
    }
    tabHeight_ = tabHeight;
    return *this;
}

// --- Scroll bars --------------------------------------------------------------------------

Control& Control::SetRange(int32_t min, int32_t max) {
    RequireKind(ControlKind::ScrollBar, "a range");
    min_ = min;
    max_ = max;
    const int32_t value = value_.ToLong();
    SetScrollValue(std::clamp(value, std::min(min, max), std::max(min, max)));
    return *this;
}

Control& Control::SetSmallChange(int32_t change) {
    RequireKind(ControlKind::ScrollBar, "a small change");
    if (change < 0) {
        RaiseInvalidValue(fmt::format("a small change cannot be negative ({})", change));
    }
    smallChange_ = change;
    return *this;
}

Control& Control::SetLargeChange(int32_t change) {
    RequireKind(ControlKind::ScrollBar, "a large change");
    if (change < 0) {
        RaiseInvalidValue(fmt::format("a large change cannot be negative ({})", change));
    }
    largeChange_ = change;
    return *this;
}

Control& Control::SetVertical(bool vertical) {
    RequireKind(ControlKind::ScrollBar, "an orientation");
    vertical_ = vertical;
    return *this;
}

}  // namespace hlreports
