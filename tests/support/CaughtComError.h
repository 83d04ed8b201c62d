// The one helper of the tests that checks what a call raised: the ComError it threw, or a test
// failure when it threw none.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "runtime/ComError.h"

namespace hlreports::test {

template <typename Call>
ComError CaughtComError(Call&& call) {
    try {
        std::forward<Call>(call)();
    } catch (const ComError& error) {
        return error;
    }
    ADD_FAILURE() << "no ComError was raised";
    return ComError(0, "", "");
}

}  // namespace hlreports::test
