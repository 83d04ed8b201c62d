// Form: tab order, focus and keys. The tab order is a list of every control; a control's
// TabIndex is its position in it, so setting one index shifts the others and the indexes stay
// 0..n-1 without gaps, as in the classic forms. Moving the focus and delivering keys fire the
// user's events in the order a user causes them: Validate, LostFocus, GotFocus; form KeyPress,
// control KeyPress, the key's own effect.
#include <algorithm>

#include <fmt/format.h>

#include "runtime/ComError.h"
#include "runtime/RuntimeErrors.h"
#include "ui/Form.h"

namespace hlreports {

namespace {

bool EditsText(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox ||
           kind == ControlKind::GridCombo;
}

// Backspace removes one character, not one byte of a multi-byte one.
std::string WithoutLastCharacter(std::string text) {
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0u) != 0x80u) {
            break;
        }
    }
    return text;
}

}  // namespace

int Form::TabIndexOf(const Control& control) const {
    const auto position = std::find(tabOrder_.begin(), tabOrder_.end(), &control);
    return static_cast<int>(position - tabOrder_.begin());
}

void Form::SetTabIndexOf(Control& control, int tabIndex) {
    std::erase(tabOrder_, &control);
    const auto position =
        std::min<std::size_t>(static_cast<std::size_t>(tabIndex), tabOrder_.size());
    tabOrder_.insert(tabOrder_.begin() + static_cast<std::ptrdiff_t>(position), &control);
}

bool Form::CanTabTo(const Control& control) const {
    if (!CanTakeFocus(control.Kind()) || !control.HasTabStop() || !control.IsShown() ||
        !control.IsUsable()) {
        return false;
    }
    if (control.Kind() != ControlKind::OptionButton || control.IsChecked()) {
        return true;
    }
    // Tab enters an option group at its selected button; the arrow keys move inside it.
    return std::none_of(controls_.begin(), controls_.end(), [&control](const auto& other) {
        return other->Kind() == ControlKind::OptionButton &&
               other->Container() == control.Container() && other->IsChecked();
    });
}

bool Form::SetFocus(Control& target) {
    if (&target.Owner() != this) {
        RaiseMissing(target.DisplayName());
    }
    if (!CanTakeFocus(target.Kind()) || !target.IsShown() || !target.IsUsable()) {
        const char* reason = !CanTakeFocus(target.Kind()) ? "cannot take the focus"
                             : !target.IsShown()          ? "is hidden"
                                                          : "is disabled";
        throw ComError(ErrorNumber::InvalidProcedureCall, std::string(RuntimeErrorSource),
                       fmt::format("{}: '{}' of form '{}' {}",
                                   RuntimeErrorDescription(ErrorNumber::InvalidProcedureCall),
                                   target.DisplayName(), name_, reason));
    }
    Control* previous = focused_;
    if (previous == &target) {
        return true;
    }
    if (previous != nullptr && target.CausesValidation() && !validating_) {
        if (auto validate = previous->handlers.validate) {
            bool cancel = false;
            validating_ = true;
            try {
                validate(cancel);
            } catch (...) {
                validating_ = false;
                throw;
            }
            validating_ = false;
            if (cancel || !Contains(&target)) {
                return false;
            }
            if (!Contains(previous)) {
                previous = nullptr;
            }
        }
    }
    if (previous != nullptr) {
        if (auto lostFocus = previous->handlers.lostFocus) {
            lostFocus();
            if (focused_ != previous || !Contains(&target)) {
                return focused_ == &target;  // the handler moved the focus itself
            }
        }
    }
    focused_ = &target;
    if (auto gotFocus = target.handlers.gotFocus) {
        gotFocus();
    }
    return true;
}

bool Form::MoveFocus(bool forward) {
    const std::size_t count = tabOrder_.size();
    if (count == 0) {
        return false;
    }
    const auto current = std::find(tabOrder_.begin(), tabOrder_.end(), focused_);
    // With no focus, forward starts at the first control and backward at the last.
    std::size_t start = current == tabOrder_.end()
                            ? (forward ? count - 1 : 0)
                            : static_cast<std::size_t>(current - tabOrder_.begin());
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t position =
            forward ? (start + step) % count : (start + count - step) % count;
        Control* candidate = tabOrder_[position];
        if (candidate == focused_) {
            return false;
        }
        if (CanTabTo(*candidate)) {
            return SetFocus(*candidate);
        }
    }
    return false;
}

void Form::PressKey(int keyAscii) {
    DeliverKey(keyAscii);
    DeliverSentKeys();
}

void Form::PressKeyDown(int keyCode) {
    if (focused_ == nullptr) {
        return;
    }
    if (auto keyDown = focused_->handlers.keyDown) {
        int code = keyCode;
        keyDown(code);
    }
    DeliverSentKeys();
}

void Form::SendKey(int keyAscii) {
    sentKeys_.push_back(keyAscii);
}

void Form::DeliverSentKeys() {
    while (!sentKeys_.empty()) {
        const int key = sentKeys_.front();
        sentKeys_.pop_front();
        DeliverKey(key);
    }
}

void Form::DeliverKey(int keyAscii) {
    if (keyAscii == KeyTab) {
        MoveFocus(true);
        return;
    }
    int key = keyAscii;
    if (keyPreview_) {
        if (auto preview = handlers.keyPress) {
            preview(key);
            if (key == 0) {
                return;
            }
        }
    }
    Control* target = focused_;
    if (target == nullptr) {
        return;
    }
    if (auto keyPress = target->handlers.keyPress) {
        keyPress(key);
        if (key == 0 || !Contains(target)) {
            return;
        }
    }
    ApplyKey(*target, key);
}

void Form::ApplyKey(Control& control, int keyAscii) {
    const ControlKind kind = control.Kind();
    if (kind == ControlKind::CommandButton && (keyAscii == KeyEnter || keyAscii == KeySpace)) {
        control.Click();
        return;
    }
    if ((kind == ControlKind::CheckBox || kind == ControlKind::OptionButton) &&
        keyAscii == KeySpace) {
        control.Click();
        return;
    }
    if (!EditsText(kind)) {
        return;
    }
    if (keyAscii == KeyBackspace) {
        control.SetText(WithoutLastCharacter(control.Text()));
        return;
    }
    if (keyAscii >= KeySpace && keyAscii < 127) {
        control.SetText(control.Text() + static_cast<char>(keyAscii));
    }
}

}  // namespace hlreports
