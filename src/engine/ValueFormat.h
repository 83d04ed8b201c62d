// How a printed value looks: the column formats of report files ("currency", "number:3",
// "date:mmmm d, yyyy", ...) and the one function that turns a value into printed text.
//
// Formatting never throws and never drops a value: Null prints as "", and a value that a format
// cannot take (text in a currency column, a date outside the calendar) prints as its own text.
// Cost: one small string per call; the renderers call it once per printed cell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace hlreports {

enum class ValueFormatKind { ByValue, Text, Integer, Number, Currency, Date, DatePattern };

struct ValueFormat {
    ValueFormatKind kind = ValueFormatKind::ByValue;
    int decimals = 2;     // Number only
    std::string pattern;  // DatePattern only
    std::string spec;     // as written in the file; empty for ByValue

    // Numbers print right-aligned by default.
    bool IsNumeric() const {
        return kind == ValueFormatKind::Integer || kind == ValueFormatKind::Number ||
               kind == ValueFormatKind::Currency;
    }
};

// Reads a format as written in a report file; no value when the text names no format.
std::optional<ValueFormat> ParseValueFormat(std::string_view spec);

std::string FormatValue(const Variant& value, const ValueFormat& format);

// A formula's printed value: a text that is one quoted string loses its quotes (doubled quotes
// inside become single); any other text prints as written. Formula texts are not evaluated.
std::string FormulaDisplayText(std::string_view formulaText);

}  // namespace hlreports
