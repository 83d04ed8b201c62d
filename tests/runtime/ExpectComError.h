// Test helper: runs a call and checks the ComError it raises, number, source and text.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/ComError.h"

namespace hlreports::test {

template <class Call>
::testing::AssertionResult RaisesComError(Call&& call, int32_t number,
                                          const std::string& source = "HLReports",
                                          const std::string& description = {}) {
    try {
        call();
    } catch (const ComError& error) {
        const bool matches = error.Number() == number && error.Source() == source &&
                             (description.empty() || error.Description() == description);
        if (matches) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "raised " << error.Number() << " / " << error.Source() << " / "
               << error.Description() << ", expected " << number << " / " << source;
    }
    return ::testing::AssertionFailure() << "raised nothing, expected " << number;
}

}  // namespace hlreports::test
