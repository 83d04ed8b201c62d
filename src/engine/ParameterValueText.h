// Parameter value types as report files write them: the type code and the text of a default
// value. Kept strict (ISO dates, plain decimals) so that a file reads the same everywhere,
// whatever the locale of the machine that prints it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "runtime/Variant.h"

namespace hlreports {

// 7, 8, 9, 10, 11 or 16 written as a whole number; no value otherwise.
std::optional<int32_t> ReadValueTypeCode(std::string_view text);

// A default value of the given type (number, currency, boolean, date, text, date-time); no value
// when the text does not read as that type.
std::optional<Variant> ReadParameterValue(int32_t valueType, std::string_view text);

// What ReadParameterValue expects, for error texts: "a date (YYYY-MM-DD)".
std::string_view ValueTypeExpectation(int32_t valueType);

}  // namespace hlreports
