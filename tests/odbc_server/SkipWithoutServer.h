// A server test whose server is not there: skipped, saying why, except in CI (CI=true), where
// the server must run and its absence fails the test. The caller returns right after.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace hlreports::test {

inline void SkipWithoutServer(const std::string& reason) {
    const char* ci = std::getenv("CI");
    if (ci != nullptr && std::string(ci) == "true") {
        FAIL() << reason;
    }
    GTEST_SKIP() << reason;
}

}  // namespace hlreports::test
