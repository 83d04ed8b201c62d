// Control: one control of a dialog model. It holds what a driver needs to draw it and what the
// dialog's code reads back: name (with index for control arrays), kind, caption, text, value,
// list rows and their selection, tabs, geometry in twips, visibility, enabled state, tab order,
// container. Controls live inside their Form (created by Form::Add, never copied), so a Control&
// stays valid until the control is removed.
//
// Setting a property behaves as on the classic controls, events included:
//   - Text of a text box or combo changes: Change. Value of a date picker, month view or scroll
//     bar changes: Change.
//   - Value of a check box changes (0 unchecked, 1 checked, 2 grayed): Click.
//   - An option button becomes selected: the other option buttons in the same container are
//     cleared (without events), then Click. Selecting the selected one fires nothing.
//   - A grid combo has a value (the cell of its value column, 0 by default) and a text (the cell
//     of its display column, 0 by default) of the chosen row. Setting the value chooses the first
//     row holding it in the value column; typing text (SetText) chooses the first row showing
//     it; either way a value or text found in no row stands on its own (value = text), as typed
//     into the box. Change fires when the text changes.
//   - PickRow is the user's choice of a row: the row is chosen as above, then RowPicked fires.
// Only Form changes the focus; see Form.h. Setters return the control, so a form's design reads
// as one statement per control. Errors: 380 "Invalid property value" (with what was wrong) for
// a value the control cannot take.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"
#include "ui/ControlKind.h"
#include "ui/FormEvents.h"
#include "ui/GridData.h"

namespace hlreports {

class Form;

enum class Alignment : int32_t { Left = 0, Right = 1, Center = 2 };
enum class RowSelectionKind : int32_t { Single = 1, Multiple = 3 };

inline constexpr int16_t vbUnchecked = 0;
inline constexpr int16_t vbChecked = 1;
inline constexpr int16_t vbGrayed = 2;

// A control as code and answer files name it: "chk1", or "cboCombo(1)" for an array member.
class Control;

struct ControlReference {
    std::string name;
    std::optional<int> index;
    std::string ToString() const;
    static ControlReference Of(const Control& control);
};

// A letter, then letters, digits and underscores.
bool IsControlName(std::string_view text);
inline constexpr int MaxControlIndex = 32767;
// "name" or "name(index)" with 0 <= index <= MaxControlIndex, or an alias "{?...}" or
// "{?...}(index)"; no value for anything else.
std::optional<ControlReference> ParseControlReference(std::string_view text);
// "{?" + at least one character + "}": a second name that dialogs give controls built at run
// time (a report parameter's full name), so that answer files can reach them without knowing the
// generated control names.
bool IsAliasName(std::string_view text);

enum class StockPicture { None, Calendar };

class Control {
  public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    std::optional<int> Index() const { return index_; }
    std::string DisplayName() const;  // "chk1", "cboCombo(1)"
    ControlKind Kind() const { return kind_; }

    // --- Texts and values -----------------------------------------------------------------
    const std::string& Caption() const { return caption_; }
    Control& SetCaption(std::string caption);
    const std::string& Text() const { return text_; }
    // Text boxes, combo boxes and grid combos; date pickers and month views read it as a date.
    Control& SetText(std::string text);
    const Variant& Value() const { return value_; }
    Control& SetValue(const Variant& value);
    // A check box holding 1, or a selected option button.
    bool IsChecked() const;

    // --- Geometry (twips) -----------------------------------------------------------------
    int32_t Left() const { return left_; }
    int32_t Top() const { return top_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    Control& Move(int32_t left, int32_t top);
    Control& Move(int32_t left, int32_t top, int32_t width, int32_t height);
    Control& SetLeft(int32_t left);
    Control& SetTop(int32_t top);
    Control& SetWidth(int32_t width);  // 380 when negative
    Control& SetHeight(int32_t height);
    // Later calls draw on top; 0 (never raised) keeps creation order.
    int64_t ZOrder() const { return zOrder_; }
    Control& BringToFront();

    // --- State ----------------------------------------------------------------------------
    bool IsVisible() const { return visible_; }  // the control's own flag
    Control& SetVisible(bool visible);
    // Visible itself, inside visible containers, and on the selected page of a tab control.
    bool IsShown() const;
    bool IsEnabled() const { return enabled_; }  // the control's own flag
    Control& SetEnabled(bool enabled);
    // Enabled itself and inside enabled containers.
    bool IsUsable() const;
    bool HasTabStop() const { return tabStop_; }
    Control& SetTabStop(bool tabStop);
    // Whether taking the focus validates the control that loses it (true by default).
    bool CausesValidation() const { return causesValidation_; }
    Control& SetCausesValidation(bool causesValidation);
    // The position in the form's tab order. Setting it inserts the control there and moves the
    // others along, so the indexes stay 0..n-1; a value past the end puts the control last.
    int TabIndex() const;
    Control& SetTabIndex(int tabIndex);
    Alignment TextAlignment() const { return alignment_; }
    Control& SetAlignment(Alignment alignment);
    bool WordWrap() const { return wordWrap_; }
    Control& SetWordWrap(bool wordWrap);
    // A picture button's stock picture, which drivers draw in place of a caption.
    StockPicture Picture() const { return picture_; }
    Control& SetPicture(StockPicture picture);
    bool AutoSize() const { return autoSize_; }
    Control& SetAutoSize(bool autoSize);

    // --- Container ------------------------------------------------------------------------
    // The frame, picture box or tab control holding this control; nullptr for the form.
    Control* Container() const { return container_; }
    // The tab page inside a tab-control container; -1 otherwise.
    int ContainerTab() const { return containerTab_; }
    // 380 when the container is not a container kind, belongs to another form, lies inside this
    // control, or (for a tab control) has no such tab.
    Control& SetContainer(Control& container, int tab = -1);

    // --- Lists (grid combos, combo boxes, grids) ------------------------------------------
    const GridData& List() const { return list_; }
    Control& SetColumns(std::vector<GridColumn> columns);
    Control& SetColumnCount(int count);
    Control& AddItem(std::string_view tabSeparated);
    Control& AddRow(std::vector<std::string> cells);
    // Empties the rows, the choice and the selection; a combo's text and value become "".
    Control& ClearList();
    int ValueColumn() const { return valueColumn_; }
    Control& SetValueColumn(int column);
    int DisplayColumn() const { return displayColumn_; }
    Control& SetDisplayColumn(int column);
    // The chosen row of a combo, the current row of a grid; -1 for none.
    int SelectedRow() const { return selectedRow_; }
    // Chooses a row as the user would, without RowPicked; -1 chooses none (a combo empties).
    Control& SetSelectedRow(int row);
    // The user picks a row: chosen as above (a grid also selects it), then RowPicked.
    void PickRow(int row);
    RowSelectionKind RowSelection() const { return rowSelection_; }
    Control& SetRowSelection(RowSelectionKind kind);
    // The selected rows of a grid (bookmarks = row indexes), in the order they were selected.
    const std::vector<int>& SelectedRows() const { return selectedRows_; }
    bool IsRowSelected(int row) const;
    // Adds a row to the selection (a single-selection grid selects only that row).
    Control& SelectRow(int row);
    Control& DeselectRow(int row);
    Control& ClearSelectedRows();
    bool IsDroppedDown() const { return droppedDown_; }
    Control& SetDroppedDown(bool droppedDown);

    // --- Tab controls ---------------------------------------------------------------------
    const std::vector<std::string>& TabCaptions() const { return tabCaptions_; }
    Control& SetTabCaptions(std::vector<std::string> captions);
    int SelectedTab() const { return selectedTab_; }
    // Fires tabChange when the tab changes; 380 for a tab that does not exist.
    Control& SetSelectedTab(int tab);
    int32_t TabHeight() const { return tabHeight_; }
    Control& SetTabHeight(int32_t tabHeight);

    // --- Scroll bars ----------------------------------------------------------------------
    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    // A value outside the new range moves to its nearest end (firing Change).
    Control& SetRange(int32_t min, int32_t max);
    int32_t SmallChange() const { return smallChange_; }
    int32_t LargeChange() const { return largeChange_; }
    Control& SetSmallChange(int32_t change);
    Control& SetLargeChange(int32_t change);
    bool IsVertical() const { return vertical_; }
    Control& SetVertical(bool vertical);

    // --- Actions --------------------------------------------------------------------------
    // What a click does: a check box toggles (Click), an option button is selected (Click when
    // it was not), every other kind fires Click. No focus change: see Form::SetFocus.
    void Click();
    // Form::SetFocus(*this).
    bool SetFocus();

    // The alias the control answers to besides its name, with the alias's own index (0 for the
    // first control of that alias); empty when none. Form::Find looks aliases up ignoring case.
    const std::string& Alias() const { return alias_; }
    int AliasIndex() const { return aliasIndex_; }
    // 380 for a text that is not an alias name; "" removes the alias.
    Control& SetAlias(std::string alias, int aliasIndex = 0);

    ControlHandlers handlers;

  private:
    friend class Form;
    Control(Form& owner, ControlKind kind, std::string name, std::optional<int> index);

    [[noreturn]] void RaiseInvalidValue(std::string_view detail) const;
    void RequireKind(ControlKind kind, std::string_view property) const;
    void RequireList() const;
    void RequireRow(int row) const;
    void ChooseRow(int row);  // combos: value and text of the row, -1 for none
    void SetTypedText(std::string text);
    void SetComboValue(const Variant& value);
    void ReplaceText(std::string text);  // fires Change when the text changed
    void SetCheckValue(int32_t value);
    void SetOptionValue(bool selected);
    void SetDateValue(const Variant& value);
    void SetScrollValue(int32_t value);
    void FireClick();
    void FireChange();

    Form& owner_;
    ControlKind kind_;
    std::string name_;
    std::optional<int> index_;
    std::string caption_;
    std::string text_;
    Variant value_;
    int32_t left_ = 0;
    int32_t top_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int64_t zOrder_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = true;
    bool causesValidation_ = true;
    Alignment alignment_ = Alignment::Left;
    bool wordWrap_ = false;
    bool autoSize_ = false;
    StockPicture picture_ = StockPicture::None;
    Control* container_ = nullptr;
    int containerTab_ = -1;
    GridData list_;
    int valueColumn_ = 0;
    int displayColumn_ = 0;
    int selectedRow_ = -1;
    RowSelectionKind rowSelection_ = RowSelectionKind::Single;
    std::vector<int> selectedRows_;
    bool droppedDown_ = false;
    std::vector<std::string> tabCaptions_;
    int selectedTab_ = 0;
    int32_t tabHeight_ = 0;
    int32_t min_ = 0;
    int32_t max_ = 32767;
    int32_t smallChange_ = 1;
    int32_t largeChange_ = 1;
    bool vertical_ = false;
    std::string alias_;
    int aliasIndex_ = 0;
};

}  // namespace hlreports
