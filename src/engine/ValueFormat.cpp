// Column formats and printed values; see ValueFormat.h.
#include "engine/ValueFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include <fmt/format.h>

#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"

namespace hlreports {
namespace {

constexpr int MaxDecimals = 10;

// "1234567.5" -> "1,234,567.5"; the text holds digits and at most one point, no sign.
std::string GroupThousands(std::string_view digits) {
    const std::size_t point = digits.find('.');
    const std::size_t integerLength = point == std::string_view::npos ? digits.size() : point;
    std::string grouped;
    grouped.reserve(digits.size() + integerLength / 3);
    for (std::size_t i = 0; i < integerLength; ++i) {
        if (i > 0 && (integerLength - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits[i];
    }
    grouped.append(digits.substr(integerLength));
    return grouped;
}

// The magnitude with `decimals` decimals, rounded half away from zero on its 15 significant
// digits (the precision the classic runtime keeps), so an amount stored as 999.995 prints as
// 1000.00 and not as the 999.99 its binary neighbour would give.
std::string RoundedDecimalText(double magnitude, int decimals) {
    constexpr int Significant = 15;
    const std::string scientific = fmt::format("{:.{}e}", magnitude, Significant - 1);
    const std::size_t exponentAt = scientific.find('e');
    const std::string digits = scientific.substr(0, 1) + scientific.substr(2, exponentAt - 2);
    int exponent = 0;
    std::from_chars(
        scientific.data() + exponentAt + 1 + (scientific[exponentAt + 1] == '+' ? 1 : 0),
        scientific.data() + scientific.size(), exponent);
    const int integerDigits = exponent + 1;
    std::string integerPart;
    std::string fractionPart;
    if (integerDigits <= 0) {
        integerPart = "0";
        fractionPart = std::string(static_cast<std::size_t>(-integerDigits), '0') + digits;
    } else if (integerDigits >= Significant) {
        integerPart =
            digits + std::string(static_cast<std::size_t>(integerDigits - Significant), '0');
    } else {
        integerPart = digits.substr(0, static_cast<std::size_t>(integerDigits));
        fractionPart = digits.substr(static_cast<std::size_t>(integerDigits));
    }
    const auto kept = static_cast<std::size_t>(decimals);
    const bool roundUp = fractionPart.size() > kept && fractionPart[kept] >= '5';
    fractionPart.resize(kept, '0');
    std::string all = integerPart + fractionPart;
    if (roundUp) {
        std::size_t at = all.size();
        while (at > 0 && all[at - 1] == '9') {
            all[--at] = '0';
        }
        if (at == 0) {
            all.insert(all.begin(), '1');
        } else {
            ++all[at - 1];
        }
    }
    std::string whole = all.substr(0, all.size() - kept);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    return kept == 0 ? whole : whole + "." + all.substr(all.size() - kept);
}

// Fixed decimals with thousands separators; a value that rounds to zero prints unsigned.
std::string FixedText(double number, int decimals, std::string_view prefix) {
    const std::string magnitude = RoundedDecimalText(std::fabs(number), decimals);
    const bool isZero = magnitude.find_first_not_of("0.") == std::string::npos;
    std::string text = number < 0 && !isZero ? "-" : "";
    text += prefix;
    text += GroupThousands(magnitude);
    return text;
}

std::optional<double> AsNumber(const Variant& value) {
    // A Boolean converts to -1/0, which no report means to print as an amount.
    if (!value.IsNumeric() || value.Kind() == VariantKind::Boolean) {
        return std::nullopt;
    }
    try {
        const double number = value.ToDouble();
        if (!std::isfinite(number)) {
            return std::nullopt;
        }
        return number;
    } catch (const ComError&) {
        return std::nullopt;
    }
}

std::optional<Date> AsDate(const Variant& value) {
    if (value.Kind() != VariantKind::Date && !(value.IsString() && value.IsDate())) {
        return std::nullopt;
    }
    try {
        return value.ToDate();
    } catch (const ComError&) {
        return std::nullopt;
    }
}

std::string DateText(const Variant& value, const ValueFormat& format) {
    const std::optional<Date> date = AsDate(value);
    if (!date) {
        return value.DisplayText();
    }
    try {
        if (format.kind == ValueFormatKind::DatePattern) {
            return date->Format(format.pattern);
        }
        return date->DateOnly().ToShortString();
    } catch (const ComError&) {
        return value.DisplayText();  // outside the calendar: show what there is
    }
}

std::string NumberText(const Variant& value, const ValueFormat& format) {
    const std::optional<double> number = AsNumber(value);
    if (!number) {
        return value.DisplayText();
    }
    switch (format.kind) {
        case ValueFormatKind::Integer:
            return FixedText(*number, 0, "");
        case ValueFormatKind::Currency:
            return FixedText(*number, 2, "$");
        default:
            return FixedText(*number, format.decimals, "");
    }
}

}  // namespace

std::optional<ValueFormat> ParseValueFormat(std::string_view spec) {
    ValueFormat format;
    format.spec = std::string(spec);
    if (spec == "text") {
        format.kind = ValueFormatKind::Text;
    } else if (spec == "integer") {
        format.kind = ValueFormatKind::Integer;
    } else if (spec == "number") {
        format.kind = ValueFormatKind::Number;
    } else if (spec.starts_with("number:")) {
        const std::string_view digits = spec.substr(7);
        int decimals = -1;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), decimals);
        if (error != std::errc() || end != digits.data() + digits.size() || decimals < 0 ||
            decimals > MaxDecimals) {
            return std::nullopt;
        }
        format.kind = ValueFormatKind::Number;
        format.decimals = decimals;
    } else if (spec == "currency") {
        format.kind = ValueFormatKind::Currency;
    } else if (spec == "date") {
        format.kind = ValueFormatKind::Date;
    } else if (spec.starts_with("date:") && spec.size() > 5) {
        format.kind = ValueFormatKind::DatePattern;
        format.pattern = std::string(spec.substr(5));
    } else {
        return std::nullopt;
    }
    return format;
}

std::string FormatValue(const Variant& value, const ValueFormat& format) {
    if (value.IsNull() || value.IsEmpty()) {
        return {};
    }
    switch (format.kind) {
        case ValueFormatKind::Integer:
        case ValueFormatKind::Number:
        case ValueFormatKind::Currency:
            return NumberText(value, format);
        case ValueFormatKind::Date:
        case ValueFormatKind::DatePattern:
            return DateText(value, format);
        case ValueFormatKind::Text:
        case ValueFormatKind::ByValue:
            break;
    }
    return value.DisplayText();
}

std::string FormulaDisplayText(std::string_view formulaText) {
    if (formulaText.size() < 2) {
        return std::string(formulaText);
    }
    const char quote = formulaText.front();
    if ((quote != '"' && quote != '\'') || formulaText.back() != quote) {
        return std::string(formulaText);
    }
    const std::string_view inner = formulaText.substr(1, formulaText.size() - 2);
    std::string text;
    text.reserve(inner.size());
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] != quote) {
            text += inner[i];
            continue;
        }
        // Inside one string literal a quote only appears doubled.
        if (i + 1 >= inner.size() || inner[i + 1] != quote) {
            return std::string(formulaText);
        }
        text += quote;
        ++i;
    }
    return text;
}

}  // namespace hlreports
