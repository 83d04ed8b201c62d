// Errors the runtime itself raises (conversions, arrays, dates): the classic numbers and texts
// with the component's own name as source, so callers can match them exactly.
#pragma once

#include <cstdint>
#include <string_view>

namespace hlreports {

inline constexpr std::string_view RuntimeErrorSource = "HLReports";

// The classic description of 5, 6, 9, 13 and 94; other numbers give "Application-defined or
// object-defined error".
std::string_view RuntimeErrorDescription(int32_t number);

// Throws ComError(number, "HLReports", RuntimeErrorDescription(number)).
[[noreturn]] void RaiseRuntimeError(int32_t number);

}  // namespace hlreports
