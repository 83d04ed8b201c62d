// Type mapping of the embedded backend (see SqliteTypes.h).
#include "backends/sqlite/SqliteTypes.h"

#include <charconv>
#include <limits>
#include <vector>

#include "recordset/AdoTypes.h"
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

}  // namespace

std::string_view SqlTypeName(SqlTypeKind kind) {
    for (const auto& entry : kTypeNames) {
        if (entry.kind == kind) {
            return entry.name;
        }
    }
    return "value";
}

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

}  // namespace hlreports
