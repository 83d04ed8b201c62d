// The class-name table and the kind predicates. The class names are those the classic dialogs
// pass to their run-time Add, kept so that dialog code reads like the forms it reproduces.
#include "ui/ControlKind.h"

#include <array>

#include "runtime/Text.h"

namespace hlreports {

namespace {

struct ClassNameRow {
    std::string_view name;
    ControlClass controlClass;
};

constexpr std::array<ClassNameRow, 14> ClassNames{{
    {"VB.Label", {ControlKind::Label}},
    {"VB.TextBox", {ControlKind::TextBox}},
    {"VB.CheckBox", {ControlKind::CheckBox}},
    {"VB.OptionButton", {ControlKind::OptionButton}},
    {"VB.Frame", {ControlKind::Frame}},
    {"VB.CommandButton", {ControlKind::CommandButton}},
    {"VB.ComboBox", {ControlKind::ComboBox}},
    {"VB.PictureBox", {ControlKind::PictureBox}},
    {"VB.VScrollBar", {ControlKind::ScrollBar, true}},
    {"VB.HScrollBar", {ControlKind::ScrollBar, false}},
    {"MSComCtl2.DTPicker", {ControlKind::DatePicker}},
    {"MSComCtl2.MonthView", {ControlKind::MonthView}},
    {"SSDataWidgets_B_OLEDB.SSOleDBCombo", {ControlKind::GridCombo}},
    {"SSDataWidgets_B_OLEDB.SSOleDBGrid", {ControlKind::Grid}},
}};

}  // namespace

std::string_view ControlKindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::TextBox:
            return "TextBox";
        case ControlKind::CheckBox:
            return "CheckBox";
        case ControlKind::OptionButton:
            return "OptionButton";
        case ControlKind::Frame:
            return "Frame";
        case ControlKind::CommandButton:
            return "CommandButton";
        case ControlKind::DatePicker:
            return "DatePicker";
        case ControlKind::MonthView:
            return "MonthView";
        case ControlKind::GridCombo:
            return "GridCombo";
        case ControlKind::ComboBox:
            return "ComboBox";
        case ControlKind::Grid:
            return "Grid";
        case ControlKind::PictureBox:
            return "PictureBox";
        case ControlKind::ScrollBar:
            return "ScrollBar";
        case ControlKind::TabControl:
            return "TabControl";
    }
    return "Control";
}

bool CanTakeFocus(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::Frame &&
           kind != ControlKind::PictureBox;
}

bool IsContainerKind(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::PictureBox ||
           kind == ControlKind::TabControl;
}

bool HasListRows(ControlKind kind) {
    return kind == ControlKind::GridCombo || kind == ControlKind::ComboBox ||
           kind == ControlKind::Grid;
}

std::optional<ControlClass> ControlClassFromName(std::string_view className) {
    for (const auto& row : ClassNames) {
        if (EqualsIgnoreCase(row.name, className)) {
            return row.controlClass;
        }
    }
    return std::nullopt;
}

}  // namespace hlreports
