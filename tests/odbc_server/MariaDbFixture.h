// A database of its own on the throwaway MariaDB server for each test, reached through the ODBC
// backend. Without a server the test skips and says why; in CI (CI=true) that is a failure.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "backends/Backend.h"

namespace hlreports::test {

class MariaDbTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // The test's own tables, procedures and connections, made once its database exists (never
    // for a skipped test).
    virtual void PrepareDatabase() {}

    // "Driver={MariaDB Unicode};Socket=...;UID=root;Database=<this test's database>"
    std::string ConnectionString() const;
    const std::string& Socket() const { return socket_; }
    // Runs each statement on a connection of the fixture's own.
    void Execute(const std::vector<std::string>& statements);
    // The first column of the first row as text ("NULL" for NULL, "" without a row).
    std::string QueryText(std::string_view sql);

  private:
    std::string socket_;
    std::string database_;
    std::unique_ptr<Connection> admin_;
};

}  // namespace hlreports::test
