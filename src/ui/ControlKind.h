// ControlKind: the kinds of control a dialog is built from, what each kind can do (take the
// focus, hold other controls, hold list rows), and the class names under which code adds a
// control at run time ("MSComCtl2.DTPicker", "VB.Label", ...). Pure functions over a small table.
#pragma once

#include <optional>
#include <string_view>

namespace hlreports {

enum class ControlKind {
    Label,
    TextBox,
    CheckBox,
    OptionButton,
    Frame,
    CommandButton,
    DatePicker,
    MonthView,
    GridCombo,  // a drop-down list with columns, a value column and a display column
    ComboBox,   // a text box with a one-column drop-down list
    Grid,       // rows with columns; single or multiple row selection
    PictureBox,
    ScrollBar,
    TabControl
};

// "Label", "DatePicker", ...: for messages.
std::string_view ControlKindName(ControlKind kind);

// Kinds that can hold the focus (labels, frames and picture boxes cannot).
bool CanTakeFocus(ControlKind kind);
// Frames, picture boxes and tab controls hold other controls.
bool IsContainerKind(ControlKind kind);
// Grid combos, combo boxes and grids hold list rows.
bool HasListRows(ControlKind kind);

struct ControlClass {
    ControlKind kind;
    bool vertical = false;  // scroll bars only
};

// The kind behind a class name, ignoring case; no value for a name the model does not know.
std::optional<ControlClass> ControlClassFromName(std::string_view className);

}  // namespace hlreports
