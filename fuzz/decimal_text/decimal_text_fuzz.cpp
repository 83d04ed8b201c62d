// libFuzzer target for decimal text: Decimal::Parse gives a decimal or nothing; a decimal it
// gives writes text that parses to the same value and scale, survives packing, and fits or
// refuses a precision and scale without ever changing a digit.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "runtime/Decimal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace hlreports;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<Decimal> value = Decimal::Parse(text);
    if (!value) {
        return 0;
    }
    const std::optional<Decimal> again = Decimal::Parse(value->ToString());
    if (!again || *again != *value || again->Scale() != value->Scale() ||
        again->ToString() != value->ToString()) {
        std::abort();
    }
    if (Decimal::Unpack(value->Pack()).ToString() != value->ToString()) {
        std::abort();
    }
    // Its own digits and scale always fit: a whole part of Digits() - Scale() digits at most.
    const int precision = std::max(value->Digits(), value->Scale());
    const std::optional<Decimal> fitted = value->FittedTo(precision, value->Scale());
    if (!fitted || *fitted != *value) {
        std::abort();
    }
    if (const std::optional<Decimal> narrower = value->FittedTo(precision, 0)) {
        if (*narrower != *value) {
            std::abort();
        }
    }
    return 0;
}
