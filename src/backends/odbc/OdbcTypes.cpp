// Type mapping of the ODBC backend (see OdbcTypes.h).
#include "backends/odbc/OdbcTypes.h"

#include <limits>

#include "recordset/AdoTypes.h"

namespace hlreports {
namespace {

constexpr SQLULEN kMoneyPrecision = 19;
constexpr SQLSMALLINT kMoneyScale = 4;

bool IsMoney(const OdbcColumnType& column) {
    return column.size == kMoneyPrecision && column.digits == kMoneyScale;
}

}  // namespace

int32_t AdoTypeOfSql(const OdbcColumnType& column) {
    switch (column.sqlType) {
        case SQL_CHAR:
        case SQL_WCHAR:
            return adChar;
        case SQL_VARCHAR:
        case SQL_WVARCHAR:
            return adVarChar;
        case SQL_LONGVARCHAR:
        case SQL_WLONGVARCHAR:
            return adLongVarChar;
        case SQL_INTEGER:
            return adInteger;
        case SQL_SMALLINT:
            return adSmallInt;
        case SQL_TINYINT:
            return adUnsignedTinyInt;
        case SQL_BIGINT:
            return adBigInt;
        case SQL_BIT:
            return adBoolean;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return adDouble;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return IsMoney(column) ? adCurrency : adNumeric;
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return adDBDate;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return adDBTimeStamp;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return adDBTime;
        case SQL_BINARY:
            return adBinary;
        case SQL_VARBINARY:
            return adVarBinary;
        case SQL_LONGVARBINARY:
            return adLongVarBinary;
        case SQL_GUID:
            return adGUID;
        default:
            return adVarChar;
    }
}

FieldInfo DescribeOdbcColumn(std::string name, const OdbcColumnType& column) {
    FieldInfo field;
    field.name = std::move(name);
    field.type = AdoTypeOfSql(column);
    uint32_t fixed = adFldFixed;
    int size = column.size > static_cast<SQLULEN>(std::numeric_limits<int32_t>::max())
                   ? std::numeric_limits<int32_t>::max()
                   : static_cast<int>(column.size);
    switch (field.type) {
        case adVarChar:
        case adVarBinary:
            fixed = size > 0 ? 0 : adFldLong | adFldMayDefer;
            field.definedSize = size > 0 ? size : std::numeric_limits<int32_t>::max();
            break;
        case adChar:
        case adBinary:
            field.definedSize = size;
            break;
        case adLongVarChar:
        case adLongVarBinary:
            field.definedSize = std::numeric_limits<int32_t>::max();
            fixed = adFldLong | adFldMayDefer;
            break;
        case adInteger:
            field.definedSize = 4;
            field.precision = 10;
            break;
        case adSmallInt:
            field.definedSize = 2;
            field.precision = 5;
            break;
        case adUnsignedTinyInt:
            field.definedSize = 1;
            field.precision = 3;
            break;
        case adBigInt:
            field.definedSize = 8;
            field.precision = 19;
            break;
        case adBoolean:
            field.definedSize = 2;
            break;
        case adDouble:
            field.definedSize = 8;
            field.precision = 15;
            break;
        case adCurrency:
            field.definedSize = 8;
            field.precision = 19;
            break;
        case adNumeric:
            field.definedSize = 19;
            field.precision = size;
            field.scale = column.digits;
            break;
        case adDBDate:
            field.definedSize = 6;
            break;
        case adDBTimeStamp:
            field.definedSize = 16;
            field.precision = 23;
            field.scale = 3;
            break;
        case adDBTime:
            field.definedSize = 6;
            break;
        case adGUID:
            field.definedSize = 16;
            break;
        default:
            break;
    }
    field.attributes |= fixed;
    if (!column.nullable) {
        field.attributes &= ~static_cast<uint32_t>(adFldIsNullable | adFldMayBeNull);
    }
    return field;
}

OdbcValueKind ValueKindOf(int32_t adoType) {
    switch (adoType) {
        case adInteger:
        case adSmallInt:
        case adUnsignedTinyInt:
        case adBigInt:
        case adTinyInt:
        case adUnsignedSmallInt:
        case adUnsignedInt:
        case adUnsignedBigInt:
            return OdbcValueKind::Integer;
        case adBoolean:
            return OdbcValueKind::Bit;
        case adDouble:
        case adSingle:
            return OdbcValueKind::Real;
        case adCurrency:
        case adNumeric:
        case adDecimal:
        case adVarNumeric:
            return OdbcValueKind::Decimal;
        case adDBDate:
            return OdbcValueKind::Date;
        case adDBTimeStamp:
        case adDate:
            return OdbcValueKind::DateTime;
        case adDBTime:
            return OdbcValueKind::Time;
        case adBinary:
        case adVarBinary:
        case adLongVarBinary:
            return OdbcValueKind::Binary;
        default:
            return OdbcValueKind::Text;
    }
}

SQLSMALLINT SqlTypeOfAdo(int32_t adoType) {
    switch (adoType) {
        case adInteger:
        case adUnsignedSmallInt:
            return SQL_INTEGER;
        case adSmallInt:
        case adUnsignedTinyInt:
        case adTinyInt:
            return SQL_SMALLINT;
        case adBigInt:
        case adUnsignedInt:
        case adUnsignedBigInt:
            return SQL_BIGINT;
        case adBoolean:
            return SQL_BIT;
        case adDouble:
        case adSingle:
            return SQL_DOUBLE;
        case adCurrency:
        case adNumeric:
        case adDecimal:
        case adVarNumeric:
            return SQL_DECIMAL;
        case adDBDate:
            return SQL_TYPE_DATE;
        case adDBTimeStamp:
        case adDate:
            return SQL_TYPE_TIMESTAMP;
        case adDBTime:
            return SQL_TYPE_TIME;
        case adBinary:
        case adVarBinary:
        case adLongVarBinary:
            return SQL_VARBINARY;
        case adChar:
        case adWChar:
            return SQL_WCHAR;
        case adLongVarChar:
        case adLongVarWChar:
            return SQL_WLONGVARCHAR;
        default:
            return SQL_WVARCHAR;
    }
}

}  // namespace hlreports
