// The demo loaded on the throwaway MariaDB server (ctest fixtures odbc_server_start and
// odbc_demo_load, which run scripts/mariadb-demo-load.sh into hlreports_demo once per run, with
// HL_DEMO_SERVER_FOLDER/data as its data folder), and the embedded demo to compare it with.
// Without a loaded server the test skips and says why; in CI (CI=true) that is a failure.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace hlreports::test {

class DemoPort : public ::testing::Test {
  protected:
    void SetUp() override;

    // A freshly built embedded demo in a folder of its own (beside the server's), as a
    // connection string, for tests that compare a procedure's rows on both databases.
    static std::string FreshEmbeddedDemo(std::string_view folderName);

    // The loaded demo's connection string on the server.
    std::string connection;
};

}  // namespace hlreports::test
