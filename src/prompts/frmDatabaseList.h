// frmDatabaseList: the modal list picker of a list prompt. It shows a list's rows in a grid and
// keeps the rows the user chose (as row indexes of the grid, which are the rows' bookmarks). It
// knows its columns by position: column 0 is the value handed to the report, column 1 the code
// shown in the prompt's text box and matched against typed text, column 2 the description shown
// in the feedback label.
//
// Choosing: the mouse (rows picked in grdDBList), All, Clear, OK, Cancel, Help; Enter chooses
// (single selection) or toggles the current row (multiple selection); navigation keys move the
// current row (grid keyDown); typed characters search column 0 incrementally. OK stores the
// grid's selection as the chosen rows; Cancel keeps the chosen rows of the last OK.
//
// Matching typed text compares whole texts or their beginnings ignoring case, directly on the
// rows, so apostrophes or wildcard characters in the text are plain characters. An empty text
// chooses nothing. A new row set re-chooses the chosen values (column 0) among its rows and drops
// those it no longer holds, so a reloaded list never answers from the old rows' positions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "recordset/Recordset.h"
#include "ui/Form.h"

namespace hlreports {

inline constexpr std::string_view MultipleSelectedText = "Multiple. Click List to modify.";
// The help topic of the list picker.
inline constexpr int32_t DatabaseListHelpContext = 5500;

class frmDatabaseList : public Form {
  public:
    frmDatabaseList();

    RowSelectionKind SelectionType() const;
    void SetSelectionType(RowSelectionKind kind);
    // The list's rows; an empty closed row set when none was set.
    const RecordsetPtr& RecordSet();
    // Binds the rows to the grid (their text) and re-chooses the chosen values among them.
    void SetRecordSet(RecordsetPtr rows);

    int16_t ValuesCount() const { return static_cast<int16_t>(chosenRows_.size()); }
    // Column 0 of the I-th chosen row; "" beyond the count.
    std::string Value(int index) const;
    std::string Feedback() const;
    std::string Description() const;
    // Twips for the prompt's text box: column 1's longest text (at least the "Multiple" text
    // for a multiple selection) at 120 twips a character.
    int16_t DescriptionWidth() const;
    void ClearSelections();
    // True when the text names a row by column 1 (ignoring case); the empty text and the
    // "Multiple" text count as on the list when there are rows.
    bool ExistsOnList(std::string_view text);
    // Chooses the row the text names (column 1 equal, else beginning with the text); the
    // "Multiple" text changes nothing, any other text replaces the chosen rows.
    void SelectWithText(std::string_view text);
    bool AllUnitsSelected() const { return allUnitsSelected_; }
    void SetAllUnitsSelected(bool value) { allUnitsSelected_ = value; }
    const std::string& SearchText() const { return searchText_; }

  private:
    void Design();
    Control& Grid() const;
    void Activate();
    void All();
    void Clear();
    void Ok();
    void Cancel();
    void GridKeyPress(int& keyAscii);
    void GridKeyDown(int keyCode);
    void Search(char typed);
    void MoveCurrentRow(int row);
    void FitColumns();
    int ColumnOneIndex();
    std::string CellOfChosen(int chosen, int column) const;

    RecordsetPtr rows_;
    std::vector<int> chosenRows_;
    bool allUnitsSelected_ = false;
    std::string searchText_;
};

}  // namespace hlreports
