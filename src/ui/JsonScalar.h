// The one conversion of a JSON scalar to a Variant, shared by answer files and the host's
// --criteria: texts stay texts, true/false Booleans, whole numbers in the 32-bit range Longs and
// every other number a Double (as the classic runtime widens), null Null.
#pragma once

#include <optional>

#include <nlohmann/json.hpp>

#include "runtime/Variant.h"

namespace hlreports {

// nullopt for an array or object, which has no scalar value.
std::optional<Variant> VariantOfJsonScalar(const nlohmann::json& value);

}  // namespace hlreports
