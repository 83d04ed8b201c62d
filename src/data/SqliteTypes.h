// Type mapping of the embedded backend: declared SQL type names (of columns and of procedure
// parameters) to a SqlType, SqlType to ADO field descriptions, and value conversions in both
// directions (Variant -> value bound as a parameter, stored value -> Variant of a field).
//
// Conversions refuse what does not fit with a ComError naming the place ("procedure sp_x:
// parameter @Days: 'abc' is not a number"); nothing is silently turned into NULL or zero.
// Dates are stored as ISO text: 'YYYY-MM-DD' for date, 'YYYY-MM-DD HH:MM:SS' for datetime.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "data/Recordset.h"
#include "runtime/Date.h"
#include "runtime/Variant.h"

namespace hlreports {

enum class SqlTypeKind {
    VarText,
    FixedText,
    LongText,
    Integer,
    SmallInt,
    TinyInt,
    BigInt,
    Bit,
    Real,
    Money,
    Decimal,
    Date,
    DateTime
};

struct SqlType {
    SqlTypeKind kind = SqlTypeKind::VarText;
    int size = 0;  // characters of VarText/FixedText; 0 = no limit
    int precision = 0;
    int scale = 0;
};

// Reads a declared type ("varchar(10)", "NUMERIC(10,2)", "double precision", "datetime"),
// ignoring case. No value for an empty or unknown name.
std::optional<SqlType> ParseSqlType(std::string_view declared);

// A value as SQLite stores it: NULL, integer, real or text.
using SqlValue = std::variant<std::monostate, int64_t, double, std::string>;

SqlValue ReadColumnValue(sqlite3_stmt* statement, int column);
// A stored value as text (numbers in their shortest exact form; "" for NULL).
std::string StoredText(const SqlValue& value);
void BindValue(sqlite3* db, sqlite3_stmt* statement, int index, const SqlValue& value);

// The value to bind for a parameter of the declared type. Missing is not handled here (the
// caller applies the default first); Null and Empty bind NULL. `place` names the parameter in
// messages, e.g. "procedure sp_x: parameter @Days".
SqlValue ToParameterValue(const Variant& value, const SqlType& type, std::string_view place);
// The Variant an output parameter hands back (Null for NULL).
Variant ParameterValueToVariant(const SqlValue& value, const SqlType& type);
// A stored value as plain Variant (no declared type): Long or Double, String, Null.
Variant PlainVariant(const SqlValue& value);

// The field of a column: from its declared type, or, for an expression column (no declared or
// an unknown type), from its first non-null value (`sample`; monostate when every value is NULL).
// An expression text column is as wide as `longestText` characters.
FieldInfo DescribeColumn(std::string name, const std::optional<SqlType>& declared,
                         const SqlValue& sample, int longestText);
// A stored value as the Variant of a field of the given ADO type. `place` names the column and
// row in messages (may be empty).
Variant FieldValue(const SqlValue& value, int32_t adoType, std::string_view place);
// A recordset value written back to the field's column (dates as ISO text, numbers checked).
SqlValue ValueForColumn(const Variant& value, const FieldInfo& field, std::string_view place);
// Characters (not bytes) of UTF-8 text.
int CharacterCount(std::string_view text);

// 'YYYY-MM-DD' and 'YYYY-MM-DD HH:MM:SS' (or 'T' in between), else the month-first forms that
// Date::Parse reads.
std::optional<Date> ParseStoredDate(std::string_view text);
std::string IsoDateText(const Date& date);      // YYYY-MM-DD
std::string IsoDateTimeText(const Date& date);  // YYYY-MM-DD HH:MM:SS

}  // namespace hlreports
