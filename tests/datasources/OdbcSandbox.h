// Test helper: a private ODBC configuration for one test program, and a reader of the ini files
// that unixODBC writes.
//
// unixODBC caches ODBCSYSINI on the first installer call of a process, so the sandbox must exist
// before that call and live until the program ends: create it from a global test environment.
// ODBCINI is read on every call, so each test may point it at a file of its own.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/TempDir.h"

namespace hlreports::test {

class OdbcSandbox {
  public:
    // Points ODBCSYSINI at a new folder (with empty odbcinst.ini and odbc.ini) and ODBCINI at a
    // file in it; clears the variables that would send writes elsewhere.
    OdbcSandbox();
    ~OdbcSandbox();
    OdbcSandbox(const OdbcSandbox&) = delete;
    OdbcSandbox& operator=(const OdbcSandbox&) = delete;

    // Rewrites odbcinst.ini so that it registers "Larchfield Data" with the given Setup= line
    // (none when nullopt); with registered false the driver is left out altogether.
    void RegisterDriver(const std::optional<std::string>& setupLibrary,
                        bool registered = true) const;

    std::filesystem::path SystemIni() const { return folder_ / "odbc.ini"; }

  private:
    TempDir folder_;
};

// Points ODBCINI at the file for the next installer calls.
void UseUserIni(const std::filesystem::path& file);

// One [section] of an ini file with its key=value lines in file order.
struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
    friend bool operator==(const IniSection&, const IniSection&) = default;
};

// The sections of an ini file in order; a missing file has none.
std::vector<IniSection> ReadIniFile(const std::filesystem::path& file);

// The whole file as bytes; a missing file reads as nullopt.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

}  // namespace hlreports::test
