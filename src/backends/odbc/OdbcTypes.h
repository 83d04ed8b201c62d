// Type mapping of the ODBC backend: a result column's SQL type to the ADO field description the
// rest of the component uses, and an ADO parameter type to the SQL type a parameter is bound as.
//
// Money: servers without a money type keep it as DECIMAL(19,4), SQL Server's money; exactly
// that precision and scale maps to adCurrency, so such a column prints as money on every
// backend. Every other DECIMAL/NUMERIC is adNumeric with its precision and scale.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <string>

#include "recordset/FieldInfo.h"

namespace hlreports {

// How a column's values are fetched.
enum class OdbcValueKind { Text, Integer, Bit, Real, Decimal, Date, DateTime, Time, Binary };

struct OdbcColumnType {
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN size = 0;  // characters of text, precision of numbers
    SQLSMALLINT digits = 0;
    bool nullable = true;
};

// The field of a result column (name, ADO type, defined size, precision, scale, attributes).
FieldInfo DescribeOdbcColumn(std::string name, const OdbcColumnType& column);
OdbcValueKind ValueKindOf(int32_t adoType);
// The SQL type an ADO parameter type is bound as (text types as wide text).
SQLSMALLINT SqlTypeOfAdo(int32_t adoType);
// The ADO type a declared procedure parameter's SQL type stands for.
int32_t AdoTypeOfSql(const OdbcColumnType& column);

}  // namespace hlreports
