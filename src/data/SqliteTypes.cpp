// Type mapping and value conversion of the embedded backend (see SqliteTypes.h).
#include "data/SqliteTypes.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "data/AdoTypes.h"
#include "data/BackendSqlText.h"
#include "data/SqliteHandles.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

struct TypeName {
    std::string_view name;
    SqlTypeKind kind;
};

constexpr TypeName kTypeNames[] = {
    {"varchar", SqlTypeKind::VarText},
    {"nvarchar", SqlTypeKind::VarText},
    {"character varying", SqlTypeKind::VarText},
    {"varying character", SqlTypeKind::VarText},
    {"char", SqlTypeKind::FixedText},
    {"nchar", SqlTypeKind::FixedText},
    {"character", SqlTypeKind::FixedText},
    {"native character", SqlTypeKind::FixedText},
    {"text", SqlTypeKind::LongText},
    {"ntext", SqlTypeKind::LongText},
    {"clob", SqlTypeKind::LongText},
    {"int", SqlTypeKind::Integer},
    {"integer", SqlTypeKind::Integer},
    {"mediumint", SqlTypeKind::Integer},
    {"smallint", SqlTypeKind::SmallInt},
    {"tinyint", SqlTypeKind::TinyInt},
    {"bigint", SqlTypeKind::BigInt},
    {"unsigned big int", SqlTypeKind::BigInt},
    {"bit", SqlTypeKind::Bit},
    {"boolean", SqlTypeKind::Bit},
    {"bool", SqlTypeKind::Bit},
    {"float", SqlTypeKind::Real},
    {"double", SqlTypeKind::Real},
    {"double precision", SqlTypeKind::Real},
    {"real", SqlTypeKind::Real},
    {"money", SqlTypeKind::Money},
    {"smallmoney", SqlTypeKind::Money},
    {"decimal", SqlTypeKind::Decimal},
    {"numeric", SqlTypeKind::Decimal},
    {"date", SqlTypeKind::Date},
    {"datetime", SqlTypeKind::DateTime},
    {"smalldatetime", SqlTypeKind::DateTime},
    {"datetime2", SqlTypeKind::DateTime},
    {"timestamp", SqlTypeKind::DateTime},
};

std::string_view KindName(SqlTypeKind kind) {
    for (const auto& entry : kTypeNames) {
        if (entry.kind == kind) {
            return entry.name;
        }
    }
    return "value";
}

std::string CollapseBlanks(std::string_view text) {
    std::string out;
    for (const std::string& word : Split(Trim(text), " ")) {
        if (word.empty()) {
            continue;
        }
        if (!out.empty()) {
            out += ' ';
        }
        out += word;
    }
    return out;
}

[[noreturn]] void Refuse(std::string_view place, std::string_view problem) {
    RaiseDatabaseError(place.empty() ? std::string(problem)
                                     : std::string(place) + ": " + std::string(problem));
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

}  // namespace

std::string StoredText(const SqlValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* integer = std::get_if<int64_t>(&value)) {
        return std::to_string(*integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return NumberLiteral(*real);
    }
    return "";
}

namespace {

// The first `limit` characters (not bytes) of UTF-8 text; 0 keeps everything.
std::string CutCharacters(std::string text, int limit) {
    if (limit <= 0) {
        return text;
    }
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > limit) {
            text.resize(i);
            break;
        }
    }
    return text;
}

std::optional<double> NumberOfVariant(const Variant& value) {
    switch (value.Kind()) {
        case VariantKind::Boolean:
        case VariantKind::Integer:
        case VariantKind::Long:
        case VariantKind::Double:
        case VariantKind::Currency:
            return value.ToDouble();
        case VariantKind::String:
            return ParseNumericText(value.ToString());
        default:
            return std::nullopt;
    }
}

std::optional<double> NumberOfValue(const SqlValue& value) {
    if (const auto* integer = std::get_if<int64_t>(&value)) {
        return static_cast<double>(*integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return *real;
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return ParseNumericText(*text);
    }
    return std::nullopt;
}

struct IntegerRange {
    double low;
    double high;
};

IntegerRange RangeOf(SqlTypeKind kind) {
    switch (kind) {
        case SqlTypeKind::SmallInt:
            return {-32768.0, 32767.0};
        case SqlTypeKind::TinyInt:
            return {0.0, 255.0};
        case SqlTypeKind::BigInt:
            return {-9223372036854775808.0, 9223372036854774784.0};
        default:
            return {-2147483648.0, 2147483647.0};
    }
}

int64_t CheckedInteger(double number, SqlTypeKind kind, std::string_view place) {
    double rounded = RoundHalfEven(number);
    IntegerRange range = RangeOf(kind);
    if (!std::isfinite(rounded) || rounded < range.low || rounded > range.high) {
        Refuse(place,
               NumberLiteral(number) + " is out of range for " + std::string(KindName(kind)));
    }
    return static_cast<int64_t>(rounded);
}

double RoundTo(double value, int decimals) {
    double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

int32_t AdoTypeOf(const SqlType& type) {
    switch (type.kind) {
        case SqlTypeKind::VarText:
            return type.size > 0 ? adVarChar : adLongVarChar;
        case SqlTypeKind::FixedText:
            return adChar;
        case SqlTypeKind::LongText:
            return adLongVarChar;
        case SqlTypeKind::Integer:
            return adInteger;
        case SqlTypeKind::SmallInt:
            return adSmallInt;
        case SqlTypeKind::TinyInt:
            return adUnsignedTinyInt;
        case SqlTypeKind::BigInt:
            return adBigInt;
        case SqlTypeKind::Bit:
            return adBoolean;
        case SqlTypeKind::Real:
            return adDouble;
        case SqlTypeKind::Money:
            return adCurrency;
        case SqlTypeKind::Decimal:
            return adNumeric;
        case SqlTypeKind::Date:
            return adDBDate;
        case SqlTypeKind::DateTime:
            return adDBTimeStamp;
    }
    return adVarChar;
}

// The declared type that a recordset field writes back as.
std::optional<SqlType> SqlTypeOfField(const FieldInfo& field) {
    switch (field.type) {
        case adVarChar:
        case adVarWChar:
        case adChar:
        case adWChar:
        case adLongVarChar:
        case adLongVarWChar:
        case adBSTR:
            return SqlType{SqlTypeKind::LongText};
        case adInteger:
            return SqlType{SqlTypeKind::Integer};
        case adSmallInt:
            return SqlType{SqlTypeKind::SmallInt};
        case adUnsignedTinyInt:
            return SqlType{SqlTypeKind::TinyInt};
        case adBigInt:
            return SqlType{SqlTypeKind::BigInt};
        case adBoolean:
            return SqlType{SqlTypeKind::Bit};
        case adDouble:
        case adSingle:
            return SqlType{SqlTypeKind::Real};
        case adCurrency:
            return SqlType{SqlTypeKind::Money};
        case adNumeric:
        case adDecimal:
            return SqlType{SqlTypeKind::Decimal, 0, field.precision, field.scale};
        case adDBDate:
            return SqlType{SqlTypeKind::Date};
        case adDBTimeStamp:
        case adDate:
            return SqlType{SqlTypeKind::DateTime};
        default:
            return std::nullopt;
    }
}

Date DateOfVariant(const Variant& value, std::string_view place) {
    if (value.Kind() == VariantKind::Date) {
        return value.ToDate();
    }
    if (value.Kind() == VariantKind::String) {
        if (auto date = ParseStoredDate(value.ToString())) {
            return *date;
        }
    }
    Refuse(place, Quoted(value.DisplayText()) + " is not a date");
}

bool ReadDigits(std::string_view text, std::size_t& pos, std::size_t count, int& out) {
    if (pos + count > text.size()) {
        return false;
    }
    auto result = std::from_chars(text.data() + pos, text.data() + pos + count, out);
    if (result.ec != std::errc() || result.ptr != text.data() + pos + count) {
        return false;
    }
    pos += count;
    return true;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) {
        return false;
    }
    ++pos;
    return true;
}

// The ISO forms this backend writes; faster and stricter than the general reader.
std::optional<Date> ParseIsoDate(std::string_view text) {
    std::size_t pos = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double second = 0.0;
    if (!ReadDigits(text, pos, 4, year) || !Expect(text, pos, '-') ||
        !ReadDigits(text, pos, 2, month) || !Expect(text, pos, '-') ||
        !ReadDigits(text, pos, 2, day)) {
        return std::nullopt;
    }
    if (pos < text.size()) {
        if (text[pos] != ' ' && text[pos] != 'T') {
            return std::nullopt;
        }
        ++pos;
        if (!ReadDigits(text, pos, 2, hour) || !Expect(text, pos, ':') ||
            !ReadDigits(text, pos, 2, minute)) {
            return std::nullopt;
        }
        if (Expect(text, pos, ':')) {
            auto result = std::from_chars(text.data() + pos, text.data() + text.size(), second);
            if (result.ec != std::errc()) {
                return std::nullopt;
            }
            pos = static_cast<std::size_t>(result.ptr - text.data());
        }
        if (pos != text.size()) {
            return std::nullopt;
        }
    }
    try {
        return Date::FromYmdHms(year, month, day, hour, minute, second);
    } catch (const ComError&) {
        return std::nullopt;
    }
}

Variant IntegerVariant(int64_t value) {
    if (value >= std::numeric_limits<int32_t>::min() &&
        value <= std::numeric_limits<int32_t>::max()) {
        return Variant(static_cast<int32_t>(value));
    }
    return Variant(static_cast<double>(value));
}

int64_t FieldInteger(const SqlValue& value, SqlTypeKind kind, std::string_view place) {
    if (const auto* integer = std::get_if<int64_t>(&value)) {
        return CheckedInteger(static_cast<double>(*integer), kind, place);
    }
    std::optional<double> number = NumberOfValue(value);
    if (!number) {
        Refuse(place, Quoted(StoredText(value)) + " is not a number");
    }
    return CheckedInteger(*number, kind, place);
}

double FieldDouble(const SqlValue& value, std::string_view place) {
    std::optional<double> number = NumberOfValue(value);
    if (!number) {
        Refuse(place, Quoted(StoredText(value)) + " is not a number");
    }
    return *number;
}

}  // namespace

std::optional<SqlType> ParseSqlType(std::string_view declared) {
    std::string text = ToLowerAscii(Trim(declared));
    std::size_t open = text.find('(');
    std::string name = CollapseBlanks(std::string_view(text).substr(0, open));
    std::vector<std::string> arguments;
    if (open != std::string::npos) {
        std::size_t close = text.find(')', open);
        if (close == std::string::npos || !Trim(std::string_view(text).substr(close + 1)).empty()) {
            return std::nullopt;
        }
        arguments = Split(std::string_view(text).substr(open + 1, close - open - 1), ",");
    }
    std::vector<int> numbers;
    for (const std::string& argument : arguments) {
        std::string trimmed = Trim(argument);
        if (trimmed == "max") {
            numbers.push_back(0);
            continue;
        }
        int number = 0;
        auto result = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), number);
        if (result.ec != std::errc() || result.ptr != trimmed.data() + trimmed.size() ||
            number < 0) {
            return std::nullopt;
        }
        numbers.push_back(number);
    }
    for (const auto& entry : kTypeNames) {
        if (entry.name != name) {
            continue;
        }
        SqlType type{entry.kind};
        switch (entry.kind) {
            case SqlTypeKind::VarText:
                type.size = numbers.empty() ? 0 : numbers[0];
                break;
            case SqlTypeKind::FixedText:
                type.size = numbers.empty() ? 1 : numbers[0];
                break;
            case SqlTypeKind::Decimal:
                type.precision = numbers.empty() ? 18 : numbers[0];
                type.scale = numbers.size() < 2 ? 0 : numbers[1];
                break;
            default:
                break;
        }
        return type;
    }
    return std::nullopt;
}

SqlValue ReadColumnValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            return static_cast<int64_t>(sqlite3_column_int64(statement, column));
        case SQLITE_FLOAT:
            return sqlite3_column_double(statement, column);
        case SQLITE_TEXT: {
            const auto* text =
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
            return std::string(text,
                               static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
        }
        case SQLITE_NULL:
            return std::monostate{};
        default:
            RaiseDatabaseError(std::string("column ") + sqlite3_column_name(statement, column) +
                               " holds binary data, which reports cannot read");
    }
}

void BindValue(sqlite3* db, sqlite3_stmt* statement, int index, const SqlValue& value) {
    int rc = SQLITE_OK;
    if (const auto* integer = std::get_if<int64_t>(&value)) {
        rc = sqlite3_bind_int64(statement, index, *integer);
    } else if (const auto* real = std::get_if<double>(&value)) {
        rc = sqlite3_bind_double(statement, index, *real);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        rc = sqlite3_bind_text64(statement, index, text->data(), text->size(), SQLITE_TRANSIENT,
                                 SQLITE_UTF8);
    } else {
        rc = sqlite3_bind_null(statement, index);
    }
    if (rc != SQLITE_OK) {
        RaiseDatabaseError(db, "binding a parameter");
    }
}

SqlValue ToParameterValue(const Variant& value, const SqlType& type, std::string_view place) {
    if (value.IsNull() || value.IsEmpty() || value.IsMissing()) {
        return std::monostate{};
    }
    if (value.IsArray() || value.IsObject()) {
        Refuse(place, "an array or object cannot be a parameter value");
    }
    switch (type.kind) {
        case SqlTypeKind::VarText:
        case SqlTypeKind::FixedText:
        case SqlTypeKind::LongText:
            return CutCharacters(value.ToString(), type.size);
        case SqlTypeKind::Date:
            return IsoDateText(DateOfVariant(value, place));
        case SqlTypeKind::DateTime:
            return IsoDateTimeText(DateOfVariant(value, place));
        default:
            break;
    }
    std::optional<double> number = NumberOfVariant(value);
    if (!number) {
        Refuse(place, Quoted(value.DisplayText()) + " is not a number");
    }
    switch (type.kind) {
        case SqlTypeKind::Bit:
            return static_cast<int64_t>(*number != 0.0 ? 1 : 0);
        case SqlTypeKind::Real:
            return *number;
        case SqlTypeKind::Money:
            return RoundTo(*number, 4);
        case SqlTypeKind::Decimal:
            return RoundTo(*number, type.scale);
        default:
            return CheckedInteger(*number, type.kind, place);
    }
}

Variant ParameterValueToVariant(const SqlValue& value, const SqlType& type) {
    return FieldValue(value, AdoTypeOf(type), "output parameter");
}

Variant PlainVariant(const SqlValue& value) {
    if (const auto* integer = std::get_if<int64_t>(&value)) {
        return IntegerVariant(*integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return Variant(*real);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return Variant(*text);
    }
    return Variant::Null();
}

FieldInfo DescribeColumn(std::string name, const std::optional<SqlType>& declared,
                         const SqlValue& sample, int longestText) {
    FieldInfo field;
    field.name = std::move(name);
    SqlType type;
    if (declared) {
        type = *declared;
    } else if (const auto* integer = std::get_if<int64_t>(&sample)) {
        bool fitsLong = *integer >= std::numeric_limits<int32_t>::min() &&
                        *integer <= std::numeric_limits<int32_t>::max();
        type.kind = fitsLong ? SqlTypeKind::Integer : SqlTypeKind::BigInt;
    } else if (std::holds_alternative<double>(sample)) {
        type.kind = SqlTypeKind::Real;
    } else {
        // Text, or NULL in every row: a variable text as wide as its longest value.
        type.kind = SqlTypeKind::VarText;
        type.size = std::max(longestText, 1);
    }
    field.type = AdoTypeOf(type);
    uint32_t fixed = adFldFixed;
    switch (type.kind) {
        case SqlTypeKind::VarText:
            field.definedSize = type.size > 0 ? type.size : std::numeric_limits<int32_t>::max();
            fixed = type.size > 0 ? 0 : adFldLong | adFldMayDefer;
            break;
        case SqlTypeKind::FixedText:
            field.definedSize = type.size;
            break;
        case SqlTypeKind::LongText:
            field.definedSize = std::numeric_limits<int32_t>::max();
            fixed = adFldLong | adFldMayDefer;
            break;
        case SqlTypeKind::Integer:
            field.definedSize = 4;
            field.precision = 10;
            break;
        case SqlTypeKind::SmallInt:
            field.definedSize = 2;
            field.precision = 5;
            break;
        case SqlTypeKind::TinyInt:
            field.definedSize = 1;
            field.precision = 3;
            break;
        case SqlTypeKind::BigInt:
            field.definedSize = 8;
            field.precision = 19;
            break;
        case SqlTypeKind::Bit:
            field.definedSize = 2;
            break;
        case SqlTypeKind::Real:
            field.definedSize = 8;
            field.precision = 15;
            break;
        case SqlTypeKind::Money:
            field.definedSize = 8;
            field.precision = 19;
            break;
        case SqlTypeKind::Decimal:
            field.definedSize = 19;
            field.precision = type.precision;
            field.scale = type.scale;
            break;
        case SqlTypeKind::Date:
            field.definedSize = 6;
            break;
        case SqlTypeKind::DateTime:
            field.definedSize = 16;
            field.precision = 23;
            field.scale = 3;
            break;
    }
    field.attributes |= fixed;
    return field;
}

Variant FieldValue(const SqlValue& value, int32_t adoType, std::string_view place) {
    if (std::holds_alternative<std::monostate>(value)) {
        return Variant::Null();
    }
    switch (adoType) {
        case adVarChar:
        case adChar:
        case adLongVarChar:
        case adVarWChar:
        case adWChar:
        case adLongVarWChar:
            return Variant(StoredText(value));
        case adInteger:
            return Variant(static_cast<int32_t>(FieldInteger(value, SqlTypeKind::Integer, place)));
        case adSmallInt:
            return Variant::Integer(
                static_cast<int16_t>(FieldInteger(value, SqlTypeKind::SmallInt, place)));
        case adUnsignedTinyInt:
            return Variant::Integer(
                static_cast<int16_t>(FieldInteger(value, SqlTypeKind::TinyInt, place)));
        case adBigInt:
            return IntegerVariant(FieldInteger(value, SqlTypeKind::BigInt, place));
        case adBoolean: {
            if (const auto* text = std::get_if<std::string>(&value)) {
                if (EqualsIgnoreCase(*text, "true")) {
                    return Variant(true);
                }
                if (EqualsIgnoreCase(*text, "false")) {
                    return Variant(false);
                }
            }
            return Variant(FieldDouble(value, place) != 0.0);
        }
        case adDouble:
        case adNumeric:
            return Variant(FieldDouble(value, place));
        case adCurrency:
            return Variant::FromCurrencyValue(FieldDouble(value, place));
        case adDBDate:
        case adDBTimeStamp: {
            const auto* text = std::get_if<std::string>(&value);
            std::optional<Date> date = text ? ParseStoredDate(*text) : std::nullopt;
            if (!date) {
                Refuse(place, Quoted(StoredText(value)) + " is not a date");
            }
            return Variant(*date);
        }
        default:
            return PlainVariant(value);
    }
}

SqlValue ValueForColumn(const Variant& value, const FieldInfo& field, std::string_view place) {
    if (std::optional<SqlType> type = SqlTypeOfField(field)) {
        return ToParameterValue(value, *type, place);
    }
    if (value.IsNull() || value.IsEmpty() || value.IsMissing()) {
        return std::monostate{};
    }
    return std::string(value.ToString());
}

std::optional<Date> ParseStoredDate(std::string_view text) {
    if (auto iso = ParseIsoDate(text)) {
        return iso;
    }
    return Date::Parse(text);
}

std::string IsoDateText(const Date& date) {
    return date.ToIsoDate();
}

std::string IsoDateTimeText(const Date& date) {
    std::string text = date.ToIsoDateTime();
    if (text.size() > 10 && text[10] == 'T') {
        text[10] = ' ';
    }
    return text;
}

int CharacterCount(std::string_view text) {
    int characters = 0;
    for (char c : text) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return characters;
}

}  // namespace hlreports
