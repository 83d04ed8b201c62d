// Form: the control collection (creation, lookup, removal), the window's own properties and the
// show/hide/unload cycle. Focus, tab order and keys are in FormFocus.cpp.
#include "ui/Form.h"

#include <algorithm>

#include <fmt/format.h>

#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "ui/Ui.h"
#include "ui/UiErrors.h"

namespace hlreports {

namespace {

[[noreturn]] void RaiseModelError(int32_t number, std::string description) {
    throw ComError(number, std::string(UiError::ModelSource), std::move(description));
}

}  // namespace

Form::Form(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

Form::~Form() = default;

void Form::Move(int32_t left, int32_t top) {
    left_ = left;
    top_ = top;
}

void Form::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    SetWidth(width);
    SetHeight(height);
    Move(left, top);
}

void Form::SetWidth(int32_t width) {
    if (width < 0) {
        RaiseModelError(
            UiError::InvalidPropertyValue,
            fmt::format("Invalid property value: form '{}' cannot be {} wide", name_, width));
    }
    width_ = width;
}

void Form::SetHeight(int32_t height) {
    if (height < 0) {
        RaiseModelError(
            UiError::InvalidPropertyValue,
            fmt::format("Invalid property value: form '{}' cannot be {} high", name_, height));
    }
    height_ = height;
}

// --- Controls -----------------------------------------------------------------------------

Control& Form::Add(ControlKind kind, std::string name, std::optional<int> index) {
    if (!IsControlName(name)) {
        RaiseModelError(
            UiError::InvalidPropertyValue,
            fmt::format("Invalid property value: '{}' is not a control name (form '{}')", name,
                        name_));
    }
    if (index && (*index < 0 || *index > MaxControlIndex)) {
        RaiseModelError(UiError::InvalidPropertyValue,
                        fmt::format("Invalid property value: control array '{}' of form '{}' "
                                    "cannot have index {}",
                                    name, name_, *index));
    }
    for (const auto& existing : controls_) {
        if (!EqualsIgnoreCase(existing->Name(), name)) {
            continue;
        }
        // A name is either one control or one control array, and an index is used once.
        if (!index || !existing->Index() || *existing->Index() == *index) {
            RaiseModelError(
                UiError::DuplicateControlName,
                fmt::format("There is already a control with the name '{}' on form '{}'",
                            ControlReference{name, index}.ToString(), name_));
        }
    }
    controls_.push_back(std::unique_ptr<Control>(new Control(*this, kind, std::move(name), index)));
    tabOrder_.push_back(controls_.back().get());
    return *controls_.back();
}

Control& Form::AddByClass(std::string_view className, std::string name, Control* container) {
    const auto controlClass = ControlClassFromName(className);
    if (!controlClass) {
        RaiseModelError(UiError::InvalidClassString,
                        fmt::format("Invalid class string: '{}' names no control class (adding "
                                    "'{}' to form '{}')",
                                    className, name, name_));
    }
    if (container != nullptr && &container->Owner() != this) {
        RaiseModelError(
            UiError::InvalidPropertyValue,
            fmt::format("Invalid property value: container '{}' of '{}' belongs to "
                        "form '{}', not '{}'",
                        container->DisplayName(), name, container->Owner().Name(), name_));
    }
    Control& control = Add(controlClass->kind, std::move(name));
    control.SetVisible(false);
    if (controlClass->kind == ControlKind::ScrollBar) {
        control.SetVertical(controlClass->vertical);
    }
    if (container != nullptr) {
        try {
            control.SetContainer(*container);
        } catch (...) {
            RemoveOne(control);
            throw;
        }
    }
    return control;
}

void Form::Remove(Control& control) {
    if (!Contains(&control)) {
        RaiseMissing(control.DisplayName());
    }
    // Children first, so that no control is ever left pointing at a removed container.
    for (Control* child : ControlsIn(control)) {
        Remove(*child);
    }
    RemoveOne(control);
}

void Form::Remove(std::string_view reference) {
    Remove(Get(reference));
}

void Form::RemoveOne(Control& control) {
    if (focused_ == &control) {
        focused_ = nullptr;
    }
    std::erase(tabOrder_, &control);
    std::erase_if(controls_, [&control](const auto& owned) { return owned.get() == &control; });
}

Control* Form::Find(std::string_view reference) const {
    const auto parsed = ParseControlReference(reference);
    if (!parsed) {
        return nullptr;
    }
    return Find(parsed->name, parsed->index);
}

Control* Form::Find(std::string_view name, std::optional<int> index) const {
    if (IsAliasName(name)) {
        for (const auto& control : controls_) {
            if (control->AliasIndex() == index.value_or(0) &&
                EqualsIgnoreCase(control->Alias(), name)) {
                return control.get();
            }
        }
        return nullptr;
    }
    for (const auto& control : controls_) {
        if (control->Index() == index && EqualsIgnoreCase(control->Name(), name)) {
            return control.get();
        }
    }
    return nullptr;
}

Control& Form::Get(std::string_view reference) const {
    Control* control = Find(reference);
    if (control == nullptr) {
        RaiseMissing(reference);
    }
    return *control;
}

Control& Form::Get(std::string_view name, int index) const {
    Control* control = Find(name, index);
    if (control == nullptr) {
        RaiseMissing(ControlReference{std::string(name), index}.ToString());
    }
    return *control;
}

void Form::RaiseMissing(std::string_view reference) const {
    std::string hint;
    const auto parsed = ParseControlReference(reference);
    if (parsed && !parsed->index) {
        const bool isArray = std::any_of(controls_.begin(), controls_.end(), [&](const auto& c) {
            return c->Index().has_value() && EqualsIgnoreCase(c->Name(), parsed->name);
        });
        if (isArray) {
            hint = " (it is a control array: give an index)";
        }
    }
    RaiseModelError(UiError::ControlNotFound,
                    fmt::format("Control '{}' not found on form '{}'{}", reference, name_, hint));
}

std::vector<Control*> Form::Controls() const {
    std::vector<Control*> controls;
    controls.reserve(controls_.size());
    for (const auto& control : controls_) {
        controls.push_back(control.get());
    }
    return controls;
}

std::vector<Control*> Form::ControlsIn(const Control& container) const {
    std::vector<Control*> children;
    for (const auto& control : controls_) {
        if (control->Container() == &container) {
            children.push_back(control.get());
        }
    }
    return children;
}

bool Form::Contains(const Control* control) const {
    return std::any_of(controls_.begin(), controls_.end(),
                       [control](const auto& owned) { return owned.get() == control; });
}

void Form::ClearOtherOptions(const Control& selected) {
    for (const auto& control : controls_) {
        if (control.get() != &selected && control->Kind() == ControlKind::OptionButton &&
            control->Container() == selected.Container()) {
            control->value_ = Variant(false);
        }
    }
}

// --- Showing ------------------------------------------------------------------------------

void Form::ShowModal() {
    if (visible_) {
        RaiseModelError(
            UiError::FormAlreadyDisplayed,
            fmt::format("Form already displayed; can't show modally (form '{}')", name_));
    }
    TheUi().ShowModal(*this);
}

void Form::Unload() {
    if (auto handler = handlers.unload) {
        handler();
    }
    visible_ = false;
    loaded_ = false;
    focused_ = nullptr;
    sentKeys_.clear();
}

void Form::RequestClose() {
    bool cancel = false;
    if (auto handler = handlers.queryUnload) {
        handler(cancel);
    }
    if (!cancel) {
        Unload();
    }
}

void Form::Present() {
    visible_ = true;
    loaded_ = true;
    if (auto handler = handlers.activate) {
        handler();
    }
    if (!visible_ || (focused_ != nullptr && focused_->IsShown() && focused_->IsUsable())) {
        return;
    }
    focused_ = nullptr;
    MoveFocus(true);
}

}  // namespace hlreports
