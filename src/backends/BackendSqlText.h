// Literal text for SQL that the component writes itself: numbers in their shortest exact form
// and values as literals of a procedure-call text. Shared by the wrapper's argument text and the
// embedded backend's requery source, so both write values the same way.
#pragma once

#include <optional>
#include <string>

#include "runtime/Variant.h"

namespace hlreports {

// Shortest text that reads back as the same double ("7", "1.5", "1e-05"); no locale.
std::string NumberLiteral(double value);
// The number a value stands for (numbers, booleans, numeric text); nothing for anything else.
std::optional<double> NumberOfVariant(const Variant& value);

// NULL for Null/Empty/Missing, numbers and booleans (-1/0) as numbers, dates as 'YYYY-MM-DD' or
// 'YYYY-MM-DD HH:MM:SS' when they carry a time, everything else quoted with apostrophes doubled.
std::string SqlLiteral(const Variant& value);

}  // namespace hlreports
