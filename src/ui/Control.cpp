// Control: identity, texts and values with their events, geometry, state and container. List
// rows, tabs and scroll ranges are in ControlParts.cpp. See Control.h for the event rules.
#include "ui/Control.h"

#include <algorithm>
#include <charconv>

#include <fmt/format.h>

#include "runtime/ComError.h"
#include "runtime/Date.h"
#include "ui/Form.h"
#include "ui/UiErrors.h"

namespace hlreports {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

Variant InitialValue(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
        case ControlKind::GridCombo:
        case ControlKind::Grid:
            return Variant(std::string());
        case ControlKind::CheckBox:
            return Variant::Integer(vbUnchecked);
        case ControlKind::OptionButton:
            return Variant(false);
        case ControlKind::DatePicker:
        case ControlKind::MonthView:
            return Variant(Date::Today());
        case ControlKind::ScrollBar:
            return Variant(int32_t{0});
        default:
            return Variant();
    }
}

}  // namespace

ControlReference ControlReference::Of(const Control& control) {
    return ControlReference{control.Name(), control.Index()};
}

std::string ControlReference::ToString() const {
    return index ? fmt::format("{}({})", name, *index) : name;
}

bool IsControlName(std::string_view text) {
    if (text.empty() || !IsAsciiLetter(text.front())) {
        return false;
    }
    for (char c : text) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_') {
            return false;
        }
    }
    return true;
}

bool IsAliasName(std::string_view text) {
    return text.size() > 3 && text.substr(0, 2) == "{?" && text.back() == '}';
}

std::optional<ControlReference> ParseControlReference(std::string_view text) {
    // An alias holds parentheses of its own: only a "(n)" after its closing brace is an index.
    const auto aliasEnd = text.substr(0, 2) == "{?" ? text.rfind('}') : std::string_view::npos;
    if (aliasEnd != std::string_view::npos) {
        const std::string_view alias = text.substr(0, aliasEnd + 1);
        if (!IsAliasName(alias)) {
            return std::nullopt;
        }
        if (aliasEnd + 1 == text.size()) {
            return ControlReference{std::string(alias), std::nullopt};
        }
        auto indexed = ParseControlReference("x" + std::string(text.substr(aliasEnd + 1)));
        if (!indexed || !indexed->index) {
            return std::nullopt;
        }
        return ControlReference{std::string(alias), indexed->index};
    }
    const auto open = text.find('(');
    if (open == std::string_view::npos) {
        if (!IsControlName(text)) {
            return std::nullopt;
        }
        return ControlReference{std::string(text), std::nullopt};
    }
    const std::string_view name = text.substr(0, open);
    if (!IsControlName(name) || text.back() != ')') {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(open + 1, text.size() - open - 2);
    if (digits.empty() || digits.size() > 5) {
        return std::nullopt;
    }
    int index = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size() || index < 0 ||
        index > MaxControlIndex) {
        return std::nullopt;
    }
    return ControlReference{std::string(name), index};
}

Control& Control::SetAlias(std::string alias, int aliasIndex) {
    if (!alias.empty() && (!IsAliasName(alias) || aliasIndex < 0)) {
        RaiseInvalidValue(
            fmt::format("'{}' ({}) is not an alias such as {{?Name}}", alias, aliasIndex));
    }
    alias_ = std::move(alias);
    aliasIndex_ = aliasIndex;
    return *this;
}

Control::Control(Form& owner, ControlKind kind, std::string name, std::optional<int> index)
    : owner_(owner),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      value_(InitialValue(kind)) {
    if (kind == ControlKind::DatePicker || kind == ControlKind::MonthView) {
        text_ = value_.ToDate().ToShortString();
    }
}

std::string Control::DisplayName() const {
    return ControlReference{name_, index_}.ToString();
}

void Control::RaiseInvalidValue(std::string_view detail) const {
    throw ComError(UiError::InvalidPropertyValue, std::string(UiError::ModelSource),
                   fmt::format("Invalid property value: {} (control '{}' of form '{}')", detail,
                               DisplayName(), owner_.Name()));
}

void Control::RequireKind(ControlKind kind, std::string_view property) const {
    if (kind_ != kind) {
        RaiseInvalidValue(fmt::format("{} belongs to a {}, not to a {}", property,
                                      ControlKindName(kind), ControlKindName(kind_)));
    }
}

// --- Texts and values ---------------------------------------------------------------------

Control& Control::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    return *this;
}

Control& Control::SetText(std::string text) {
    switch (kind_) {
        case ControlKind::TextBox:
            value_ = Variant(text);
            ReplaceText(std::move(text));
            break;
        case ControlKind::ComboBox:
        case ControlKind::GridCombo:
            SetTypedText(std::move(text));
            break;
        case ControlKind::DatePicker:
        case ControlKind::MonthView:
            SetDateValue(Variant(std::move(text)));
            break;
        default:
            RaiseInvalidValue(fmt::format("a {} has no text to set", ControlKindName(kind_)));
    }
    return *this;
}

Control& Control::SetValue(const Variant& value) {
    switch (kind_) {
        case ControlKind::TextBox:
            SetText(value.ToString());
            break;
        case ControlKind::ComboBox:
        case ControlKind::GridCombo:
            SetComboValue(value);
            break;
        case ControlKind::CheckBox:
            SetCheckValue(value.ToLong());
            break;
        case ControlKind::OptionButton:
            SetOptionValue(value.ToBoolean());
            break;
        case ControlKind::DatePicker:
        case ControlKind::MonthView:
            SetDateValue(value);
            break;
        case ControlKind::ScrollBar:
            SetScrollValue(value.ToLong());
            break;
        default:
            RaiseInvalidValue(fmt::format("a {} has no value to set", ControlKindName(kind_)));
    }
    return *this;
}

bool Control::IsChecked() const {
    if (kind_ == ControlKind::CheckBox) {
        return value_.ToLong() == vbChecked;
    }
    if (kind_ == ControlKind::OptionButton) {
        return value_.ToBoolean();
    }
    return false;
}

void Control::ReplaceText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    FireChange();
}

void Control::SetTypedText(std::string text) {
    const auto row = list_.FindRow(displayColumn_, text);
    selectedRow_ = row.value_or(-1);
    value_ = row ? Variant(list_.Cell(*row, valueColumn_)) : Variant(text);
    ReplaceText(std::move(text));
}

void Control::SetComboValue(const Variant& value) {
    std::string text = value.ToString();
    if (const auto row = list_.FindRow(valueColumn_, text)) {
        ChooseRow(*row);
        return;
    }
    selectedRow_ = -1;
    value_ = Variant(text);
    ReplaceText(std::move(text));
}

void Control::ChooseRow(int row) {
    selectedRow_ = row;
    if (row < 0) {
        value_ = Variant(std::string());
        ReplaceText(std::string());
        return;
    }
    value_ = Variant(list_.Cell(row, valueColumn_));
    ReplaceText(list_.Cell(row, displayColumn_));
}

void Control::SetCheckValue(int32_t value) {
    if (value < vbUnchecked || value > vbGrayed) {
        RaiseInvalidValue(fmt::format("a check box takes 0, 1 or 2, not {}", value));
    }
    if (value_.ToLong() == value) {
        return;
    }
    value_ = Variant::Integer(static_cast<int16_t>(value));
    FireClick();
}

void Control::SetOptionValue(bool selected) {
    if (!selected) {
        value_ = Variant(false);
        return;
    }
    if (value_.ToBoolean()) {
        return;
    }
    owner_.ClearOtherOptions(*this);
    value_ = Variant(true);
    FireClick();
}

void Control::SetDateValue(const Variant& value) {
    const Date date = value.ToDate();
    if (value_.Kind() == VariantKind::Date && value_.ToDate() == date) {
        return;
    }
    value_ = Variant(date);
    text_ = date.DateOnly().ToShortString();
    FireChange();
}

void Control::SetScrollValue(int32_t value) {
    const int32_t low = std::min(min_, max_);
    const int32_t high = std::max(min_, max_);
    if (value < low || value > high) {
        RaiseInvalidValue(
            fmt::format("a scroll bar from {} to {} cannot take {}", min_, max_, value));
    }
    if (value_.ToLong() == value) {
        return;
    }
    value_ = Variant(value);
    FireChange();
}

// Handlers run from a copy: one may remove this control, and with it the stored callback.
void Control::FireClick() {
    if (auto handler = handlers.click) {
        handler();
    }
}

void Control::FireChange() {
    if (auto handler = handlers.change) {
        handler();
    }
}

// --- Geometry -----------------------------------------------------------------------------

Control& Control::Move(int32_t left, int32_t top) {
    left_ = left;
    top_ = top;
    return *this;
}

Control& Control::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    SetWidth(width);
    SetHeight(height);
    return Move(left, top);
}

Control& Control::SetLeft(int32_t left) {
    left_ = left;
    return *this;
}

Control& Control::SetTop(int32_t top) {
    top_ = top;
    return *this;
}

Control& Control::SetWidth(int32_t width) {
    if (width < 0) {
        RaiseInvalidValue(fmt::format("a width cannot be negative ({})", width));
    }
    width_ = width;
    return *this;
}

Control& Control::SetHeight(int32_t height) {
    if (height < 0) {
        RaiseInvalidValue(fmt::format("a height cannot be negative ({})", height));
    }
    height_ = height;
    return *this;
}

Control& Control::BringToFront() {
    zOrder_ = owner_.NextZOrder();
    return *this;
}

// --- State --------------------------------------------------------------------------------

Control& Control::SetVisible(bool visible) {
    visible_ = visible;
    return *this;
}

bool Control::IsShown() const {
    if (!visible_) {
        return false;
    }
    const Control* child = this;
    for (const Control* holder = container_; holder != nullptr;
         child = holder, holder = holder->container_) {
        if (!holder->visible_) {
            return false;
        }
        if (holder->kind_ == ControlKind::TabControl &&
            child->containerTab_ != holder->selectedTab_) {
            return false;
        }
    }
    return true;
}

Control& Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    return *this;
}

bool Control::IsUsable() const {
    for (const Control* control = this; control != nullptr; control = control->container_) {
        if (!control->enabled_) {
            return false;
        }
    }
    return true;
}

Control& Control::SetTabStop(bool tabStop) {
    tabStop_ = tabStop;
    return *this;
}

Control& Control::SetCausesValidation(bool causesValidation) {
    causesValidation_ = causesValidation;
    return *this;
}

int Control::TabIndex() const {
    return owner_.TabIndexOf(*this);
}

Control& Control::SetTabIndex(int tabIndex) {
    if (tabIndex < 0) {
        RaiseInvalidValue(fmt::format("a tab index cannot be negative ({})", tabIndex));
    }
    owner_.SetTabIndexOf(*this, tabIndex);
    return *this;
}

Control& Control::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    return *this;
}

Control& Control::SetWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    return *this;
}

Control& Control::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    return *this;
}

Control& Control::SetPicture(StockPicture picture) {
    picture_ = picture;
    return *this;
}

// --- Container ----------------------------------------------------------------------------

Control& Control::SetContainer(Control& container, int tab) {
    if (&container.owner_ != &owner_) {
        RaiseInvalidValue(fmt::format("container '{}' belongs to form '{}'",
                                      container.DisplayName(), container.owner_.Name()));
    }
    if (!IsContainerKind(container.kind_)) {
        RaiseInvalidValue(fmt::format("'{}' is a {}, which cannot hold controls",
                                      container.DisplayName(), ControlKindName(container.kind_)));
    }
    for (const Control* holder = &container; holder != nullptr; holder = holder->container_) {
        if (holder == this) {
            RaiseInvalidValue(
                fmt::format("container '{}' lies inside this control", container.DisplayName()));
        }
    }
    if (container.kind_ == ControlKind::TabControl) {
        // Like the designer, a control dropped on a tab control lands on the page shown.
        if (tab < 0) {
            tab = container.selectedTab_;
        }
        if (tab >= static_cast<int>(container.tabCaptions_.size())) {
            RaiseInvalidValue(
                fmt::format("tab control '{}' has no tab {}", container.DisplayName(), tab));
        }
    } else if (tab >= 0) {
        RaiseInvalidValue(fmt::format("'{}' is a {}, which has no tabs", container.DisplayName(),
                                      ControlKindName(container.kind_)));
    }
    container_ = &container;
    containerTab_ = tab;
    return *this;
}

// --- Actions ------------------------------------------------------------------------------

void Control::Click() {
    switch (kind_) {
        case ControlKind::CheckBox:
            SetCheckValue(value_.ToLong() == vbUnchecked ? vbChecked : vbUnchecked);
            return;
        case ControlKind::OptionButton:
            SetOptionValue(true);
            return;
        default:
            FireClick();
    }
}

bool Control::SetFocus() {
    return owner_.SetFocus(*this);
}

}  // namespace hlreports
