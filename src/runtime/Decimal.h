// Decimal: the classic exact decimal, a 96-bit magnitude with a sign and a scale 0..28
// (value = coefficient / 10^scale). Text goes in and out digit for digit; nothing in here passes
// through a double except ToDouble and FromDouble, so a value read from a database, a file or a
// parameter keeps every one of its up to 29 significant digits.
//
// Operations that would have to drop a non-zero digit or leave the 96-bit range give no value
// (std::nullopt) instead of rounding; callers turn that into their own error. Only RoundedTo
// rounds, and only where a classic conversion rounds (CCur, CLng), half to even.
//
// Equality and order are by value: 1.5 equals 1.50. A packed form of two 64-bit words lets the
// row store keep a decimal cell without a heap allocation.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hlreports {

__extension__ typedef __int128 Int128;

// Conversions round half to even (CCur, CLng); printed amounts round half away from zero.
enum class DecimalRounding { HalfEven, HalfAwayFromZero };

class Decimal {
  public:
    static constexpr int MaxScale = 28;
    static constexpr int MaxPrecision = 29;  // digits of the largest magnitude

    Decimal() = default;  // 0, scale 0

    // Exact reading of blanks, an optional sign, digits with an optional point and an optional
    // exponent ("-12.50", ".5", "1E+20"). Fractional zeros beyond scale 28 are dropped; any
    // other digit that would not fit gives no value.
    static std::optional<Decimal> Parse(std::string_view text);
    // The shortest text that reads back as the same double, read exactly; no value for NaN,
    // infinities and magnitudes outside the decimal range.
    static std::optional<Decimal> FromDouble(double value);
    static Decimal FromInteger(int64_t value);
    // coefficient / 10^scale; no value when the magnitude or the scale is out of range.
    static std::optional<Decimal> FromParts(Int128 coefficient, int scale);

    Int128 Coefficient() const { return coefficient_; }
    int Scale() const { return scale_; }
    bool IsZero() const { return coefficient_ == 0; }
    bool IsNegative() const { return coefficient_ < 0; }
    // Significant digits of the coefficient (0 has one).
    int Digits() const;
    // Digits before the point (0 for a value below 1).
    int IntegerDigits() const;

    // The same value written with `scale` decimals; no value when a non-zero digit would go or
    // the magnitude would leave the range.
    std::optional<Decimal> Rescaled(int scale) const;
    // The value rounded to `scale` decimals (at most its own scale).
    Decimal RoundedTo(int scale, DecimalRounding rounding = DecimalRounding::HalfEven) const;
    // The value with trailing fractional zeros removed.
    Decimal Trimmed() const;
    // Whether the value fits a column of `precision` digits with `scale` decimals: no non-zero
    // digit beyond the scale and at most precision - scale digits before the point.
    bool FitsPrecisionAndScale(int precision, int scale) const;
    // The value as a column of that precision and scale keeps it: written with the column's
    // scale (up to 28), or nothing when it does not fit. A precision of 0 declares no limits.
    std::optional<Decimal> FittedTo(int precision, int scale) const;

    // Every digit of the scale, a zero before the point: "0.50", "-1.2345", "0".
    std::string ToString() const;
    double ToDouble() const;

    // Two 64-bit words holding the value exactly, for column storage.
    struct Packed {
        uint64_t low;
        uint64_t high;
    };
    Packed Pack() const;
    static Decimal Unpack(Packed packed);

    friend bool operator==(const Decimal& a, const Decimal& b) { return Compare(a, b) == 0; }
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
        return Compare(a, b) <=> 0;
    }

  private:
    Decimal(Int128 coefficient, int scale) : coefficient_(coefficient), scale_(scale) {}
    static int Compare(const Decimal& a, const Decimal& b);

    Int128 coefficient_ = 0;
    int scale_ = 0;
};

// Largest magnitude of the classic decimal, 2^96 - 1 = 79228162514264337593543950335.
inline constexpr Int128 MaxDecimalMagnitude = (Int128{1} << 96) - 1;

}  // namespace hlreports
