// TestDatabase: a small embedded database file in its own temporary folder, built from SQL text,
// with the procedure catalogue table (sys_procedures) already in place. The tests of the data
// road and of higher subsystems build exactly the rows they need and read results back through
// a connection of their own, independent of the code under test.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "support/TempDir.h"

namespace hlreports::test {

class TestDatabase {
  public:
    // Creates the file with sys_procedures, then runs `schemaSql` (any number of statements).
    explicit TestDatabase(std::string_view schemaSql = "");

    const std::filesystem::path& Path() const { return path_; }
    const TempDir& Dir() const { return dir_; }
    // "Server=(embedded);Database=<file>"
    std::string ConnectionString() const;

    // Runs statements; a failure throws std::runtime_error with the database's message.
    void Execute(std::string_view sql) const;
    // Adds a catalogue row; the texts are bound, so any quotes may be used inside them.
    void AddProcedure(std::string_view name, std::string_view params, std::string_view body) const;
    // The first column of the first row as text: "NULL" for NULL, "" when there is no row.
    std::string QueryText(std::string_view sql) const;

  private:
    TempDir dir_;
    std::filesystem::path path_;
};

}  // namespace hlreports::test
