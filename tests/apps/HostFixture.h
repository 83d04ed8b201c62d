// The fixture of the host command tests: a fresh session for each test, and a demo database of
// the test program's own in a temporary folder (HLREPORTS_DEMO_DB), built on first use, so that
// no test touches the build's demo database. The ODBC sandbox of the data-source tests keeps the
// host from writing an ODBC configuration.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace hlreports::test {

class HostTest : public ::testing::Test {
  protected:
    TempDir files;

    void SetUp() override;
    void TearDown() override;
};

// The whole file; "" when it cannot be read.
std::string FileText(const std::filesystem::path& file);

}  // namespace hlreports::test
