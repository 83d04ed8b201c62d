// Value and type text of rowset XML; see RecordsetValueText.h for the rules and why they are
// hand-rolled.
#include "recordset/RecordsetValueText.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "recordset/AdoTypes.h"
#include "runtime/Text.h"

namespace hlreports {

namespace {

constexpr int64_t MillisecondsPerDay = 86'400'000;
// 30 Dec 1899 counted from 1 Mar 0000 in the civil-days algorithm below.
constexpr int64_t EpochShift = 693'899;
// 31 Dec 9999, the last day a four-digit year can write.
constexpr int64_t LastDay = 2'958'465;

void AppendDigits2(std::string& out, int64_t value) {
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

void AppendDate(std::string& out, const CivilDate& date) {
    const int64_t year = date.year;
    AppendDigits2(out, year / 100);
    AppendDigits2(out, year % 100);
    out.push_back('-');
    AppendDigits2(out, date.month);
    out.push_back('-');
    AppendDigits2(out, date.day);
}

void AppendTime(std::string& out, int64_t millisecond, bool withFraction) {
    const int64_t second = millisecond / 1000;
    AppendDigits2(out, second / 3600);
    out.push_back(':');
    AppendDigits2(out, second / 60 % 60);
    out.push_back(':');
    AppendDigits2(out, second % 60);
    const int64_t fraction = millisecond % 1000;
    if (withFraction && fraction != 0) {
        // Nine digits (nanoseconds), as timestamps are written.
        out.push_back('.');
        out.push_back(static_cast<char>('0' + fraction / 100));
        AppendDigits2(out, fraction % 100);
        out.append("000000");
    }
}

void AppendChars(std::string& out, double value, std::chars_format format, int precision) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    for (char* p = buffer; p != result.ptr; ++p) {
        if (*p == 'e') {
            *p = 'E';
        }
    }
    out.append(buffer, result.ptr);
}

void AppendSingle(std::string& out, double value) {
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value),
                                      std::chars_format::general, 8);
    for (char* p = buffer; p != result.ptr; ++p) {
        if (*p == 'e') {
            *p = 'E';
        }
    }
    out.append(buffer, result.ptr);
}

// Exactly `scale` decimals and no zero before the point: .00, -.50, 12345.67, and "0" for a
// zero with scale 0.
void AppendNumeric(std::string& out, double value, int scale) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, scale);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    const bool isZero = text.find_first_not_of("0.") == std::string_view::npos;
    if (negative && !isZero) {
        out.push_back('-');
    }
    if (scale > 0 && text.size() > 1 && text[0] == '0' && text[1] == '.') {
        text.remove_prefix(1);
    }
    out.append(text);
}

void AppendShortestFixed(std::string& out, double value) {
    if (value == 0) {
        out.push_back('0');
        return;
    }
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    out.append(buffer, result.ptr);
}

void AppendCurrency(std::string& out, int64_t scaled) {
    uint64_t magnitude =
        scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    if (scaled < 0) {
        out.push_back('-');
    }
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude / 10000);
    out.append(buffer, result.ptr);
    uint64_t fraction = magnitude % 10000;
    if (fraction == 0) {
        return;
    }
    char digits[4];
    for (int i = 3; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    int length = 4;
    while (digits[length - 1] == '0') {
        --length;
    }
    out.push_back('.');
    out.append(digits, static_cast<std::size_t>(length));
}

void AppendInteger(std::string& out, int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendUnsigned(std::string& out, uint64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendDateValue(std::string& out, int32_t type, double dayNumber) {
    const bool wholeSeconds = type != adDBTimeStamp && type != adFileTime;
    const DayAndMillisecond parts = SplitDayNumber(dayNumber, wholeSeconds);
    if (type == adDBTime) {
        AppendTime(out, parts.millisecond, false);
        return;
    }
    AppendDate(out, CivilFromDays(parts.day));
    if (type == adDBDate) {
        return;
    }
    out.push_back('T');
    AppendTime(out, parts.millisecond, !wholeSeconds);
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool ParseFixedDigits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

// hh:mm:ss[.fraction] at the start of text; milliseconds of the day.
bool ParseTimeText(std::string_view text, double& secondOfDay) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (text.size() < 8 || !ParseFixedDigits(text, 0, 2, hour) || text[2] != ':' ||
        !ParseFixedDigits(text, 3, 2, minute) || text[5] != ':' ||
        !ParseFixedDigits(text, 6, 2, second)) {
        return false;
    }
    if (hour > 23 || minute > 59 || second > 59) {
        return false;
    }
    double fraction = 0;
    if (text.size() > 8) {
        if (text[8] != '.' || text.size() == 9) {
            return false;
        }
        double scale = 0.1;
        for (std::size_t i = 9; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return false;
            }
            fraction += (text[i] - '0') * scale;
            scale /= 10;
        }
        // Day numbers keep milliseconds; finer digits round.
        fraction = std::round(fraction * 1000) / 1000;
    }
    secondOfDay = hour * 3600.0 + minute * 60.0 + second + fraction;
    return true;
}

bool ParseDateValue(std::string_view text, double& dayNumber) {
    int64_t day = 0;
    double secondOfDay = 0;
    if (text.size() >= 10 && text[4] == '-') {
        int year = 0;
        int month = 0;
        int dayOfMonth = 0;
        if (!ParseFixedDigits(text, 0, 4, year) || !ParseFixedDigits(text, 5, 2, month) ||
            text[7] != '-' || !ParseFixedDigits(text, 8, 2, dayOfMonth)) {
            return false;
        }
        if (year < 100 || month < 1 || month > 12 || dayOfMonth < 1) {
            return false;
        }
        static constexpr std::array<int, 12> lengths = {31, 28, 31, 30, 31, 30,
                                                        31, 31, 30, 31, 30, 31};
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        const int length = month == 2 && leap ? 29 : lengths[static_cast<std::size_t>(month - 1)];
        if (dayOfMonth > length) {
            return false;
        }
        day = DaysFromCivil(year, month, dayOfMonth);
        text.remove_prefix(10);
        if (text.empty()) {
            dayNumber = ComposeDayNumber(day, 0);
            return true;
        }
        if (text[0] != 'T' && text[0] != ' ') {
            return false;
        }
        text.remove_prefix(1);
    }
    if (!ParseTimeText(text, secondOfDay)) {
        return false;
    }
    if (secondOfDay >= 86'400) {
        return false;  // a fraction that rounds up to the next day
    }
    dayNumber = ComposeDayNumber(day, secondOfDay);
    return true;
}

bool ParseCurrencyText(std::string_view text, int64_t& scaled) {
    constexpr uint64_t Limit = uint64_t{1} << 63;  // magnitude of the smallest value
    bool negative = false;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    uint64_t magnitude = 0;
    int digits = 0;
    int decimals = -1;
    bool exact = true;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9') {
            exact = false;
            break;
        }
        ++digits;
        if (decimals >= 4) {
            exact = false;  // more decimals than a currency keeps: round below
            continue;
        }
        if (magnitude > (Limit - static_cast<uint64_t>(c - '0')) / 10) {
            return false;
        }
        magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
        if (decimals >= 0) {
            ++decimals;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (!exact) {
        // An exponent or extra decimals: read as a double and round to four decimals.
        double number = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
            !std::isfinite(number)) {
            return false;
        }
        const double rounded = std::nearbyint(number * 10000);
        if (!(rounded >= -9.2233720368547758e18 && rounded < 9.2233720368547758e18)) {
            return false;
        }
        scaled = static_cast<int64_t>(rounded);
        return true;
    }
    for (int i = decimals < 0 ? 0 : decimals; i < 4; ++i) {
        if (magnitude > Limit / 10) {
            return false;
        }
        magnitude *= 10;
    }
    if (magnitude > Limit || (!negative && magnitude == Limit)) {
        return false;
    }
    scaled = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

bool ParseBoolean(std::string_view text, uint64_t& bits) {
    if (EqualsIgnoreCase(text, "true") || text == "1" || text == "-1") {
        bits = 1;
        return true;
    }
    if (EqualsIgnoreCase(text, "false") || text == "0") {
        bits = 0;
        return true;
    }
    return false;
}

bool ParseDouble(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() &&
           std::isfinite(value);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

int64_t DaysFromCivil(int year, int month, int day) {
    const int64_t y = year - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + dayOfEra - EpochShift;
}

CivilDate CivilFromDays(int64_t days) {
    const int64_t z = days + EpochShift;
    const int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
    const int64_t dayOfEra = z - era * 146'097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

DayAndMillisecond SplitDayNumber(double dayNumber, bool wholeSeconds) {
    const double whole = std::trunc(dayNumber);
    const double fraction = std::fabs(dayNumber - whole);
    DayAndMillisecond result{static_cast<int64_t>(whole), 0};
    if (wholeSeconds) {
        result.millisecond = std::llround(fraction * 86'400) * 1000;
    } else {
        result.millisecond = std::llround(fraction * static_cast<double>(MillisecondsPerDay));
    }
    if (result.millisecond >= MillisecondsPerDay) {
        if (result.day >= LastDay) {
            // Rounding up past 31 Dec 9999 would need a fifth year digit: stay on the last day.
            result.millisecond = wholeSeconds ? MillisecondsPerDay - 1000 : MillisecondsPerDay - 1;
            return result;
        }
        result.millisecond -= MillisecondsPerDay;
        result.day += 1;
    }
    return result;
}

double ComposeDayNumber(int64_t day, double secondOfDay) {
    const double fraction = secondOfDay / 86'400.0;
    return day < 0 ? static_cast<double>(day) - fraction : static_cast<double>(day) + fraction;
}

void AppendValueText(std::string& out, const FieldInfo& field, CellKind kind, uint64_t bits) {
    switch (kind) {
        case CellKind::Integer:
        case CellKind::Long:
        case CellKind::UnsignedLong:
        case CellKind::BigInt:
            AppendInteger(out, static_cast<int64_t>(bits));
            return;
        case CellKind::UnsignedBigInt:
            AppendUnsigned(out, bits);
            return;
        case CellKind::Boolean:
            out.append(bits != 0 ? "True" : "False");
            return;
        case CellKind::Currency:
            AppendCurrency(out, static_cast<int64_t>(bits));
            return;
        case CellKind::Date:
            AppendDateValue(out, field.type, std::bit_cast<double>(bits));
            return;
        case CellKind::Single:
            AppendSingle(out, std::bit_cast<double>(bits));
            return;
        case CellKind::Double: {
            const double value = std::bit_cast<double>(bits);
            if (field.type == adNumeric) {
                AppendNumeric(out, value,
                              field.scale < 0    ? 0
                              : field.scale > 38 ? 38
                                                 : field.scale);
            } else if (field.type == adDecimal || field.type == adVarNumeric) {
                AppendShortestFixed(out, value);
            } else {
                AppendChars(out, value, std::chars_format::general, 17);
            }
            return;
        }
        case CellKind::Text:
            return;  // written by the caller with escaping
    }
}

IntegerRange IntegerRangeOf(int32_t adoType) {
    switch (adoType) {
        case adTinyInt:
            return {-128, 127};
        case adUnsignedTinyInt:
            return {0, 255};
        case adSmallInt:
            return {-32768, 32767};
        case adUnsignedSmallInt:
            return {0, 65535};
        case adInteger:
            return {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
        case adUnsignedInt:
            return {0, std::numeric_limits<uint32_t>::max()};
        default:
            return {std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()};
    }
}

bool ParseDecimalInteger(std::string_view text, bool isUnsigned, uint64_t& bits) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const char* end = text.data() + text.size();
    if (isUnsigned) {
        uint64_t value = 0;
        const auto result = std::from_chars(text.data(), end, value);
        bits = value;
        return result.ec == std::errc() && result.ptr == end;
    }
    int64_t value = 0;
    const auto result = std::from_chars(text.data(), end, value);
    bits = static_cast<uint64_t>(value);
    return result.ec == std::errc() && result.ptr == end;
}

bool ParseValueText(const FieldInfo& field, CellKind kind, std::string_view text, uint64_t& bits) {
    text = Trimmed(text);
    switch (kind) {
        case CellKind::Integer:
        case CellKind::Long:
        case CellKind::UnsignedLong:
        case CellKind::BigInt: {
            if (!ParseDecimalInteger(text, false, bits)) {
                return false;
            }
            const IntegerRange range = IntegerRangeOf(field.type);
            const auto value = static_cast<int64_t>(bits);
            return value >= range.low && value <= range.high;
        }
        case CellKind::UnsignedBigInt:
            return ParseDecimalInteger(text, true, bits);
        case CellKind::Boolean:
            return ParseBoolean(text, bits);
        case CellKind::Currency: {
            int64_t scaled = 0;
            if (!ParseCurrencyText(text, scaled)) {
                return false;
            }
            bits = static_cast<uint64_t>(scaled);
            return true;
        }
        case CellKind::Date: {
            double dayNumber = 0;
            if (!ParseDateValue(text, dayNumber)) {
                return false;
            }
            bits = std::bit_cast<uint64_t>(dayNumber);
            return true;
        }
        case CellKind::Single:
        case CellKind::Double: {
            double value = 0;
            if (!ParseDouble(text, value)) {
                return false;
            }
            if (kind == CellKind::Single) {
                if (std::fabs(value) > std::numeric_limits<float>::max()) {
                    return false;
                }
                value = static_cast<float>(value);
            }
            bits = std::bit_cast<uint64_t>(value);
            return true;
        }
        case CellKind::Text:
            return false;
    }
    return false;
}

std::optional<std::string> NormalizeGuid(std::string_view text) {
    text = Trimmed(text);
    if (text.size() == 38 && text.front() == '{' && text.back() == '}') {
        text = text.substr(1, 36);
    }
    if (text.size() != 36) {
        return std::nullopt;
    }
    std::string result = "{";
    for (std::size_t i = 0; i < 36; ++i) {
        const char c = text[i];
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != '-') {
                return std::nullopt;
            }
            result.push_back('-');
            continue;
        }
        if (HexValue(c) < 0) {
            return std::nullopt;
        }
        result.push_back(c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    result.push_back('}');
    return result;
}

std::optional<std::string> NormalizeHex(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            continue;
        }
        if (HexValue(c) < 0) {
            return std::nullopt;
        }
        result.push_back(c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    if (result.size() % 2 != 0) {
        return std::nullopt;
    }
    return result;
}

}  // namespace hlreports
