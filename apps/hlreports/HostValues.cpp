#include "hlreports/HostValues.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "ui/JsonScalar.h"

namespace hlreports::host {
namespace {

Variant Scalar(const nlohmann::json& value) {
    if (std::optional<Variant> scalar = VariantOfJsonScalar(value)) {
        return *std::move(scalar);
    }
    throw std::invalid_argument(
        "--criteria: an element must be a text, a number, true/false or null");
}

}  // namespace

Variant CriteriaFromJson(std::string_view json) {
    nlohmann::json value;
    try {
        value = nlohmann::json::parse(json);
    } catch (const nlohmann::json::exception& error) {  // a syntax error or a number overflow
        throw std::invalid_argument(std::string("--criteria is not JSON: ") + error.what());
    }
    if (!value.is_array()) {
        return Scalar(value);
    }
    const bool twoDimensional = !value.empty() && value.front().is_array();
    if (!twoDimensional) {
        VariantArray items(0, static_cast<int>(value.size()));
        for (std::size_t i = 0; i < value.size(); ++i) {
            items.At(static_cast<int>(i)) = Scalar(value[i]);
        }
        return Variant(std::move(items));
    }
    std::size_t columns = 0;
    for (const auto& row : value) {
        if (!row.is_array()) {
            throw std::invalid_argument(
                "--criteria: every row of a two-dimensional value must be an array");
        }
        columns = std::max(columns, row.size());
    }
    // Short rows are padded to the widest, so a few hundred KB of text could ask for billions
    // of values: the array is refused beyond a size no criteria value comes near.
    if (columns > 0 && value.size() > MaxCriteriaValues / columns) {
        throw std::invalid_argument("--criteria: a two-dimensional value of " +
                                    std::to_string(value.size()) + " rows and " +
                                    std::to_string(columns) + " columns has more than " +
                                    std::to_string(MaxCriteriaValues) + " values");
    }
    VariantArray items(0, static_cast<int>(value.size()), 0, static_cast<int>(columns));
    for (std::size_t i = 0; i < value.size(); ++i) {
        for (std::size_t j = 0; j < value[i].size(); ++j) {
            items.At(static_cast<int>(i), static_cast<int>(j)) = Scalar(value[i][j]);
        }
    }
    return Variant(std::move(items));
}

Variant ParameterArray(const std::vector<std::string>& values) {
    if (values.empty()) {
        return Variant::Null();
    }
    VariantArray items(0, static_cast<int>(values.size()), 0, 2);
    for (std::size_t i = 0; i < values.size(); ++i) {
        items.At(static_cast<int>(i), 1) = Variant(values[i]);
    }
    return Variant(std::move(items));
}

}  // namespace hlreports::host
