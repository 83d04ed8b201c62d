// libFuzzer target for the host's --criteria: any text gives a value or std::invalid_argument
// naming the problem, and a two-dimensional value never holds more than MaxCriteriaValues.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "hlreports/HostValues.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace hlreports;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const Variant value = host::CriteriaFromJson(text);
        if (value.IsArray() && value.AsArray().Size() > host::MaxCriteriaValues) {
            std::abort();
        }
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
