// Type mapping of the embedded backend: declared SQL type names (of columns and of procedure
// parameters) to a SqlType, and SqlType to ADO field descriptions (type code, defined size,
// precision, scale, attributes). Value conversions live in SqliteValues.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "recordset/Recordset.h"

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

// A value as SQLite stores it: NULL, integer, real or text.
using SqlValue = std::variant<std::monostate, int64_t, double, std::string>;

// Reads a declared type ("varchar(10)", "NUMERIC(10,2)", "double precision", "datetime"),
// ignoring case. No value for an empty or unknown name.
std::optional<SqlType> ParseSqlType(std::string_view declared);
// The type's name in messages ("int", "smallint", ...).
std::string_view SqlTypeName(SqlTypeKind kind);
// The ADO type code of a field or parameter of the type.
int32_t AdoTypeOf(const SqlType& type);
// The declared type a recordset field is written back as; no value for types this backend
// does not convert (GUID, binary).
std::optional<SqlType> SqlTypeOfField(const FieldInfo& field);

// The field of a column: from its declared type, or, for an expression column (no declared or
// an unknown type), from its first non-null value (`sample`; monostate when every value is NULL).
// An expression text column is as wide as `longestText` characters.
FieldInfo DescribeColumn(std::string name, const std::optional<SqlType>& declared,
                         const SqlValue& sample, int longestText);

}  // namespace hlreports
