// The exact decimal: digit-by-digit reading and writing on a 128-bit integer; see Decimal.h.
#include "runtime/Decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace hlreports {

namespace {

__extension__ typedef unsigned __int128 UInt128;

constexpr std::array<Int128, 39> PowersOfTen = [] {
    std::array<Int128, 39> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) {
        powers[i] = powers[i - 1] * 10;
    }
    return powers;
}();

// The largest magnitude's digits, for comparing a digit string that may not fit 128 bits.
constexpr std::string_view MaxMagnitudeDigits = "79228162514264337593543950335";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool DigitsFit(std::string_view digits) {
    if (digits.size() != MaxMagnitudeDigits.size()) {
        return digits.size() < MaxMagnitudeDigits.size();
    }
    return digits <= MaxMagnitudeDigits;
}

Int128 Magnitude(Int128 value) {
    return value < 0 ? -value : value;
}

int CountDigits(Int128 magnitude) {
    int digits = 1;
    while (digits < static_cast<int>(PowersOfTen.size()) && magnitude >= PowersOfTen[digits]) {
        ++digits;
    }
    return digits;
}

}  // namespace

std::optional<Decimal> Decimal::Parse(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Significant digits (no leading zeros) and the count of digits after the point.
    std::string digits;
    int64_t scale = 0;
    bool sawDigit = false;
    std::size_t i = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        sawDigit = true;
        if (!digits.empty() || text[i] != '0') {
            digits.push_back(text[i]);
        }
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            sawDigit = true;
            ++scale;
            if (!digits.empty() || text[i] != '0') {
                digits.push_back(text[i]);
            }
        }
    }
    if (!sawDigit) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        const std::size_t exponentStart = i;
        int64_t exponent = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            // Far past any decimal's range; the clamp only keeps the arithmetic finite.
            exponent = std::min<int64_t>(exponent * 10 + (text[i] - '0'), 100'000);
        }
        if (i == exponentStart) {
            return std::nullopt;
        }
        scale += negativeExponent ? exponent : -exponent;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    if (digits.empty()) {
        return Decimal(0, static_cast<int>(std::clamp<int64_t>(scale, 0, MaxScale)));
    }
    // Trailing zeros may go from the fraction (never from the integer part) to reach the range.
    while (scale > 0 && digits.back() == '0' && (scale > MaxScale || !DigitsFit(digits))) {
        digits.pop_back();
        --scale;
    }
    if (scale > MaxScale) {
        return std::nullopt;
    }
    if (scale < 0) {
        if (static_cast<int64_t>(digits.size()) - scale > MaxPrecision) {
            return std::nullopt;
        }
        digits.append(static_cast<std::size_t>(-scale), '0');
        scale = 0;
    }
    if (!DigitsFit(digits)) {
        return std::nullopt;
    }
    Int128 coefficient = 0;
    for (const char digit : digits) {
        coefficient = coefficient * 10 + (digit - '0');
    }
    return Decimal(negative ? -coefficient : coefficient, static_cast<int>(scale));
}

std::optional<Decimal> Decimal::FromDouble(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return Parse(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

Decimal Decimal::FromInteger(int64_t value) {
    return Decimal(value, 0);
}

std::optional<Decimal> Decimal::FromParts(Int128 coefficient, int scale) {
    if (scale < 0 || scale > MaxScale || Magnitude(coefficient) > MaxDecimalMagnitude) {
        return std::nullopt;
    }
    return Decimal(coefficient, scale);
}

int Decimal::Digits() const {
    return CountDigits(Magnitude(coefficient_));
}

int Decimal::IntegerDigits() const {
    const Int128 whole = Magnitude(coefficient_) / PowersOfTen[scale_];
    return whole == 0 ? 0 : CountDigits(whole);
}

std::optional<Decimal> Decimal::Rescaled(int scale) const {
    if (scale < 0 || scale > MaxScale) {
        return std::nullopt;
    }
    if (scale >= scale_) {
        const Int128 factor = PowersOfTen[scale - scale_];
        if (Magnitude(coefficient_) > MaxDecimalMagnitude / factor) {
            return std::nullopt;
        }
        return Decimal(coefficient_ * factor, scale);
    }
    const Int128 divisor = PowersOfTen[scale_ - scale];
    if (coefficient_ % divisor != 0) {
        return std::nullopt;
    }
    return Decimal(coefficient_ / divisor, scale);
}

Decimal Decimal::RoundedTo(int scale, DecimalRounding rounding) const {
    if (scale >= scale_) {
        return *this;
    }
    scale = std::max(scale, 0);
    const Int128 divisor = PowersOfTen[scale_ - scale];
    const Int128 magnitude = Magnitude(coefficient_);
    Int128 quotient = magnitude / divisor;
    const Int128 twiceRemainder = 2 * (magnitude % divisor);
    const bool roundsHalfUp = rounding == DecimalRounding::HalfAwayFromZero || quotient % 2 != 0;
    if (twiceRemainder > divisor || (twiceRemainder == divisor && roundsHalfUp)) {
        ++quotient;
    }
    return Decimal(coefficient_ < 0 ? -quotient : quotient, scale);
}

Decimal Decimal::Trimmed() const {
    Decimal result = *this;
    while (result.scale_ > 0 && result.coefficient_ % 10 == 0) {
        result.coefficient_ /= 10;
        --result.scale_;
    }
    return result;
}

bool Decimal::FitsPrecisionAndScale(int precision, int scale) const {
    return Trimmed().scale_ <= scale && IntegerDigits() <= precision - scale;
}

std::optional<Decimal> Decimal::FittedTo(int precision, int scale) const {
    if (precision <= 0) {
        return *this;
    }
    if (!FitsPrecisionAndScale(precision, scale)) {
        return std::nullopt;
    }
    // A scale beyond 28 keeps the value's own digits; writers pad it.
    return Rescaled(std::min(scale, MaxScale)).value_or(*this);
}

std::string Decimal::ToString() const {
    UInt128 magnitude = static_cast<UInt128>(Magnitude(coefficient_));
    char buffer[48];
    char* end = buffer + sizeof buffer;
    char* begin = end;
    int written = 0;
    while (magnitude != 0 || written <= scale_) {
        *--begin = static_cast<char>('0' + static_cast<int>(magnitude % 10));
        magnitude /= 10;
        ++written;
        if (written == scale_ && scale_ > 0) {
            *--begin = '.';
        }
    }
    if (coefficient_ < 0) {
        *--begin = '-';
    }
    return std::string(begin, end);
}

double Decimal::ToDouble() const {
    const std::string text = ToString();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

Decimal::Packed Decimal::Pack() const {
    const auto magnitude = static_cast<UInt128>(Magnitude(coefficient_));
    return {static_cast<uint64_t>(magnitude), static_cast<uint64_t>(magnitude >> 64) |
                                                  static_cast<uint64_t>(scale_) << 32 |
                                                  (coefficient_ < 0 ? uint64_t{1} << 40 : 0)};
}

Decimal Decimal::Unpack(Packed packed) {
    const auto magnitude =
        static_cast<Int128>(static_cast<UInt128>(packed.high & 0xFFFF'FFFFu) << 64 | packed.low);
    const int scale = static_cast<int>(packed.high >> 32 & 0xFF);
    return Decimal((packed.high >> 40 & 1) != 0 ? -magnitude : magnitude, scale);
}

int Decimal::Compare(const Decimal& a, const Decimal& b) {
    const int signA = a.coefficient_ < 0 ? -1 : a.coefficient_ > 0 ? 1 : 0;
    const int signB = b.coefficient_ < 0 ? -1 : b.coefficient_ > 0 ? 1 : 0;
    if (signA != signB) {
        return signA < signB ? -1 : 1;
    }
    // Whole parts first, then the fractions brought to the larger scale (below 10^28 each).
    const Int128 magnitudeA = Magnitude(a.coefficient_);
    const Int128 magnitudeB = Magnitude(b.coefficient_);
    const Int128 wholeA = magnitudeA / PowersOfTen[a.scale_];
    const Int128 wholeB = magnitudeB / PowersOfTen[b.scale_];
    int order = 0;
    if (wholeA != wholeB) {
        order = wholeA < wholeB ? -1 : 1;
    } else {
        const int scale = std::max(a.scale_, b.scale_);
        const Int128 fractionA = magnitudeA % PowersOfTen[a.scale_] * PowersOfTen[scale - a.scale_];
        const Int128 fractionB = magnitudeB % PowersOfTen[b.scale_] * PowersOfTen[scale - b.scale_];
        order = fractionA < fractionB ? -1 : fractionA > fractionB ? 1 : 0;
    }
    return signA < 0 ? -order : order;
}

}  // namespace hlreports
