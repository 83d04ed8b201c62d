// SPParams: the ordered, keyed parameter list (see SPParams.h). Lookups are linear: lists hold a
// handful of parameters, and a vector keeps the insertion order the procedure call relies on.
#include "data/SPParams.h"

#include "runtime/ComError.h"
#include "runtime/RuntimeErrors.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

// A collection's errors are the runtime's own (number 5 and 457 with the component's source).
[[noreturn]] void RaiseInvalidKey() {
    RaiseRuntimeError(ErrorNumber::InvalidProcedureCall);
}

}  // namespace

void SPParams::Add(std::string name, int32_t dataType, int16_t size, int32_t direction,
                   Variant value) {
    if (Find(name) != nullptr) {
        throw ComError(ErrorNumber::KeyAlreadyExists, std::string(RuntimeErrorSource),
                       "This key is already associated with an element of this collection");
    }
    SPParam parameter;
    parameter.set_name(std::move(name));
    parameter.SetDataType(dataType);
    parameter.SetSize(size);
    parameter.SetDirection(direction);
    parameter.SetValue(std::move(value));
    items_.push_back(std::move(parameter));
}

SPParam& SPParams::Item(std::string_view name) {
    SPParam* found = Find(name);
    if (found == nullptr) {
        RaiseInvalidKey();
    }
    return *found;
}

const SPParam& SPParams::Item(std::string_view name) const {
    const SPParam* found = Find(name);
    if (found == nullptr) {
        RaiseInvalidKey();
    }
    return *found;
}

SPParam& SPParams::Item(int position) {
    if (position < 1 || position > Count()) {
        RaiseInvalidKey();
    }
    return items_[static_cast<std::size_t>(position - 1)];
}

Variant SPParams::GetValue(std::string_view name) const {
    const SPParam* found = Find(name);
    return found != nullptr ? found->Value() : Variant();
}

SPParam* SPParams::Find(std::string_view name) {
    for (SPParam& parameter : items_) {
        if (EqualsIgnoreCase(parameter.name(), name)) {
            return &parameter;
        }
    }
    return nullptr;
}

const SPParam* SPParams::Find(std::string_view name) const {
    for (const SPParam& parameter : items_) {
        if (EqualsIgnoreCase(parameter.name(), name)) {
            return &parameter;
        }
    }
    return nullptr;
}

}  // namespace hlreports
