// Literal text for SQL written by the component (see BackendSqlText.h).
#include "backends/BackendSqlText.h"

#include <charconv>

#include "runtime/Text.h"

namespace hlreports {

std::string NumberLiteral(double value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string SqlLiteral(const Variant& value) {
    switch (value.Kind()) {
        case VariantKind::Empty:
        case VariantKind::Null:
        case VariantKind::Missing:
            return "NULL";
        case VariantKind::Boolean:
        case VariantKind::Integer:
        case VariantKind::Long:
        case VariantKind::Double:
        case VariantKind::Currency:
            return NumberLiteral(value.ToDouble());
        case VariantKind::Date: {
            Date date = value.ToDate();
            if (date.DateOnly() == date) {
                return SqlQuoted(date.ToIsoDate());
            }
            std::string text = date.ToIsoDateTime();
            text[10] = ' ';
            return SqlQuoted(text);
        }
        default:
            return SqlQuoted(value.ToString());
    }
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

}  // namespace hlreports
