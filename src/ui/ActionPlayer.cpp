// PlayAction: one answer-file action played on a shown form, as the user's mouse and keyboard
// would do it; the scripted driver plays a whole file through it and the Qt driver turns each
// gesture into an action and plays it here too, so a recorded session replays exactly. An action
// checks everything it can before it changes anything (the control exists, is shown and enabled,
// takes this kind of value, the rows exist), so a rejected action leaves the dialog as it was.
#include "ui/ActionPlayer.h"

#include <algorithm>
#include <charconv>

#include <fmt/format.h>

#include "runtime/ComError.h"
#include "runtime/Date.h"
#include "runtime/Text.h"
#include "ui/Form.h"
#include "ui/UiErrors.h"

namespace hlreports {

namespace {

[[noreturn]] void Raise(int32_t number, std::string description) {
    throw ComError(number, std::string(UiError::ScriptedUiSource), std::move(description));
}

// "#3" gives 3; anything else is a value.
std::optional<int> RowIndexOf(std::string_view text) {
    if (text.size() < 2 || text.front() != '#') {
        return std::nullopt;
    }
    int index = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 1, end, index);
    if (error != std::errc() || stop != end || index < 0) {
        return std::nullopt;
    }
    return index;
}

// One action on one shown form.
class ActionPlayer {
  public:
    ActionPlayer(Form& form, const AnswerAction& action) : form_(form), action_(action) {}

    void Play() {
        switch (action_.verb) {
            case AnswerVerb::Set:
                Set(Target());
                return;
            case AnswerVerb::Click:
                Click(Target());
                return;
            case AnswerVerb::Pick:
                Pick(Target());
                return;
            case AnswerVerb::Key:
            case AnswerVerb::KeyDown:
                Key();
                return;
            case AnswerVerb::Focus:
                Focus(Target());
                return;
            case AnswerVerb::Tab:
                Tab(Target());
                return;
            case AnswerVerb::Close:
                form_.RequestClose();
                return;
        }
    }

  private:
    Control& Target() {
        const ControlReference& reference = *action_.control;
        Control* control = form_.Find(reference.name, reference.index);
        if (control == nullptr) {
            Fail(UiError::ControlMissing, fmt::format("dialog '{}' has no control '{}'",
                                                      form_.Title(), reference.ToString()));
        }
        if (!control->IsShown()) {
            Refuse(*control, "is hidden");
        }
        if (!control->IsUsable()) {
            Refuse(*control, "is disabled");
        }
        return *control;
    }

    // The focus moves first, as under a user's mouse; false when validation kept it away.
    bool Reach(Control& control) {
        return !CanTakeFocus(control.Kind()) || form_.SetFocus(control);
    }

    void Set(Control& control) {
        const Variant& value = action_.arguments.front();
        switch (control.Kind()) {
            case ControlKind::TextBox:
                if (Reach(control)) {
                    control.SetText(value.ToString());
                }
                return;
            case ControlKind::ComboBox:
            case ControlKind::GridCombo:
                SetCombo(control, value.ToString());
                return;
            case ControlKind::DatePicker:
            case ControlKind::MonthView:
                SetDate(control, value);
                return;
            case ControlKind::CheckBox:
                SetCheck(control, value);
                return;
            case ControlKind::OptionButton:
                if (value.Kind() != VariantKind::Boolean || !value.ToBoolean()) {
                    Reject(control, value,
                           "an option button is set with true; choosing another "
                           "one clears it");
                }
                if (Reach(control)) {
                    control.SetValue(Variant(true));
                }
                return;
            case ControlKind::ScrollBar:
                SetScroll(control, value);
                return;
            default:
                Refuse(control, fmt::format("is a {}, which cannot be set",
                                            ControlKindName(control.Kind())));
        }
    }

    void SetCombo(Control& control, const std::string& text) {
        if (const auto row = RowIndexOf(text)) {
            RequireRow(control, *row);
            if (Reach(control)) {
                control.SetSelectedRow(*row);
            }
            return;
        }
        if (!Reach(control)) {
            return;
        }
        if (control.Kind() == ControlKind::GridCombo) {
            control.SetValue(Variant(text));
        } else {
            control.SetText(text);
        }
    }

    void SetDate(Control& control, const Variant& value) {
        const auto date = value.IsString() ? Date::Parse(value.ToString()) : std::nullopt;
        if (!date) {
            Reject(control, value, "it is not a date (write 2024-01-31 or 1/31/2024)");
        }
        if (Reach(control)) {
            control.SetValue(Variant(*date));
        }
    }

    void SetCheck(Control& control, const Variant& value) {
        int16_t state = -1;
        if (value.Kind() == VariantKind::Boolean) {
            state = value.ToBoolean() ? vbChecked : vbUnchecked;
        } else if (value.Kind() == VariantKind::Long &&
                   (value.ToLong() == 0 || value.ToLong() == 1)) {
            state = static_cast<int16_t>(value.ToLong());
        }
        if (state < 0) {
            Reject(control, value, "a check box takes 0, 1, true or false");
        }
        if (Reach(control)) {
            control.SetValue(Variant::Integer(state));
        }
    }

    void SetScroll(Control& control, const Variant& value) {
        const int32_t low = std::min(control.Min(), control.Max());
        const int32_t high = std::max(control.Min(), control.Max());
        if (value.Kind() != VariantKind::Long || value.ToLong() < low || value.ToLong() > high) {
            Reject(control, value,
                   fmt::format("the scroll bar takes a whole number from {} to {}", low, high));
        }
        if (Reach(control)) {
            control.SetValue(value);
        }
    }

    void Click(Control& control) {
        if (Reach(control)) {
            control.Click();
        }
    }

    void Pick(Control& control) {
        if (!HasListRows(control.Kind())) {
            Refuse(control, fmt::format("is a {}, which has no rows to pick",
                                        ControlKindName(control.Kind())));
        }
        const bool takesSeveral = control.Kind() == ControlKind::Grid &&
                                  control.RowSelection() == RowSelectionKind::Multiple;
        if (!takesSeveral && action_.arguments.size() > 1) {
            Refuse(control, fmt::format("takes one row, not {}", action_.arguments.size()));
        }
        std::vector<int> rows;
        for (const Variant& argument : action_.arguments) {
            rows.push_back(RowOf(control, argument.ToString()));
        }
        if (!Reach(control)) {
            return;
        }
        if (takesSeveral) {
            control.ClearSelectedRows();
        }
        for (int row : rows) {
            control.PickRow(row);
        }
    }

    int RowOf(Control& control, const std::string& text) {
        if (const auto row = RowIndexOf(text)) {
            RequireRow(control, *row);
            return *row;
        }
        const auto row = control.List().FindRow(control.ValueColumn(), text);
        if (!row) {
            Fail(UiError::ValueRejected,
                 fmt::format("dialog '{}': control '{}' has no row \"{}\" in its value column {}",
                             form_.Title(), control.DisplayName(), text, control.ValueColumn()));
        }
        return *row;
    }

    void RequireRow(Control& control, int row) {
        if (row >= control.List().RowCount()) {
            Fail(UiError::ValueRejected,
                 fmt::format("dialog '{}': control '{}' has no row #{} ({} rows)", form_.Title(),
                             control.DisplayName(), row, control.List().RowCount()));
        }
    }

    void Key() {
        if (action_.control) {
            Control& control = Target();
            if (!CanTakeFocus(control.Kind())) {
                Refuse(control, fmt::format("is a {}, which cannot take keys",
                                            ControlKindName(control.Kind())));
            }
            if (!form_.SetFocus(control)) {
                return;
            }
        }
        const int code = action_.arguments.front().ToLong();
        if (action_.verb == AnswerVerb::KeyDown) {
            form_.PressKeyDown(code);
        } else {
            form_.PressKey(code);
        }
    }

    void Focus(Control& control) {
        if (!CanTakeFocus(control.Kind())) {
            Refuse(control, fmt::format("is a {}, which cannot take the focus",
                                        ControlKindName(control.Kind())));
        }
        form_.SetFocus(control);
    }

    void Tab(Control& control) {
        if (control.Kind() != ControlKind::TabControl) {
            Refuse(control,
                   fmt::format("is a {}, which has no tabs", ControlKindName(control.Kind())));
        }
        const Variant& wanted = action_.arguments.front();
        const auto& captions = control.TabCaptions();
        int tab = -1;
        if (wanted.IsString()) {
            for (std::size_t i = 0; i < captions.size() && tab < 0; ++i) {
                if (EqualsIgnoreCase(captions[i], wanted.ToString())) {
                    tab = static_cast<int>(i);
                }
            }
        } else if (wanted.ToLong() < static_cast<int32_t>(captions.size())) {
            tab = wanted.ToLong();
        }
        if (tab < 0) {
            Reject(control, wanted,
                   fmt::format("its tabs are {}", captions.empty()
                                                      ? std::string("none")
                                                      : "\"" + Join(captions, "\", \"") + "\""));
        }
        if (Reach(control)) {
            control.SetSelectedTab(tab);
        }
    }

    [[noreturn]] void Refuse(const Control& control, std::string_view why) const {
        Fail(UiError::ActionRefused,
             fmt::format("dialog '{}': control '{}' {} (action {})", form_.Title(),
                         control.DisplayName(), why, action_.written));
    }

    [[noreturn]] void Reject(const Control& control, const Variant& value,
                             std::string_view why) const {
        const std::string shown = value.IsString()   ? "\"" + value.ToString() + "\""
                                  : value.IsArray()  ? std::string("an array")
                                  : value.IsObject() ? std::string("an object")
                                                     : value.DisplayText();
        Fail(UiError::ValueRejected, fmt::format("dialog '{}': control '{}' cannot take {}: {}",
                                                 form_.Title(), control.DisplayName(), shown, why));
    }

    [[noreturn]] static void Fail(int32_t number, std::string description) {
        Raise(number, std::move(description));
    }

    Form& form_;
    const AnswerAction& action_;
};

}  // namespace

void PlayAction(Form& form, const AnswerAction& action) {
    ActionPlayer(form, action).Play();
}

}  // namespace hlreports
