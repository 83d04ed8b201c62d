// The list picker; see frmDatabaseList.h. The grid holds the rows' texts in the row set's order,
// so a grid row index is the row's bookmark.
#include "prompts/frmDatabaseList.h"

#include <algorithm>

#include "prompts/ListColumnName.h"
#include "prompts/ListSql.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "ui/Ui.h"
#include "util/HelpUtils.h"

namespace hlreports {
namespace {

constexpr int32_t TwipsPerCharacter = 120;
constexpr int PageRows = 10;

std::string CellText(const Variant& value) {
    return value.IsNull() || value.IsEmpty() ? std::string() : value.ToString();
}

bool IsSearchCharacter(int keyAscii) {
    return (keyAscii >= 33 && keyAscii <= 95) || (keyAscii >= 97 && keyAscii <= 122);
}

bool IsMultipleText(std::string_view text) {
    return EqualsIgnoreCase(text, MultipleSelectedText);
}

}  // namespace

frmDatabaseList::frmDatabaseList() : Form("frmDatabaseList") {
    Design();
}

void frmDatabaseList::Design() {
    Move(0, 0, 6300, 4560);
    SetHelpContextId(DatabaseListHelpContext);
    Add(ControlKind::Grid, "grdDBList").Move(120, 120, 5955, 3615);
    Add(ControlKind::CommandButton, "btnAll").Move(120, 3900, 1095, 375).SetCaption("&All");
    Add(ControlKind::CommandButton, "btnClear").Move(1335, 3900, 1095, 375).SetCaption("&Clear");
    Add(ControlKind::CommandButton, "btnOK").Move(3765, 3900, 1095, 375).SetCaption("OK");
    Add(ControlKind::CommandButton, "btnCancel").Move(4980, 3900, 1095, 375).SetCaption("Cancel");
    Add(ControlKind::CommandButton, "btnHelp").Move(2550, 3900, 1095, 375).SetCaption("&Help");
    Get("btnAll").handlers.click = [this] { All(); };
    Get("btnClear").handlers.click = [this] { Clear(); };
    Get("btnOK").handlers.click = [this] { Ok(); };
    Get("btnCancel").handlers.click = [this] { Cancel(); };
    Get("btnHelp").handlers.click = [this] { basShowHelp(HelpContextId()); };
    Grid().handlers.keyPress = [this](int& keyAscii) { GridKeyPress(keyAscii); };
    Grid().handlers.keyDown = [this](int& keyCode) { GridKeyDown(keyCode); };
    handlers.activate = [this] { Activate(); };
    handlers.queryUnload = [this](bool& cancel) {
        cancel = true;
        Cancel();
    };
}

Control& frmDatabaseList::Grid() const {
    return Get("grdDBList");
}

RowSelectionKind frmDatabaseList::SelectionType() const {
    return Grid().RowSelection();
}

void frmDatabaseList::SetSelectionType(RowSelectionKind kind) {
    Grid().SetRowSelection(kind);
}

const RecordsetPtr& frmDatabaseList::RecordSet() {
    if (!rows_) {
        rows_ = std::make_shared<Recordset>();
    }
    return rows_;
}

void frmDatabaseList::SetRecordSet(RecordsetPtr rows) {
    std::vector<std::string> chosenValues;
    for (int i = 0; i < ValuesCount(); ++i) {
        chosenValues.push_back(Value(i));
    }
    rows_ = std::move(rows);
    Control& grid = Grid();
    grid.ClearList();
    chosenRows_.clear();
    if (!rows_ || !rows_->IsOpen()) {
        return;
    }
    std::vector<GridColumn> columns;
    for (int i = 0; i < rows_->FieldCount(); ++i) {
        columns.push_back({rows_->Field(i).name, rows_->Field(i).name, 0, true});
    }
    grid.SetColumns(std::move(columns));
    const RecordsetPtr reader = rows_->Clone();
    for (; !reader->EOF(); reader->MoveNext()) {  // a clone starts at the first row
        std::vector<std::string> cells;
        for (int i = 0; i < reader->FieldCount(); ++i) {
            cells.push_back(CellText(reader->Value(i)));
        }
        grid.AddRow(std::move(cells));
    }
    for (const std::string& value : chosenValues) {
        if (const auto row = grid.List().FindRow(0, value)) {
            chosenRows_.push_back(*row);
        }
    }
    if (grid.List().RowCount() > 0) {
        grid.SetSelectedRow(0);
    }
    grid.ClearSelectedRows();
}

std::string frmDatabaseList::CellOfChosen(int chosen, int column) const {
    return Grid().List().Cell(chosenRows_[static_cast<std::size_t>(chosen)], column);
}

std::string frmDatabaseList::Value(int index) const {
    if (index < 0 || index >= ValuesCount()) {
        return "";
    }
    return CellOfChosen(index, 0);
}

std::string frmDatabaseList::Description() const {
    if (SelectionType() == RowSelectionKind::Multiple && ValuesCount() > 1) {
        return std::string(MultipleSelectedText);
    }
    if (ValuesCount() == 1) {
        return CellOfChosen(0, 1);
    }
    return "";
}

std::string frmDatabaseList::Feedback() const {
    const GridData& list = Grid().List();
    const int columnCount = list.ColumnCount();
    if (SelectionType() == RowSelectionKind::Multiple && ValuesCount() > 1 && columnCount > 0) {
        const int column = columnCount > 2 ? 2 : columnCount - 1;
        return list.Column(column).caption + " " + std::string(MultipleSelectedText);
    }
    if (ValuesCount() == 1 && columnCount > 2) {
        return list.Column(2).caption + " " + CellOfChosen(0, 2);
    }
    return "";
}

int16_t frmDatabaseList::DescriptionWidth() const {
    std::size_t characters =
        SelectionType() == RowSelectionKind::Multiple ? MultipleSelectedText.size() : 0;
    const GridData& list = Grid().List();
    for (int row = 0; row < list.RowCount(); ++row) {
        characters = std::max(characters, list.Cell(row, 1).size());
    }
    const auto twips = static_cast<int64_t>(characters) * TwipsPerCharacter;
    return static_cast<int16_t>(std::min<int64_t>(twips, INT16_MAX));
}

void frmDatabaseList::ClearSelections() {
    chosenRows_.clear();
    Grid().ClearSelectedRows();
}

bool frmDatabaseList::ExistsOnList(std::string_view text) {
    const GridData& list = Grid().List();
    if (list.RowCount() == 0) {
        return false;
    }
    if (text.empty() || IsMultipleText(text)) {
        return true;
    }
    for (int row = 0; row < list.RowCount(); ++row) {
        if (EqualsIgnoreCase(list.Cell(row, 1), text)) {
            return true;
        }
    }
    return false;
}

int frmDatabaseList::ColumnOneIndex() {
    const std::string& command = rows_->Source();
    if (StartsWithIgnoreCase(command, "EXECUTE")) {
        return 1;
    }
    const std::string name = GetColumnName(command, 1);
    int index = rows_->FieldIndex(name);
    const auto dot = name.rfind('.');
    if (index < 0 && dot != std::string::npos) {
        index = rows_->FieldIndex(name.substr(dot + 1));
    }
    return index;
}

void frmDatabaseList::SelectWithText(std::string_view text) {
    const GridData& list = Grid().List();
    if (!rows_ || !rows_->IsOpen() || list.RowCount() == 0 || IsMultipleText(text)) {
        return;
    }
    ClearSelections();
    int column = -1;
    try {
        column = ColumnOneIndex();
    } catch (const ComError&) {
        TheUi().MsgBox("Unable to to determine column name from the following SQL statement:\n" +
                           rows_->Source() + "\nReferencing column #2",
                       vbCritical, "Error Parsing SQL");
        return;
    }
    if (text.empty()) {
        return;
    }
    if (column < 0) {
        throw ComError(ListErrorSelectFailed, "SelectWithText",
                       "Error finding " + std::string(text));
    }
    std::optional<int> found;
    for (int row = 0; row < list.RowCount() && !found; ++row) {
        if (EqualsIgnoreCase(list.Cell(row, column), text)) {
            found = row;
        }
    }
    for (int row = 0; row < list.RowCount() && !found; ++row) {
        if (StartsWithIgnoreCase(list.Cell(row, column), text)) {
            found = row;
        }
    }
    if (found) {
        Grid().SelectRow(*found);
        chosenRows_.assign(1, *found);
    }
}

void frmDatabaseList::Activate() {
    allUnitsSelected_ = false;
    Control& grid = Grid();
    if (SelectionType() == RowSelectionKind::Single) {
        Control& all = Get("btnAll");
        all.SetVisible(false);
        Get("btnHelp").Move(all.Left(), all.Top());
    }
    FitColumns();
    grid.ClearSelectedRows();
    if (SelectionType() == RowSelectionKind::Single && !chosenRows_.empty()) {
        grid.SetSelectedRow(chosenRows_.front());
    }
    for (int row : chosenRows_) {
        grid.SelectRow(row);
    }
    if (grid.IsShown()) {
        SetFocus(grid);
    }
}

// Columns narrower than the grid share out the spare width; hidden columns take none.
void frmDatabaseList::FitColumns() {
    Control& grid = Grid();
    std::vector<GridColumn> columns = grid.List().Columns();
    int32_t used = 0;
    int visible = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i].visible) {
            continue;
        }
        std::size_t characters = columns[i].caption.size();
        for (int row = 0; row < grid.List().RowCount(); ++row) {
            characters = std::max(characters, grid.List().Cell(row, static_cast<int>(i)).size());
        }
        columns[i].widthTwips = static_cast<int32_t>(characters) * TwipsPerCharacter;
        used += columns[i].widthTwips;
        ++visible;
    }
    const int32_t spare = grid.Width() - used;
    if (visible > 0 && spare > 0) {
        for (GridColumn& column : columns) {
            if (column.visible) {
                column.widthTwips += spare / visible;
            }
        }
    }
    grid.SetColumns(std::move(columns));
}

void frmDatabaseList::All() {
    allUnitsSelected_ = true;
    Control& grid = Grid();
    for (int row = 0; row < grid.List().RowCount(); ++row) {
        grid.SelectRow(row);
    }
    if (grid.List().RowCount() > 0) {
        grid.SetSelectedRow(0);
    }
}

void frmDatabaseList::Clear() {
    Grid().ClearSelectedRows();
}

void frmDatabaseList::Ok() {
    Control& grid = Grid();
    if (static_cast<int>(grid.SelectedRows().size()) == grid.List().RowCount()) {
        allUnitsSelected_ = true;
    }
    chosenRows_ = grid.SelectedRows();
    Hide();
    searchText_.clear();
}

void frmDatabaseList::Cancel() {
    Grid().ClearSelectedRows();
    Hide();
    searchText_.clear();
}

void frmDatabaseList::MoveCurrentRow(int row) {
    Control& grid = Grid();
    const int count = grid.List().RowCount();
    if (count == 0) {
        return;
    }
    grid.SetSelectedRow(std::clamp(row, 0, count - 1));
}

void frmDatabaseList::GridKeyPress(int& keyAscii) {
    Control& grid = Grid();
    if (keyAscii == KeyEnter) {
        keyAscii = 0;
        const int current = grid.SelectedRow();
        if (SelectionType() == RowSelectionKind::Single) {
            if (grid.SelectedRows().empty() && current >= 0) {
                grid.SelectRow(current);
            }
            Ok();
            return;
        }
        searchText_.clear();
        if (current < 0) {
            return;
        }
        if (grid.IsRowSelected(current)) {
            grid.DeselectRow(current);
        } else {
            grid.SelectRow(current);
        }
        MoveCurrentRow(current + 1);
        return;
    }
    if (keyAscii == KeyBackspace) {
        keyAscii = 0;
        if (!searchText_.empty()) {
            searchText_.pop_back();
        }
        return;
    }
    if (IsSearchCharacter(keyAscii)) {
        Search(static_cast<char>(keyAscii));
        keyAscii = 0;
    }
}

void frmDatabaseList::GridKeyDown(int keyCode) {
    Control& grid = Grid();
    const int current = std::max(grid.SelectedRow(), 0);
    const int last = grid.List().RowCount() - 1;
    switch (keyCode) {
        case KeyCodeHome:
            MoveCurrentRow(0);
            break;
        case KeyCodeEnd:
            MoveCurrentRow(last);
            break;
        case KeyCodePageUp:
            MoveCurrentRow(current - PageRows);
            break;
        case KeyCodePageDown:
            MoveCurrentRow(current + PageRows);
            break;
        case KeyCodeUp:
            MoveCurrentRow(current - 1);
            break;
        case KeyCodeDown:
            MoveCurrentRow(current + 1);
            break;
        default:
            return;
    }
    searchText_.clear();
}

// Searches column 0 from the current row for a text that begins with what was typed so far,
// then once from the top; without a match the current row stays.
void frmDatabaseList::Search(char typed) {
    Control& grid = Grid();
    const GridData& list = grid.List();
    searchText_ += typed;
    const int start = std::max(grid.SelectedRow(), 0);
    const auto matches = [&](int row) {
        return StartsWithIgnoreCase(list.Cell(row, 0), searchText_);
    };
    for (int row = start; row < list.RowCount(); ++row) {
        if (matches(row)) {
            MoveCurrentRow(row);
            return;
        }
    }
    for (int row = 0; row < start; ++row) {
        if (matches(row)) {
            MoveCurrentRow(row);
            return;
        }
    }
}

}  // namespace hlreports
