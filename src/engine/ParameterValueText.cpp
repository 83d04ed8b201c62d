// Parameter type codes and default value texts of report files; see ParameterValueText.h.
#include "engine/ParameterValueText.h"

#include <charconv>
#include <cmath>

#include "engine/CoreReport.h"
#include "runtime/ComError.h"

namespace hlreports {
namespace {

constexpr int CurrencyDecimals = 4;

template <typename Number>
std::optional<Number> WholeNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A plain decimal: optional minus, digits, optional point and digits. No exponent, no "inf".
std::optional<double> PlainDecimalNumber(std::string_view text, int maxDecimals) {
    std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    const std::size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
    const auto allDigits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (whole.empty() || !allDigits(whole) || !allDigits(fraction) ||
        (point != std::string_view::npos && fraction.empty()) ||
        static_cast<int>(fraction.size()) > maxDecimals) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// "YYYY-MM-DD", optionally followed by "THH:MM" or "THH:MM:SS" when a time is allowed.
std::optional<Date> IsoDate(std::string_view text, bool allowTime) {
    const auto part = [&](std::size_t at, std::size_t length) -> std::optional<int> {
        if (at + length > text.size()) {
            return std::nullopt;
        }
        const std::string_view piece = text.substr(at, length);
        if (piece.find_first_not_of("0123456789") != std::string_view::npos) {
            return std::nullopt;
        }
        return WholeNumber<int>(piece);
    };
    if (text.size() < 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto year = part(0, 4), month = part(5, 2), day = part(8, 2);
    if (!year || !month || !day) {
        return std::nullopt;
    }
    int hour = 0, minute = 0, second = 0;
    if (text.size() > 10) {
        const bool hasMinutes = allowTime && (text.size() == 16 || text.size() == 19) &&
                                text[10] == 'T' && text[13] == ':';
        const auto h = part(11, 2), m = part(14, 2);
        if (!hasMinutes || !h || !m) {
            return std::nullopt;
        }
        hour = *h;
        minute = *m;
        if (text.size() == 19) {
            const auto s = part(17, 2);
            if (text[16] != ':' || !s) {
                return std::nullopt;
            }
            second = *s;
        }
    }
    try {
        return Date::FromYmdHms(*year, *month, *day, hour, minute, second);
    } catch (const ComError&) {
        return std::nullopt;  // no such calendar day or time
    }
}

}  // namespace

std::optional<int32_t> ReadValueTypeCode(std::string_view text) {
    const std::optional<int32_t> code = WholeNumber<int32_t>(text);
    if (!code) {
        return std::nullopt;
    }
    switch (*code) {
        case CoreValueNumber:
        case CoreValueCurrency:
        case CoreValueBoolean:
        case CoreValueDate:
        case CoreValueString:
        case CoreValueDateTime:
            return code;
        default:
            return std::nullopt;
    }
}

std::optional<Variant> ReadParameterValue(int32_t valueType, std::string_view text) {
    switch (valueType) {
        case CoreValueNumber:
            if (const auto number = PlainDecimalNumber(text, 1000)) {
                return Variant(*number);
            }
            return std::nullopt;
        case CoreValueCurrency:
            if (const auto amount = PlainDecimalNumber(text, CurrencyDecimals);
                amount && std::fabs(*amount) < 9.0e14) {
                return Variant::FromCurrencyValue(*amount);
            }
            return std::nullopt;
        case CoreValueBoolean:
            if (text == "true" || text == "false") {
                return Variant(text == "true");
            }
            return std::nullopt;
        case CoreValueDate:
        case CoreValueDateTime:
            if (const auto date = IsoDate(text, valueType == CoreValueDateTime)) {
                return Variant(*date);
            }
            return std::nullopt;
        default:
            return Variant(text);
    }
}

std::string_view ValueTypeExpectation(int32_t valueType) {
    switch (valueType) {
        case CoreValueNumber:
            return "a number";
        case CoreValueCurrency:
            return "an amount with at most 4 decimals";
        case CoreValueBoolean:
            return "true or false";
        case CoreValueDate:
            return "a date (YYYY-MM-DD)";
        case CoreValueDateTime:
            return "a date or date and time (YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS)";
        default:
            return "a text";
    }
}

}  // namespace hlreports
