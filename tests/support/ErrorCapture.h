// Catching the ComError an action raises, and the suffix check the error texts need; shared by
// every test of the data road, on either backend.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string_view>

#include "runtime/ComError.h"

namespace hlreports::test {

// The ComError that `action` raises; a test failure when it raises none.
inline ComError CaughtFrom(const std::function<void()>& action) {
    try {
        action();
    } catch (const ComError& error) {
        return error;
    }
    ADD_FAILURE() << "no error was raised";
    return ComError(0, "", "");
}

inline bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace hlreports::test
