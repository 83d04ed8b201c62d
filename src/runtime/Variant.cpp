// Variant: storage, value-semantic copies and the classic conversions. Every conversion first
// settles Null (94), Missing and arrays/objects (13), then works on numbers; text goes through
// ParseNumericText or Date::Parse. Errors carry the source "HLReports".
#include "runtime/Variant.h"

#include <cmath>
#include <limits>
#include <utility>

#include <fmt/format.h>

#include "runtime/ComError.h"
#include "runtime/DateParts.h"
#include "runtime/RuntimeErrors.h"
#include "runtime/Text.h"

namespace hlreports {

namespace {

constexpr int64_t CurrencyScale = 10000;

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

std::string CurrencyText(int64_t scaled) {
    // Unsigned magnitude: the lowest currency value has no positive counterpart in int64.
    const bool negative = scaled < 0;
    const uint64_t magnitude =
        negative ? uint64_t{0} - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string text = fmt::format("{}{}", negative ? "-" : "", magnitude / CurrencyScale);
    uint64_t fraction = magnitude % CurrencyScale;
    if (fraction == 0) {
        return text;
    }
    std::string digits = fmt::format("{:04}", fraction);
    digits.erase(digits.find_last_not_of('0') + 1);
    return text + "." + digits;
}

// Rounds scaled currency to whole units, half to even.
int64_t CurrencyToWhole(int64_t scaled) {
    int64_t whole = scaled / CurrencyScale;
    const int64_t remainder = scaled % CurrencyScale;
    const int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > CurrencyScale || (twice == CurrencyScale && whole % 2 != 0)) {
        whole += remainder < 0 ? -1 : 1;
    }
    return whole;
}

double RequireNumber(std::string_view text) {
    const std::optional<double> value = ParseNumericText(text);
    if (!value) {
        RaiseRuntimeError(ErrorNumber::TypeMismatch);
    }
    return *value;
}

// Whole number of the classic CInt/CLng in [low, high], or error 6.
int64_t RoundToRange(double value, int64_t low, int64_t high) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high))) {
        RaiseRuntimeError(ErrorNumber::Overflow);
    }
    return static_cast<int64_t>(rounded);
}

bool IsTrueWord(std::string_view text) {
    return EqualsIgnoreCase(text, "True");
}

bool IsFalseWord(std::string_view text) {
    return EqualsIgnoreCase(text, "False");
}

}  // namespace

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double difference = value - floor;
    if (difference < 0.5) {
        return floor;
    }
    if (difference > 0.5) {
        return floor + 1.0;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

Variant::Variant(const Variant& other) : value_(other.value_) {
    if (auto* array = std::get_if<std::shared_ptr<VariantArray>>(&value_)) {
        *array = std::make_shared<VariantArray>(**array);
    }
}

Variant::Variant(Variant&& other) noexcept : value_(std::exchange(other.value_, Storage{})) {}

Variant& Variant::operator=(const Variant& other) {
    if (this != &other) {
        Variant copy(other);
        value_ = std::move(copy.value_);
    }
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        value_ = std::exchange(other.value_, Storage{});
    }
    return *this;
}

Variant Variant::Null() {
    return Variant(Storage(NullTag{}));
}

Variant Variant::Missing() {
    return Variant(Storage(MissingTag{}));
}

Variant Variant::Integer(int16_t value) {
    return Variant(Storage(IntegerValue{value}));
}

Variant Variant::Currency(int64_t scaledBy10000) {
    return Variant(Storage(CurrencyValue{scaledBy10000}));
}

Variant Variant::FromCurrencyValue(double value) {
    // The int64 range ends at 2^63, which a double holds exactly; the check excludes it.
    const double scaled = RoundHalfEven(value * CurrencyScale);
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0)) {
        RaiseRuntimeError(ErrorNumber::Overflow);
    }
    return Currency(static_cast<int64_t>(scaled));
}

VariantKind Variant::Kind() const {
    // The alternatives of Storage are declared in the order of VariantKind.
    return static_cast<VariantKind>(value_.index());
}

bool Variant::IsNumeric() const {
    switch (Kind()) {
        case VariantKind::Empty:
        case VariantKind::Boolean:
        case VariantKind::Integer:
        case VariantKind::Long:
        case VariantKind::Double:
        case VariantKind::Currency:
            return true;
        case VariantKind::String: {
            const std::optional<double> value = ParseNumericText(std::get<std::string>(value_));
            return value && std::isfinite(*value);
        }
        default:
            return false;
    }
}

bool Variant::IsDate() const {
    if (Kind() == VariantKind::Date) {
        return true;
    }
    return Kind() == VariantKind::String && Date::Parse(std::get<std::string>(value_)).has_value();
}

std::string Variant::ToString() const {
    return std::visit(
        Overloaded{
            [](std::monostate) -> std::string { return {}; },
            [](NullTag) -> std::string { RaiseRuntimeError(ErrorNumber::InvalidUseOfNull); },
            [](MissingTag) -> std::string { RaiseRuntimeError(ErrorNumber::TypeMismatch); },
            [](bool v) -> std::string { return v ? "True" : "False"; },
            [](IntegerValue v) -> std::string { return std::to_string(v.value); },
            [](int32_t v) -> std::string { return std::to_string(v); },
            [](double v) -> std::string { return FormatClassicDouble(v); },
            [](CurrencyValue v) -> std::string { return CurrencyText(v.scaled); },
            [](const Date& v) -> std::string { return v.ToClassicString(); },
            [](const std::string& v) -> std::string { return v; },
            [](const std::shared_ptr<VariantArray>&) -> std::string {
                RaiseRuntimeError(ErrorNumber::TypeMismatch);
            },
            [](const std::shared_ptr<ComObject>&) -> std::string {
                RaiseRuntimeError(ErrorNumber::TypeMismatch);
            },
        },
        value_);
}

double Variant::ToDouble() const {
    return std::visit(
        Overloaded{
            [](std::monostate) -> double { return 0.0; },
            [](NullTag) -> double { RaiseRuntimeError(ErrorNumber::InvalidUseOfNull); },
            [](MissingTag) -> double { RaiseRuntimeError(ErrorNumber::TypeMismatch); },
            [](bool v) -> double { return v ? -1.0 : 0.0; },
            [](IntegerValue v) -> double { return v.value; },
            [](int32_t v) -> double { return v; },
            [](double v) -> double { return v; },
            [](CurrencyValue v) -> double {
                return static_cast<double>(v.scaled) / static_cast<double>(CurrencyScale);
            },
            [](const Date& v) -> double { return v.DayNumber(); },
            [](const std::string& v) -> double {
                const double value = RequireNumber(v);
                if (!std::isfinite(value)) {
                    RaiseRuntimeError(ErrorNumber::Overflow);
                }
                return value;
            },
            [](const std::shared_ptr<VariantArray>&) -> double {
                RaiseRuntimeError(ErrorNumber::TypeMismatch);
            },
            [](const std::shared_ptr<ComObject>&) -> double {
                RaiseRuntimeError(ErrorNumber::TypeMismatch);
            },
        },
        value_);
}

int32_t Variant::ToLong() const {
    constexpr int64_t low = std::numeric_limits<int32_t>::min();
    constexpr int64_t high = std::numeric_limits<int32_t>::max();
    if (const auto* currency = std::get_if<CurrencyValue>(&value_)) {
        const int64_t whole = CurrencyToWhole(currency->scaled);
        if (whole < low || whole > high) {
            RaiseRuntimeError(ErrorNumber::Overflow);
        }
        return static_cast<int32_t>(whole);
    }
    return static_cast<int32_t>(RoundToRange(ToDouble(), low, high));
}

int16_t Variant::ToInteger() const {
    constexpr int64_t low = std::numeric_limits<int16_t>::min();
    constexpr int64_t high = std::numeric_limits<int16_t>::max();
    if (const auto* currency = std::get_if<CurrencyValue>(&value_)) {
        const int64_t whole = CurrencyToWhole(currency->scaled);
        if (whole < low || whole > high) {
            RaiseRuntimeError(ErrorNumber::Overflow);
        }
        return static_cast<int16_t>(whole);
    }
    return static_cast<int16_t>(RoundToRange(ToDouble(), low, high));
}

bool Variant::ToBoolean() const {
    if (const auto* text = std::get_if<std::string>(&value_)) {
        const std::string trimmed = Trim(*text);
        if (IsTrueWord(trimmed)) {
            return true;
        }
        if (IsFalseWord(trimmed)) {
            return false;
        }
    }
    if (const auto* currency = std::get_if<CurrencyValue>(&value_)) {
        return currency->scaled != 0;
    }
    return ToDouble() != 0.0;
}

Date Variant::ToDate() const {
    if (const auto* date = std::get_if<Date>(&value_)) {
        return *date;
    }
    if (const auto* text = std::get_if<std::string>(&value_)) {
        const std::optional<Date> parsed = Date::Parse(*text);
        if (!parsed) {
            RaiseRuntimeError(ErrorNumber::TypeMismatch);
        }
        return *parsed;
    }
    const double dayNumber = ToDouble();
    if (!(dayNumber >= date_detail::MinDayNumber &&
          dayNumber < date_detail::MaxDayNumberExclusive)) {
        RaiseRuntimeError(ErrorNumber::Overflow);
    }
    return Date(dayNumber);
}

int64_t Variant::ToCurrencyScaled() const {
    if (const auto* currency = std::get_if<CurrencyValue>(&value_)) {
        return currency->scaled;
    }
    if (const auto* text = std::get_if<std::string>(&value_)) {
        return FromCurrencyValue(RequireNumber(*text)).ToCurrencyScaled();
    }
    return FromCurrencyValue(ToDouble()).ToCurrencyScaled();
}

const VariantArray& Variant::AsArray() const {
    const auto* array = std::get_if<std::shared_ptr<VariantArray>>(&value_);
    if (array == nullptr) {
        RaiseRuntimeError(ErrorNumber::TypeMismatch);
    }
    return **array;
}

VariantArray& Variant::AsArray() {
    auto* array = std::get_if<std::shared_ptr<VariantArray>>(&value_);
    if (array == nullptr) {
        RaiseRuntimeError(ErrorNumber::TypeMismatch);
    }
    return **array;
}

const std::shared_ptr<ComObject>& Variant::AsObject() const {
    const auto* object = std::get_if<std::shared_ptr<ComObject>>(&value_);
    if (object == nullptr) {
        RaiseRuntimeError(ErrorNumber::TypeMismatch);
    }
    return *object;
}

// Null, Empty and Missing show as "", a date outside the calendar as its day number; an array
// or object raises Type mismatch (13) like ToString, so no caller mistakes one for an empty text.
std::string Variant::DisplayText() const {
    switch (Kind()) {
        case VariantKind::Empty:
        case VariantKind::Null:
        case VariantKind::Missing:
            return {};
        case VariantKind::Date: {
            // A day number outside the calendar has no date text; show the number it holds.
            const double dayNumber = std::get<Date>(value_).DayNumber();
            if (!(dayNumber >= date_detail::MinDayNumber &&
                  dayNumber < date_detail::MaxDayNumberExclusive)) {
                return FormatClassicDouble(dayNumber);
            }
            return ToString();
        }
        default:
            // Arrays and objects have no text: they raise Type mismatch like ToString, so that a
            // caller never mistakes one for an empty value.
            return ToString();
    }
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.value_.index() != b.value_.index()) {
        return false;
    }
    if (const auto* left = std::get_if<std::shared_ptr<VariantArray>>(&a.value_)) {
        return **left == *std::get<std::shared_ptr<VariantArray>>(b.value_);
    }
    return a.value_ == b.value_;
}

}  // namespace hlreports
