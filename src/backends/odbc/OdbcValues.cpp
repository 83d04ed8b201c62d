// Values across the ODBC boundary (see OdbcValues.h).
#include "backends/odbc/OdbcValues.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <type_traits>

#include "backends/BackendSqlText.h"
#include "backends/DatabaseError.h"
#include "backends/odbc/OdbcText.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"
#include "runtime/Date.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

constexpr std::size_t kDecimalTextBytes = 80;
constexpr int32_t kDefaultOutputCharacters = 4000;

[[noreturn]] void Refuse(std::string_view place, const std::string& problem) {
    RaiseDatabaseError(place.empty() ? problem : std::string(place) + ": " + problem);
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

Variant IntegerVariant(int64_t value, int32_t adoType) {
    switch (adoType) {
        case adSmallInt:
        case adUnsignedTinyInt:
        case adTinyInt:
            if (value >= std::numeric_limits<int16_t>::min() &&
                value <= std::numeric_limits<int16_t>::max()) {
                return Variant::Integer(static_cast<int16_t>(value));
            }
            break;
        case adBoolean:
            return Variant(value != 0);
        default:
            break;
    }
    if (value >= std::numeric_limits<int32_t>::min() &&
        value <= std::numeric_limits<int32_t>::max()) {
        return Variant(static_cast<int32_t>(value));
    }
    return Variant(static_cast<double>(value));
}

// "-123.45678" to money scaled by 10,000, rounding half away from zero past the fourth decimal.
std::optional<int64_t> ParseCurrencyText(std::string_view text) {
    bool negative = !text.empty() && text.front() == '-';
    if (negative || (!text.empty() && text.front() == '+')) {
        text.remove_prefix(1);
    }
    int64_t scaled = 0;
    int fractionDigits = -1;
    bool roundUp = false;
    bool anyDigit = false;
    for (char c : text) {
        if (c == '.' && fractionDigits < 0) {
            fractionDigits = 0;
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        anyDigit = true;
        if (fractionDigits >= 4) {
            roundUp = roundUp || (fractionDigits == 4 && c >= '5');
            ++fractionDigits;
            continue;
        }
        if (scaled > (std::numeric_limits<int64_t>::max() - 9) / 10) {
            return std::nullopt;
        }
        scaled = scaled * 10 + (c - '0');
        if (fractionDigits >= 0) {
            ++fractionDigits;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    for (int i = std::max(fractionDigits, 0); i < 4; ++i) {
        if (scaled > std::numeric_limits<int64_t>::max() / 10) {
            return std::nullopt;
        }
        scaled *= 10;
    }
    scaled += roundUp ? 1 : 0;
    return negative ? -scaled : scaled;
}

}  // namespace

int64_t CurrencyOfText(std::string_view text, std::string_view place) {
    if (std::optional<int64_t> scaled = ParseCurrencyText(text)) {
        return *scaled;
    }
    Refuse(place, Quoted(std::string(text)) + " is out of range for money");
}

Decimal DecimalOfText(std::string_view text, std::string_view place) {
    // Every digit the server sent; never through a double.
    if (std::optional<Decimal> decimal = Decimal::Parse(text)) {
        return *decimal;
    }
    Refuse(place, Quoted(std::string(text)) + " has more digits than a decimal holds (" +
                      std::to_string(Decimal::MaxPrecision) + ")");
}

namespace {

Variant DecimalVariant(const std::string& text, int32_t adoType, std::string_view place) {
    if (adoType == adCurrency) {
        return Variant::Currency(CurrencyOfText(text, place));
    }
    if (adoType == adNumeric || adoType == adDecimal || adoType == adVarNumeric) {
        return Variant(DecimalOfText(text, place));
    }
    double number = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        Refuse(place, Quoted(text) + " is not a number");
    }
    return Variant(number);
}

Date DateOfParts(int year, int month, int day, int hour, int minute, double second) {
    return Date::FromYmdHms(year, month, day, hour, minute, second);
}

}  // namespace

std::string CurrencyText(int64_t scaledBy10000) {
    bool negative = scaledBy10000 < 0;
    uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(scaledBy10000) : static_cast<uint64_t>(scaledBy10000);
    std::string text = std::to_string(magnitude / 10000);
    uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + 10000).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        text += "." + digits;
    }
    return negative ? "-" + text : text;
}

namespace {

std::optional<Date> DateOfVariant(const Variant& value) {
    if (value.Kind() == VariantKind::Date) {
        return value.ToDate();
    }
    if (value.Kind() == VariantKind::String) {
        return Date::Parse(value.ToString());
    }
    return std::nullopt;
}

template <typename T>
void Store(std::vector<unsigned char>& buffer, const T& value) {
    buffer.resize(sizeof(T));
    std::memcpy(buffer.data(), &value, sizeof(T));
}

template <typename T>
T Load(const std::vector<unsigned char>& buffer) {
    T value{};
    std::memcpy(&value, buffer.data(), sizeof(T));
    return value;
}

}  // namespace

OdbcParameter::OdbcParameter(int32_t adoType, int32_t size, int32_t direction, const Variant& value,
                             std::string place)
    : adoType_(adoType),
      kind_(ValueKindOf(adoType)),
      direction_(direction),
      place_(std::move(place)) {
    bool hasInput = (direction == adParamInput || direction == adParamInputOutput) &&
                    !value.IsNull() && !value.IsEmpty() && !value.IsMissing();
    if (value.IsArray() || value.IsObject()) {
        Refuse(place_, "an array or object cannot be a parameter value");
    }
    if (hasInput && size > 0 && (kind_ == OdbcValueKind::Text || kind_ == OdbcValueKind::Binary)) {
        std::size_t characters = 0;
        for (unsigned char c : value.ToString()) {
            characters += (c & 0xC0) != 0x80 ? 1 : 0;
        }
        if (characters > static_cast<std::size_t>(size)) {
            Refuse(place_, "the value has " + std::to_string(characters) +
                               " characters, more than the parameter's size of " +
                               std::to_string(size));
        }
    }
    textual_ = direction != adParamInput;
    if (textual_) {
        PrepareTextual(value, hasInput, size);
    } else {
        PrepareInput(value, hasInput);
    }
}

std::optional<double> OdbcParameter::NumberInput(const Variant& value, bool hasInput) const {
    if (!hasInput || kind_ == OdbcValueKind::Text || kind_ == OdbcValueKind::Binary ||
        kind_ == OdbcValueKind::Date || kind_ == OdbcValueKind::DateTime ||
        kind_ == OdbcValueKind::Time) {
        return std::nullopt;
    }
    std::optional<double> number = NumberOfVariant(value);
    if (!number || !std::isfinite(*number)) {
        Refuse(place_, Quoted(value.DisplayText()) + " is not a number");
    }
    return number;
}

Date OdbcParameter::DateInput(const Variant& value) const {
    std::optional<Date> date = DateOfVariant(value);
    if (!date) {
        Refuse(place_, Quoted(value.DisplayText()) + " is not a date");
    }
    return *date;
}

// The exact digits of a decimal input: currency and decimals as they are, text digit for
// digit, a double through its shortest text.
std::string OdbcParameter::DecimalInput(const Variant& value, double number) const {
    if (value.Kind() == VariantKind::Currency) {
        return CurrencyText(value.ToCurrencyScaled());
    }
    try {
        return value.ToDecimal().ToString();
    } catch (const ComError&) {
        Refuse(place_, Quoted(NumberLiteral(number)) + " is out of range for a decimal");
    }
}

void OdbcParameter::PrepareTextual(const Variant& value, bool hasInput, int32_t size) {
    std::optional<double> number = NumberInput(value, hasInput);
    std::string text;
    std::size_t capacity = kDecimalTextBytes;
    columnSize_ = 38;
    switch (kind_) {
        case OdbcValueKind::Text:
        case OdbcValueKind::Binary:
            text = hasInput ? value.ToString() : "";
            // Up to four bytes a character in UTF-8.
            capacity = static_cast<std::size_t>(size > 0 ? size : kDefaultOutputCharacters) * 4;
            columnSize_ = static_cast<SQLULEN>(size > 0 ? size : kDefaultOutputCharacters);
            break;
        case OdbcValueKind::Integer:
            if (number) {
                text = std::to_string(static_cast<long long>(std::nearbyint(*number)));
            }
            break;
        case OdbcValueKind::Bit:
            text = number ? (*number != 0.0 ? "1" : "0") : "";
            break;
        case OdbcValueKind::Real:
            text = number ? NumberLiteral(*number) : "";
            break;
        case OdbcValueKind::Decimal:
            if (number) {
                text = DecimalInput(value, *number);
            }
            digits_ = adoType_ == adCurrency ? 4 : 10;
            break;
        case OdbcValueKind::Date:
            text = hasInput ? DateInput(value).ToIsoDate() : "";
            columnSize_ = 10;
            break;
        case OdbcValueKind::DateTime:
        case OdbcValueKind::Time:
            text = hasInput ? ReplaceAll(DateInput(value).ToIsoDateTime(), "T", " ") : "";
            columnSize_ = 19;
            break;
    }
    capacity = std::max(capacity, text.size());
    buffer_.assign(capacity + 1, 0);
    std::memcpy(buffer_.data(), text.data(), text.size());
    indicator_ = hasInput ? static_cast<SQLLEN>(text.size()) : SQL_NULL_DATA;
}

Variant OdbcParameter::TextualOutput() const {
    const char* data = reinterpret_cast<const char*>(buffer_.data());
    std::size_t length =
        indicator_ == SQL_NO_TOTAL || static_cast<std::size_t>(indicator_) >= buffer_.size()
            ? strnlen(data, buffer_.size())
            : static_cast<std::size_t>(indicator_);
    std::string text(data, length);
    switch (kind_) {
        case OdbcValueKind::Text:
        case OdbcValueKind::Binary:
            return Variant(text);
        case OdbcValueKind::Integer:
        case OdbcValueKind::Bit: {
            long long integer = 0;
            auto result = std::from_chars(text.data(), text.data() + text.size(), integer);
            if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
                Refuse(place_, Quoted(text) + " is not a whole number");
            }
            return IntegerVariant(integer, adoType_);
        }
        case OdbcValueKind::Real:
        case OdbcValueKind::Decimal:
            return DecimalVariant(text, adoType_, place_);
        case OdbcValueKind::Date:
        case OdbcValueKind::DateTime:
        case OdbcValueKind::Time: {
            std::optional<Date> date = Date::Parse(text);
            if (!date) {
                Refuse(place_, Quoted(text) + " is not a date");
            }
            return Variant(*date);
        }
    }
    return Variant(text);
}

void OdbcParameter::PrepareInput(const Variant& value, bool hasInput) {
    std::optional<double> number = NumberInput(value, hasInput);
    switch (kind_) {
        case OdbcValueKind::Text:
        case OdbcValueKind::Binary: {
            OdbcWideText text = hasInput ? ToOdbcWide(value.ToString()) : OdbcWideText();
            std::size_t capacity = text.size();
            buffer_.assign((capacity + 1) * sizeof(SQLWCHAR), 0);
            std::memcpy(buffer_.data(), text.data(), text.size() * sizeof(SQLWCHAR));
            columnSize_ = std::max<std::size_t>(capacity, 1);
            if (hasInput) {
                indicator_ = static_cast<SQLLEN>(text.size() * sizeof(SQLWCHAR));
            }
            break;
        }
        case OdbcValueKind::Integer:
        case OdbcValueKind::Bit: {
            SQLBIGINT integer = 0;
            if (number) {
                double rounded = std::nearbyint(*number);
                if (kind_ == OdbcValueKind::Bit) {
                    rounded = *number != 0.0 ? 1 : 0;
                } else if (std::fabs(rounded) > 9.2e18) {
                    Refuse(place_, NumberLiteral(*number) + " is out of range");
                }
                integer = static_cast<SQLBIGINT>(rounded);
                indicator_ = sizeof integer;
            }
            Store(buffer_, integer);
            break;
        }
        case OdbcValueKind::Real:
            Store(buffer_, number.value_or(0.0));
            indicator_ = number ? static_cast<SQLLEN>(sizeof(double)) : SQL_NULL_DATA;
            break;
        case OdbcValueKind::Decimal: {
            std::string text;
            if (hasInput) {
                text = DecimalInput(value, *number);
                indicator_ = static_cast<SQLLEN>(text.size());
            }
            std::size_t point = text.find('.');
            digits_ =
                point == std::string::npos ? 0 : static_cast<SQLSMALLINT>(text.size() - point - 1);
            if (adoType_ == adCurrency) {
                digits_ = 4;
            }
            columnSize_ = 38;
            buffer_.assign(kDecimalTextBytes, 0);
            std::memcpy(buffer_.data(), text.data(), text.size());
            break;
        }
        case OdbcValueKind::Date:
        case OdbcValueKind::DateTime:
        case OdbcValueKind::Time: {
            std::optional<Date> date;
            if (hasInput) {
                date = DateInput(value);
            }
            Date when = date.value_or(Date());
            if (kind_ == OdbcValueKind::Date) {
                SQL_DATE_STRUCT parts{static_cast<SQLSMALLINT>(when.Year()),
                                      static_cast<SQLUSMALLINT>(when.Month()),
                                      static_cast<SQLUSMALLINT>(when.Day())};
                Store(buffer_, parts);
                columnSize_ = 10;
            } else {
                SQL_TIMESTAMP_STRUCT parts{};
                parts.year = static_cast<SQLSMALLINT>(when.Year());
                parts.month = static_cast<SQLUSMALLINT>(when.Month());
                parts.day = static_cast<SQLUSMALLINT>(when.Day());
                parts.hour = static_cast<SQLUSMALLINT>(when.Hour());
                parts.minute = static_cast<SQLUSMALLINT>(when.Minute());
                parts.second = static_cast<SQLUSMALLINT>(when.Second());
                Store(buffer_, parts);
                columnSize_ = 19;
            }
            if (date) {
                indicator_ = static_cast<SQLLEN>(buffer_.size());
            }
            break;
        }
    }
}

void OdbcParameter::Bind(const OdbcHandle& statement, SQLUSMALLINT position) {
    SQLSMALLINT ioType = direction_ == adParamInput         ? SQL_PARAM_INPUT
                         : direction_ == adParamInputOutput ? SQL_PARAM_INPUT_OUTPUT
                                                            : SQL_PARAM_OUTPUT;
    SQLSMALLINT cType = SQL_C_WCHAR;
    SQLSMALLINT sqlType = SqlTypeOfAdo(adoType_);
    switch (textual_ ? OdbcValueKind::Decimal : kind_) {
        case OdbcValueKind::Text:
        case OdbcValueKind::Binary:
            cType = SQL_C_WCHAR;
            break;
        case OdbcValueKind::Integer:
        case OdbcValueKind::Bit:
            cType = SQL_C_SBIGINT;
            break;
        case OdbcValueKind::Real:
            cType = SQL_C_DOUBLE;
            break;
        case OdbcValueKind::Decimal:
            cType = SQL_C_CHAR;
            break;
        case OdbcValueKind::Date:
            cType = SQL_C_TYPE_DATE;
            break;
        case OdbcValueKind::DateTime:
        case OdbcValueKind::Time:
            cType = SQL_C_TYPE_TIMESTAMP;
            break;
    }
    if (kind_ == OdbcValueKind::Time) {
        sqlType = SQL_TYPE_TIMESTAMP;
    }
    if (kind_ == OdbcValueKind::Binary) {
        sqlType = SQL_WVARCHAR;
    }
    SQLRETURN rc =
        SQLBindParameter(statement.Get(), position, ioType, cType, sqlType, columnSize_, digits_,
                         buffer_.data(), static_cast<SQLLEN>(buffer_.size()), &indicator_);
    CheckOdbc(rc, statement, place_);
}

Variant OdbcParameter::Output() const {
    if (indicator_ == SQL_NULL_DATA) {
        return Variant::Null();
    }
    if (textual_) {
        return TextualOutput();
    }
    switch (kind_) {
        case OdbcValueKind::Text:
        case OdbcValueKind::Binary: {
            std::size_t units = std::min<std::size_t>(indicator_ == SQL_NO_TOTAL
                                                          ? buffer_.size()
                                                          : static_cast<std::size_t>(indicator_),
                                                      buffer_.size() - sizeof(SQLWCHAR)) /
                                sizeof(SQLWCHAR);
            return Variant(FromOdbcWide(reinterpret_cast<const SQLWCHAR*>(buffer_.data()), units));
        }
        case OdbcValueKind::Integer:
        case OdbcValueKind::Bit:
            return IntegerVariant(Load<SQLBIGINT>(buffer_), adoType_);
        case OdbcValueKind::Real:
            return Variant(Load<double>(buffer_));
        case OdbcValueKind::Decimal:
            return DecimalVariant(
                std::string(reinterpret_cast<const char*>(buffer_.data()),
                            strnlen(reinterpret_cast<const char*>(buffer_.data()), buffer_.size())),
                adoType_, place_);
        case OdbcValueKind::Date: {
            auto parts = Load<SQL_DATE_STRUCT>(buffer_);
            return Variant(Date::FromYmd(parts.year, parts.month, parts.day));
        }
        case OdbcValueKind::DateTime:
        case OdbcValueKind::Time: {
            auto parts = Load<SQL_TIMESTAMP_STRUCT>(buffer_);
            return Variant(DateOfParts(parts.year, parts.month, parts.day, parts.hour, parts.minute,
                                       parts.second));
        }
    }
    return Variant::Null();
}

}  // namespace hlreports
