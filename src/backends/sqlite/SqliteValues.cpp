// Value conversion of the embedded backend (see SqliteValues.h).
#include "backends/sqlite/SqliteValues.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "backends/BackendSqlText.h"
#include "backends/sqlite/SqliteHandles.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

[[noreturn]] void Refuse(std::string_view place, std::string_view problem) {
    RaiseDatabaseError(place.empty() ? std::string(problem)
                                     : std::string(place) + ": " + std::string(problem));
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

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

std::optional<double> NumberOfCell(const StoredCell& value) {
    switch (value.type) {
        case SQLITE_INTEGER:
            return static_cast<double>(value.integer);
        case SQLITE_FLOAT:
            return value.real;
        case SQLITE_TEXT:
            return ParseNumericText(value.text);
        default:
            return std::nullopt;
    }
}

std::string CellText(const StoredCell& value) {
    switch (value.type) {
        case SQLITE_INTEGER:
            return std::to_string(value.integer);
        case SQLITE_FLOAT:
            return NumberLiteral(value.real);
        default:
            return std::string(value.text);
    }
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
               NumberLiteral(number) + " is out of range for " + std::string(SqlTypeName(kind)));
    }
    return static_cast<int64_t>(rounded);
}

// The exact decimal of a parameter or column value, refused when it is no number.
Decimal DecimalOfVariant(const Variant& value, std::string_view place) {
    if (value.Kind() == VariantKind::Decimal) {
        return value.ToDecimal();
    }
    std::optional<double> number = NumberOfVariant(value);
    if (!number) {
        Refuse(place, Quoted(value.DisplayText()) + " is not a number");
    }
    try {
        // Text and currency convert digit for digit; only a double passes through its
        // shortest text.
        return value.ToDecimal();
    } catch (const ComError&) {
        Refuse(place, Quoted(value.DisplayText()) + " is out of range for a decimal");
    }
}

// A stored decimal value: integers and text exactly, reals through their shortest text.
Decimal DecimalOfStored(const StoredCell& value, std::string_view place) {
    std::optional<Decimal> decimal;
    if (value.type == SQLITE_INTEGER) {
        decimal = Decimal::FromInteger(value.integer);
    } else if (value.type == SQLITE_FLOAT) {
        decimal = Decimal::FromDouble(value.real);
    } else if (value.type == SQLITE_TEXT) {
        decimal = Decimal::Parse(value.text);
        if (!decimal) {
            const std::optional<double> number = ParseNumericText(value.text);
            if (!number) {
                Refuse(place, Quoted(value.text) + " is not a number");
            }
            decimal = Decimal::FromDouble(*number);
        }
    }
    if (!decimal) {
        Refuse(place, Quoted(CellText(value)) + " is out of range for a decimal");
    }
    return *decimal;
}

double RoundTo(double value, int decimals) {
    double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
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

int64_t FieldInteger(const StoredCell& value, SqlTypeKind kind, std::string_view place) {
    std::optional<double> number = NumberOfCell(value);
    if (!number) {
        Refuse(place, Quoted(CellText(value)) + " is not a number");
    }
    return CheckedInteger(*number, kind, place);
}

// A 64-bit integer keeps every digit; other values go through a double as for the narrower
// integer types.
int64_t FieldBigInt(const StoredCell& value, std::string_view place) {
    if (value.type == SQLITE_INTEGER) {
        return value.integer;
    }
    return FieldInteger(value, SqlTypeKind::BigInt, place);
}

double FieldDouble(const StoredCell& value, std::string_view place) {
    std::optional<double> number = NumberOfCell(value);
    if (!number) {
        Refuse(place, Quoted(CellText(value)) + " is not a number");
    }
    return *number;
}

std::optional<bool> BooleanWord(const StoredCell& value) {
    if (value.type == SQLITE_TEXT) {
        if (EqualsIgnoreCase(value.text, "true")) {
            return true;
        }
        if (EqualsIgnoreCase(value.text, "false")) {
            return false;
        }
    }
    return std::nullopt;
}

Date FieldDate(const StoredCell& value, std::string_view place) {
    std::optional<Date> date =
        value.type == SQLITE_TEXT ? ParseStoredDate(value.text) : std::nullopt;
    if (!date) {
        Refuse(place, Quoted(CellText(value)) + " is not a date");
    }
    return *date;
}

}  // namespace

std::string StoredText(const SqlValue& value) {
    return CellText(CellOf(value));
}

StoredCell CellOf(const SqlValue& value) {
    StoredCell cell;
    if (const auto* integer = std::get_if<int64_t>(&value)) {
        cell.type = SQLITE_INTEGER;
        cell.integer = *integer;
    } else if (const auto* real = std::get_if<double>(&value)) {
        cell.type = SQLITE_FLOAT;
        cell.real = *real;
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        cell.type = SQLITE_TEXT;
        cell.text = *text;
    }
    return cell;
}

StoredCell PeekColumnValue(sqlite3_stmt* statement, int column) {
    StoredCell cell;
    cell.type = sqlite3_column_type(statement, column);
    switch (cell.type) {
        case SQLITE_INTEGER:
            cell.integer = sqlite3_column_int64(statement, column);
            return cell;
        case SQLITE_FLOAT:
            cell.real = sqlite3_column_double(statement, column);
            return cell;
        case SQLITE_TEXT: {
            const auto* text =
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
            cell.text = {text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
            return cell;
        }
        case SQLITE_NULL:
            return cell;
        default:
            RaiseDatabaseError(std::string("column ") + sqlite3_column_name(statement, column) +
                               " holds binary data, which reports cannot read");
    }
}

SqlValue ReadColumnValue(sqlite3_stmt* statement, int column) {
    const StoredCell cell = PeekColumnValue(statement, column);
    switch (cell.type) {
        case SQLITE_INTEGER:
            return cell.integer;
        case SQLITE_FLOAT:
            return cell.real;
        case SQLITE_TEXT:
            return std::string(cell.text);
        default:
            return std::monostate{};
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
        case SqlTypeKind::Decimal: {
            // Never rounded to the declared scale: a value that does not fit is refused.
            const Decimal decimal = DecimalOfVariant(value, place);
            const std::optional<Decimal> fitted = decimal.FittedTo(type.precision, type.scale);
            if (!fitted) {
                Refuse(place, Quoted(decimal.Trimmed().ToString()) + " does not fit decimal(" +
                                  std::to_string(type.precision) + "," +
                                  std::to_string(type.scale) + ")");
            }
            return ExactSqlValue(*fitted);
        }
        default:
            return CheckedInteger(*number, type.kind, place);
    }
}

Variant ParameterValueToVariant(const SqlValue& value, const SqlType& type) {
    return FieldValue(value, AdoTypeOf(type), "output parameter");
}

SqlValue ExactSqlValue(const Decimal& value) {
    const Decimal trimmed = value.Trimmed();
    if (trimmed.Scale() == 0 && trimmed.Coefficient() >= std::numeric_limits<int64_t>::min() &&
        trimmed.Coefficient() <= std::numeric_limits<int64_t>::max()) {
        return static_cast<int64_t>(trimmed.Coefficient());
    }
    // A real keeps SQL comparisons and arithmetic numeric; only digits a double cannot carry
    // go as text.
    const double real = value.ToDouble();
    if (trimmed.Digits() <= 15 && Decimal::FromDouble(real) == value) {
        return real;
    }
    return value.ToString();
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

Variant FieldValue(const SqlValue& stored, int32_t adoType, std::string_view place) {
    if (std::holds_alternative<std::monostate>(stored)) {
        return Variant::Null();
    }
    const StoredCell value = CellOf(stored);
    switch (adoType) {
        case adVarChar:
        case adChar:
        case adLongVarChar:
        case adVarWChar:
        case adWChar:
        case adLongVarWChar:
            return Variant(CellText(value));
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
            const std::optional<bool> word = BooleanWord(value);
            return Variant(word ? *word : FieldDouble(value, place) != 0.0);
        }
        case adDouble:
            return Variant(FieldDouble(value, place));
        case adNumeric:
        case adDecimal:
            return Variant(DecimalOfStored(value, place));
        case adCurrency:
            return Variant::FromCurrencyValue(FieldDouble(value, place));
        case adDBDate:
        case adDBTimeStamp:
            return Variant(FieldDate(value, place));
        default:
            return PlainVariant(stored);
    }
}

void LoadFieldValue(const StoredCell& value, RecordsetLoader& loader, int column, uint32_t row) {
    if (value.type == SQLITE_NULL) {
        loader.SetNull(column, row);
        return;
    }
    constexpr std::string_view place;
    switch (loader.Field(column).type) {
        case adInteger:
            loader.SetWhole(column, row, FieldInteger(value, SqlTypeKind::Integer, place));
            return;
        case adSmallInt:
            loader.SetWhole(column, row, FieldInteger(value, SqlTypeKind::SmallInt, place));
            return;
        case adUnsignedTinyInt:
            loader.SetWhole(column, row, FieldInteger(value, SqlTypeKind::TinyInt, place));
            return;
        case adBigInt:
            loader.SetWhole(column, row, FieldBigInt(value, place));
            return;
        case adBoolean: {
            const std::optional<bool> word = BooleanWord(value);
            loader.SetBoolean(column, row, word ? *word : FieldDouble(value, place) != 0.0);
            return;
        }
        case adDouble:
            loader.SetReal(column, row, FieldDouble(value, place));
            return;
        case adNumeric:
        case adDecimal:
            loader.SetDecimal(column, row, DecimalOfStored(value, place));
            return;
        case adCurrency:
            loader.SetCurrency(
                column, row,
                Variant::FromCurrencyValue(FieldDouble(value, place)).ToCurrencyScaled());
            return;
        case adDBDate:
        case adDBTimeStamp:
            loader.SetDate(column, row, FieldDate(value, place).DayNumber());
            return;
        default:
            // Text: every other type this backend describes.
            if (value.type == SQLITE_TEXT) {
                loader.SetText(column, row, value.text);
            } else {
                loader.SetText(column, row, CellText(value));
            }
            return;
    }
}

SqlValue ValueForColumn(const Variant& value, const FieldInfo& field, std::string_view place) {
    if (std::optional<SqlType> type = SqlTypeOfField(field)) {
        SqlValue stored = ToParameterValue(value, *type, place);
        // A decimal column's numeric affinity would turn the text of a long decimal into a
        // rounded real: refuse instead of writing fewer digits than the recordset holds.
        if (type->kind == SqlTypeKind::Decimal && std::holds_alternative<std::string>(stored)) {
            Refuse(place, Quoted(std::get<std::string>(stored)) +
                              " has more digits than a decimal column of the embedded database "
                              "keeps (15)");
        }
        return stored;
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
