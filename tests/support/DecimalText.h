// Exact decimals written as text in tests; a text that does not read is a test failure.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "runtime/Decimal.h"

namespace hlreports::test {

inline Decimal Dec(const char* text) {
    const std::optional<Decimal> value = Decimal::Parse(text);
    EXPECT_TRUE(value.has_value()) << text;
    return value.value_or(Decimal());
}

}  // namespace hlreports::test
