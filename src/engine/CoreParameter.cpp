// Parameter values: values and ranges added one by one stay pending until ApplyValues, which
// makes them the current values all at once; SetCurrentValue replaces everything at once.
//
// Values are kept as the caller gives them (a stored custom value arrives as text even for a
// date parameter); only the count and the range flag are checked, because a value dropped
// without a word would print a report for less than the user asked.
#include <fmt/format.h>

#include "engine/CoreReport.h"
#include "engine/EngineErrors.h"

namespace hlreports {

CoreParameter::CoreParameter(std::string name, std::string promptText, int32_t valueType,
                             bool isRange, bool isMultiValue, std::vector<Variant> defaultValues)
    : name_(std::move(name)),
      promptText_(std::move(promptText)),
      valueType_(valueType),
      isRange_(isRange),
      isMultiValue_(isMultiValue),
      defaultValues_(std::move(defaultValues)) {}

std::string CoreParameter::ParameterName() const {
    return "{?" + name_ + "}";
}

Variant CoreParameter::CurrentValue() const {
    if (currentValues_.empty()) {
        return Variant();
    }
    return currentValues_.front().start;
}

void CoreParameter::AddCurrentValue(Variant value) {
    pendingValues_.push_back(Value{std::move(value), Variant(), false});
    applied_ = false;
}

void CoreParameter::AddCurrentRange(Variant start, Variant end) {
    if (!isRange_) {
        throw ComError(EngineError::ParameterValueRejected,
                       std::string(EngineError::AddCurrentRangeSource),
                       fmt::format("Parameter {} takes no ranges", name_));
    }
    pendingValues_.push_back(Value{std::move(start), std::move(end), true});
    applied_ = false;
}

void CoreParameter::ClearCurrentValues() {
    currentValues_.clear();
    pendingValues_.clear();
    applied_ = false;
}

void CoreParameter::ApplyValues() {
    if (pendingValues_.empty()) {
        // Nothing was added since the last apply: the current values stand as they are.
        applied_ = true;
        return;
    }
    if (!isMultiValue_ && pendingValues_.size() > 1) {
        // The values stay pending (and visible in the prepared report); the current ones stand.
        throw ComError(EngineError::ParameterValueRejected,
                       std::string(EngineError::ApplyValuesSource),
                       fmt::format("Parameter {} takes one value; {} were given", name_,
                                   pendingValues_.size()));
    }
    currentValues_ = std::move(pendingValues_);
    pendingValues_.clear();
    applied_ = true;
}

void CoreParameter::SetCurrentValue(Variant value) {
    currentValues_.clear();
    pendingValues_.clear();
    currentValues_.push_back(Value{std::move(value), Variant(), false});
    applied_ = true;
}

}  // namespace hlreports
