// JSON scalars as Variants (see JsonScalar.h).
#include "ui/JsonScalar.h"

#include <cstdint>
#include <limits>

namespace hlreports {

std::optional<Variant> VariantOfJsonScalar(const nlohmann::json& value) {
    if (value.is_null()) {
        return Variant::Null();
    }
    if (value.is_boolean()) {
        return Variant(value.get<bool>());
    }
    if (value.is_number_unsigned()) {
        // Checked before the signed test: a value past INT64_MAX would wrap as int64_t.
        const auto number = value.get<uint64_t>();
        if (number <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
            return Variant(static_cast<int32_t>(number));
        }
        return Variant(static_cast<double>(number));
    }
    if (value.is_number_integer()) {
        const auto number = value.get<int64_t>();
        if (number >= std::numeric_limits<int32_t>::min() &&
            number <= std::numeric_limits<int32_t>::max()) {
            return Variant(static_cast<int32_t>(number));
        }
        return Variant(static_cast<double>(number));
    }
    if (value.is_number()) {
        return Variant(value.get<double>());
    }
    if (value.is_string()) {
        return Variant(value.get<std::string>());
    }
    return std::nullopt;
}

}  // namespace hlreports
