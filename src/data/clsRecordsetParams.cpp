// Parameter lists in and out of the wrapper: CreateParams, GetOutputParams and the argument text
// of clsRecordset::ParamsToString.
//
// The argument text keeps the classic form (inputs only, "@Name='text'" or "@Name=number",
// comma-separated) but never lets a value change the statement: apostrophes in quoted values are
// doubled, and a value of a numeric type must be a number (3204 otherwise), written in its own
// normalised form rather than as the caller's text.
#include <cmath>
#include <optional>

#include "backends/BackendSqlText.h"
#include "data/clsRecordset.h"
#include "data/clsRecordsetParams.h"
#include "recordset/AdoTypeSets.h"
#include "runtime/ComError.h"
#include "runtime/Decimal.h"
#include "runtime/Err.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

// The text road writes booleans as numbers (-1/0) too.
bool IsNumericType(int32_t type) {
    return IsNumericAdoType(type) || type == adBoolean;
}

// Arrays and objects have no parameter form; both roads refuse them with this text.
std::string NotAParameterValue(const SPParam& parameter) {
    return "parameter " + parameter.name() +
           " holds an array or object, which cannot be a parameter value";
}

bool IsScalar(const Variant& value) {
    return !value.IsArray() && !value.IsObject();
}

bool IsDateType(int32_t type) {
    return type == adDate || type == adDBDate || type == adDBTimeStamp;
}

// Decimals and numeric texts keep every digit (a 28-digit amount or a 64-bit key would not
// survive a double); other values, and texts only a looser reading accepts ("$1,250.50"), are
// written as the shortest text of their double.
std::optional<std::string> ExactNumberArgument(const Variant& value) {
    if (value.Kind() == VariantKind::Decimal) {
        return value.ToDecimal().Trimmed().ToString();
    }
    if (value.Kind() == VariantKind::String) {
        if (std::optional<Decimal> decimal = Decimal::Parse(value.ToString())) {
            return decimal->Trimmed().ToString();
        }
    }
    return std::nullopt;
}

std::string NumericArgument(const SPParam& parameter) {
    if (std::optional<std::string> exact = ExactNumberArgument(parameter.Value())) {
        return *exact;
    }
    std::optional<double> number = NumberOfVariant(parameter.Value());
    if (!number || !std::isfinite(*number)) {
        throw ComError(ErrorNumber::TypeMismatch, "",
                       "parameter " + parameter.name() + " has the value '" +
                           parameter.Value().DisplayText() + "', which is not a number");
    }
    return NumberLiteral(*number);
}

std::string DateArgument(const SPParam& parameter) {
    const Variant& value = parameter.Value();
    std::optional<Date> date;
    if (value.Kind() == VariantKind::Date) {
        date = value.ToDate();
    } else if (value.Kind() == VariantKind::String) {
        date = Date::Parse(value.ToString());
    }
    if (!date) {
        // Left for the database to refuse, quoted so that it stays one value.
        return SqlQuoted(value.DisplayText());
    }
    return parameter.DataType() == adDBDate ? SqlQuoted(date->ToIsoDate())
                                            : SqlLiteral(Variant(*date));
}

std::string ArgumentValue(const SPParam& parameter) {
    const Variant& value = parameter.Value();
    if (value.IsNull()) {
        // The classic text road wrote Null as an empty text for text and dates, and procedures
        // test for ''; for numbers its text was malformed (@X=), so NULL stands there.
        return IsNumericType(parameter.DataType()) ? "NULL" : "''";
    }
    if (!IsScalar(value)) {
        throw ComError(ErrorNumber::TypeMismatch, "", NotAParameterValue(parameter));
    }
    if (IsNumericType(parameter.DataType())) {
        return NumericArgument(parameter);
    }
    if (IsDateType(parameter.DataType())) {
        return DateArgument(parameter);
    }
    return SqlQuoted(value.DisplayText());
}

}  // namespace

std::string clsRecordset::ParamsToString(const SPParams& colParams) {
    try {
        std::string text;
        for (const SPParam& parameter : colParams) {
            if (parameter.Direction() != adParamInput) {
                continue;
            }
            text += parameter.name() + "=" + ArgumentValue(parameter) + ",";
        }
        if (!text.empty()) {
            text.pop_back();
        }
        return text;
    } catch (const ComError& error) {
        Err().Raise(3204, "clsRecordset.ParamsToString", error.Description());
    }
}

std::vector<ProcedureArgument> CreateParams(const SPParams& colParams) {
    std::vector<ProcedureArgument> arguments;
    for (const SPParam& parameter : colParams) {
        ProcedureArgument argument;
        argument.name = parameter.name();
        argument.type = parameter.DataType();
        argument.size = parameter.Size();
        argument.direction = parameter.Direction();
        if (argument.direction < adParamInput || argument.direction > adParamReturnValue) {
            Err().Raise(3203, "clsRecordset.CreateParams",
                        "parameter " + parameter.name() + " has the unknown direction " +
                            std::to_string(argument.direction));
        }
        if (argument.direction == adParamInput || argument.direction == adParamInputOutput) {
            if (!IsScalar(parameter.Value())) {
                Err().Raise(3203, "clsRecordset.CreateParams", NotAParameterValue(parameter));
            }
            argument.value = parameter.Value();
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

void GetOutputParams(const std::vector<ProcedureArgument>& arguments,
                     const std::vector<Variant>& outputs, SPParams& colParams) {
    try {
        for (std::size_t i = 0; i < arguments.size() && i < outputs.size(); ++i) {
            // In/out parameters come back too: their output is what the caller asked for.
            int32_t direction = arguments[i].direction;
            if (direction == adParamOutput || direction == adParamInputOutput ||
                direction == adParamReturnValue) {
                colParams.Item(arguments[i].name).SetValue(outputs[i]);
            }
        }
    } catch (const ComError& error) {
        Err().Raise(3220, "clsRecordset.GetOutputParams", error.Description());
    }
}

}  // namespace hlreports
