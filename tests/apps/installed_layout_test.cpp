// An installed command finds the demo and setup library it ships beside it, under any prefix;
// a command in a build tree finds none; the demo database of an installed command lives in the
// user's cache folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "hlreports/InstalledLayout.h"
#include "runtime/ComError.h"
#include "support/ScopedVariable.h"
#include "support/TempDir.h"

namespace hlreports::test {
namespace {

namespace fs = std::filesystem;
using host::InstalledFilesBeside;
using host::UserDemoFolder;

// Only a bin folder whose prefix holds share/hlreports/demo/sql is an installed layout; the
// files found are those of that prefix.
TEST(InstalledLayoutTest, FoundOnlyBesideAnInstalledDemo) {
    TempDir files;
    const fs::path prefix = files / "scratch prefix";
    fs::create_directories(prefix / "bin");
    EXPECT_FALSE(InstalledFilesBeside(prefix / "bin" / "hlreports")) << "no demo installed";
    fs::create_directories(prefix / "share" / "hlreports" / "demo");
    EXPECT_FALSE(InstalledFilesBeside(prefix / "bin" / "hlreports")) << "a demo without sql/";
    fs::create_directories(prefix / "share" / "hlreports" / "demo" / "sql");

    const std::optional<host::InstalledFiles> installed =
        InstalledFilesBeside(prefix / "bin" / "hlreports");
    ASSERT_TRUE(installed);
    EXPECT_EQ(installed->demoSources, prefix / "share" / "hlreports" / "demo");
    EXPECT_EQ(installed->odbcSetupLibrary.filename(), "libhlreportsodbcS.so");
    EXPECT_EQ(installed->odbcSetupLibrary.parent_path().filename(), "odbc");
    const std::string library = installed->odbcSetupLibrary.string();
    EXPECT_EQ(library.rfind(prefix.string() + "/", 0), 0u) << library << " is outside the prefix";

    EXPECT_FALSE(InstalledFilesBeside(host::RunningExecutable())) << "a test program is no install";
}

// XDG_CACHE_HOME wins, an empty one counts as unset, HOME/.cache follows, and without either
// the error says how to name the database.
TEST(InstalledLayoutTest, UserDemoFolder) {
    struct Case {
        std::optional<std::string> cache;
        std::optional<std::string> home;
        std::optional<fs::path> folder;  // none: error 20700
    };
    const Case cases[] = {
        {"/tmp/cache", "/home/ann", fs::path("/tmp/cache/hlreports")},
        {"", "/home/ann", fs::path("/home/ann/.cache/hlreports")},
        {std::nullopt, "/home/ann", fs::path("/home/ann/.cache/hlreports")},
        {std::nullopt, std::nullopt, std::nullopt},
        {"", "", std::nullopt},
    };
    for (const Case& row : cases) {
        const ScopedVariable cache("XDG_CACHE_HOME", row.cache);
        const ScopedVariable home("HOME", row.home);
        if (row.folder) {
            EXPECT_EQ(UserDemoFolder(), *row.folder);
            continue;
        }
        try {
            UserDemoFolder();
            ADD_FAILURE() << "no error without a cache folder";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), 20700);
            EXPECT_EQ(error.Source(), "DemoDatabase");
            EXPECT_EQ(error.Description(),
                      "Neither XDG_CACHE_HOME nor HOME is set, so the demo database has no "
                      "folder; name its file with HLREPORTS_DEMO_DB");
        }
    }
}

}  // namespace
}  // namespace hlreports::test
