// The argument helpers of the catalogue rows; see ReportRow.h.
#include "catalogue/ReportRow.h"

#include <algorithm>

namespace hlreports {

ParameterSpec In(std::string name, int32_t adoType, int16_t size, ValueSource value) {
    return ParameterSpec{std::move(name), adoType, size, adParamInput, std::move(value)};
}

ParameterSpec Out(std::string name, int32_t adoType, int16_t size) {
    return ParameterSpec{std::move(name), adoType, size, adParamOutput, ValueSource{}};
}

ParameterSpec PropertyParameter() {
    return In("@Property", adVarChar, 10, PropertyId());
}

bool ReportRow::ReadsOutputs() const {
    return std::any_of(parameters.begin(), parameters.end(), [](const ParameterSpec& parameter) {
        return parameter.direction == adParamOutput;
    });
}

}  // namespace hlreports
