// Variant: the classic dynamic value. Conversions follow the classic desktop runtime:
// to Integer rounds half to even and overflows outside -32768..32767 (error 6); Null converts to
// nothing (error 94); text that is no number is a type mismatch (error 13); dates print short.
// Arrays have one or two dimensions with their own lower bounds; objects are shared handles.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runtime/Date.h"

namespace hlreports {

enum class VariantKind {
    Empty,
    Null,
    Missing,
    Boolean,
    Integer,
    Long,
    Double,
    Currency,
    Date,
    String,
    Array,
    Object
};

// Base of every object a Variant can hold (recordsets, report objects, forms).
class ComObject {
  public:
    virtual ~ComObject() = default;
};

class Variant;

// A one- or two-dimensional array with its own lower bounds. Elements are stored row-major:
// element (i, j) sits at (i - lower0) * extent1 + (j - lower1).
class VariantArray {
  public:
    VariantArray() = default;
    VariantArray(int lower0, int count0);
    VariantArray(int lower0, int count0, int lower1, int count1);

    int Dimensions() const { return dimensions_; }
    int LowerBound(int dimension = 1) const;  // 1-based dimension as in LBound(a, n)
    int UpperBound(int dimension = 1) const;
    // Error 9 (subscript out of range) outside the bounds or with the wrong dimension count.
    const Variant& At(int i) const;
    Variant& At(int i);
    const Variant& At(int i, int j) const;
    Variant& At(int i, int j);
    std::size_t Size() const;  // defined below Variant: clang needs the element type complete

    // Same dimensions, bounds and elements.
    friend bool operator==(const VariantArray& a, const VariantArray& b);

  private:
    int dimensions_ = 1;
    int lower_[2] = {0, 0};
    int count_[2] = {0, 0};
    std::vector<Variant> elements_;
    std::size_t Index(int i) const;
    std::size_t Index(int i, int j) const;
};

class Variant {
  public:
    Variant() = default;  // Empty
    Variant(bool value) : value_(value) {}
    Variant(int32_t value) : value_(value) {}  // Long
    Variant(double value) : value_(value) {}
    Variant(Date value) : value_(value) {}
    Variant(std::string value) : value_(std::move(value)) {}
    Variant(std::string_view value) : value_(std::string(value)) {}
    Variant(const char* value) : value_(std::string(value)) {}
    Variant(VariantArray value) : value_(std::make_shared<VariantArray>(std::move(value))) {}
    Variant(std::shared_ptr<ComObject> value) : value_(std::move(value)) {}

    // Arrays are values: a copy owns its own elements (nested arrays too). Objects stay shared.
    // A moved-from Variant is Empty.
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant() = default;

    static Variant Null();
    static Variant Missing();
    static Variant Integer(int16_t value);
    static Variant Currency(int64_t scaledBy10000);
    static Variant FromCurrencyValue(double value);  // rounds to 4 decimals

    VariantKind Kind() const;
    bool IsEmpty() const { return Kind() == VariantKind::Empty; }
    bool IsNull() const { return Kind() == VariantKind::Null; }
    bool IsMissing() const { return Kind() == VariantKind::Missing; }
    bool IsArray() const { return Kind() == VariantKind::Array; }
    bool IsObject() const { return Kind() == VariantKind::Object; }
    bool IsString() const { return Kind() == VariantKind::String; }
    bool IsNumeric() const;  // numbers, booleans and text that reads as a number (IsNumeric)
    bool IsDate() const;     // a Date, or text that reads as a date (IsDate)

    // Conversions (CStr, CInt, CLng, CDbl, CBool, CDate, CCur). Throw ComError as the classic
    // runtime does: 94 for Null, 13 for text that does not convert and for Missing, arrays and
    // objects, 6 for overflow. Empty is 0, "", False and the zero date.
    std::string ToString() const;
    int16_t ToInteger() const;
    int32_t ToLong() const;
    double ToDouble() const;
    bool ToBoolean() const;
    Date ToDate() const;
    int64_t ToCurrencyScaled() const;

    // Accessors of the stored alternative; Error 13 on the wrong kind.
    const VariantArray& AsArray() const;
    VariantArray& AsArray();
    const std::shared_ptr<ComObject>& AsObject() const;
    template <typename T>
    std::shared_ptr<T> AsObjectOf() const {
        return std::dynamic_pointer_cast<T>(AsObject());
    }

    // Text for display: "" for Null, Empty and Missing; Type mismatch for arrays and objects.
    std::string DisplayText() const;

    // Equality of kind and value (Null equals Null); used by tests and persistence.
    friend bool operator==(const Variant& a, const Variant& b);

  private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    struct MissingTag {
        friend bool operator==(MissingTag, MissingTag) { return true; }
    };
    struct IntegerValue {
        int16_t value;
        friend bool operator==(IntegerValue, IntegerValue) = default;
    };
    struct CurrencyValue {
        int64_t scaled;
        friend bool operator==(CurrencyValue, CurrencyValue) = default;
    };
    using Storage = std::variant<std::monostate, NullTag, MissingTag, bool, IntegerValue, int32_t,
                                 double, CurrencyValue, Date, std::string,
                                 std::shared_ptr<VariantArray>, std::shared_ptr<ComObject>>;
    Storage value_;

    explicit Variant(Storage storage) : value_(std::move(storage)) {}
};

inline std::size_t VariantArray::Size() const {
    return elements_.size();
}

// Half-to-even rounding of the classic CInt/CLng.
double RoundHalfEven(double value);

// The number a text reads as, the way the classic conversions read it: blanks around, a sign, a
// leading "$", thousands separators before the decimal point, an exponent, or parentheses for a
// negative amount. No value when the text is no number; an infinite value when it overflows.
std::optional<double> ParseNumericText(std::string_view text);

// The classic CStr of a Double: up to 15 significant digits, no trailing zeros, exponent form
// for very small and very large values ("0.1", "1E+20", "1.5E-05").
std::string FormatClassicDouble(double value);

}  // namespace hlreports
