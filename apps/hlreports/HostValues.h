// Conversions between the command line's texts and the component's values: --criteria JSON to a
// Variant, --param values to PrintRS's two-dimensional array.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace hlreports::host {

// The most values a two-dimensional --criteria may hold (rows x widest row).
inline constexpr std::size_t MaxCriteriaValues = 1000000;

// A scalar, null, an array, or an array of arrays (a two-dimensional value, rows x columns;
// short rows are padded with Empty). Throws std::invalid_argument naming the problem.
Variant CriteriaFromJson(std::string_view json);

// values[i] becomes element (i, 1) of an (n x 2) array; column 0 stays empty.
Variant ParameterArray(const std::vector<std::string>& values);

}  // namespace hlreports::host
