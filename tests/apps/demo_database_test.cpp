// The demo database builder on scripts of the test's own: name order, placeholders, a failed
// build leaving nothing, and rebuilding only when a script is newer than the database.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "hlreports/DemoDatabase.h"
#include "runtime/ComError.h"
#include "support/ScopedVariable.h"
#include "support/TempDir.h"

namespace hlreports::test {
namespace {

namespace fs = std::filesystem;
using host::DemoPaths;
using host::EnsureDemoDatabase;

// The first column of the first row as text; "" without a row or when the query fails.
std::string QueryText(const fs::path& database, const std::string& sql) {
    sqlite3* handle = nullptr;
    std::string text;
    if (sqlite3_open_v2(database.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            const unsigned char* value = sqlite3_column_text(statement, 0);
            text = value ? reinterpret_cast<const char*>(value) : "NULL";
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(handle);
    return text;
}

class DemoDatabaseTest : public ::testing::Test {
  protected:
    TempDir files;
    // An apostrophe in the folders proves that the placeholders are quoted.
    DemoPaths paths{.database = files / "O'Hara build" / "demo.db",
                    .reportDirectory = files / "O'Hara demo" / "reports",
                    .dataFolder = files / "O'Hara build" / "data"};

    fs::path WriteScript(const std::string& name, const std::string& sql) const {
        return files.WriteFile("O'Hara demo/sql/" + name, sql);
    }
    void WriteGoodScripts() const {
        // 010 creates what 020 fills: the scripts must run in name order.
        WriteScript(
            "020-data.sql",
            "INSERT INTO setup VALUES ('reports', '{REPORT_DIR}'), ('data', '{DATA_DIR}');");
        WriteScript("010-schema.sql", "CREATE TABLE setup (name text, value text);");
        WriteScript("notes.txt", "not SQL, never run");
    }
};

// Scripts run in name order with both placeholders replaced by the quoted folders.
TEST_F(DemoDatabaseTest, RunsScriptsInOrderWithPlaceholders) {
    WriteGoodScripts();
    EnsureDemoDatabase(paths, false);
    EXPECT_EQ(QueryText(paths.database, "SELECT value FROM setup WHERE name = 'reports'"),
              paths.reportDirectory.string());
    EXPECT_EQ(QueryText(paths.database, "SELECT value FROM setup WHERE name = 'data'"),
              paths.dataFolder.string());
    EXPECT_TRUE(fs::exists(paths.dataFolder / "setup.json"));
}

// A failing script raises 20700 naming it and leaves no database and no half-built file; a
// failing rebuild keeps the database built before.
TEST_F(DemoDatabaseTest, FailedBuildLeavesNothing) {
    for (const bool builtBefore : {false, true}) {
        SCOPED_TRACE(builtBefore ? "rebuild" : "first build");
        WriteGoodScripts();
        fs::remove(paths.database);
        fs::remove(files / "O'Hara demo/sql/030-broken.sql");
        if (builtBefore) {
            EnsureDemoDatabase(paths, false);
        }
        WriteScript("030-broken.sql", "INSERT INTO missing_table VALUES (1);");
        try {
            EnsureDemoDatabase(paths, true);
            ADD_FAILURE() << "no error";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), 20700);
            EXPECT_EQ(error.Source(), "DemoDatabase");
            EXPECT_EQ(error.Description(), "030-broken.sql: no such table: missing_table");
        }
        EXPECT_EQ(fs::exists(paths.database), builtBefore);
        EXPECT_FALSE(fs::exists(paths.database.string() + ".building"));
        if (builtBefore) {
            EXPECT_EQ(QueryText(paths.database, "SELECT count(*) FROM setup"), "2");
        }
    }
}

// A missing scripts folder is an error naming it.
TEST_F(DemoDatabaseTest, MissingScriptsFolderIsAnError) {
    try {
        EnsureDemoDatabase(paths, false);
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), 20700);
        EXPECT_EQ(error.Description(), "The demo scripts folder " +
                                           (paths.reportDirectory.parent_path() / "sql").string() +
                                           " does not exist");
    }
    EXPECT_FALSE(fs::exists(paths.database));
}

// An up-to-date database is kept; a script newer than it, or a forced rebuild, builds afresh.
TEST_F(DemoDatabaseTest, RebuildsOnlyWhenAScriptIsNewer) {
    WriteGoodScripts();
    EnsureDemoDatabase(paths, false);
    const auto mark = [&] {
        sqlite3* handle = nullptr;
        ASSERT_EQ(sqlite3_open(paths.database.c_str(), &handle), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(handle, "INSERT INTO setup VALUES ('mark', 'x')", nullptr, nullptr,
                               nullptr),
                  SQLITE_OK);
        sqlite3_close(handle);
    };
    const auto marked = [&] {
        return QueryText(paths.database, "SELECT count(*) FROM setup WHERE name = 'mark'") == "1";
    };
    mark();
    EnsureDemoDatabase(paths, false);
    EXPECT_TRUE(marked()) << "an up-to-date database was rebuilt";

    const fs::path script = files / "O'Hara demo/sql/010-schema.sql";
    fs::last_write_time(script, fs::last_write_time(paths.database) + std::chrono::seconds(5));
    EnsureDemoDatabase(paths, false);
    EXPECT_FALSE(marked()) << "a newer script did not rebuild";

    mark();
    EnsureDemoDatabase(paths, true);
    EXPECT_FALSE(marked()) << "a forced rebuild kept the old rows";
}

// A database named without a folder lives in the current folder and builds there; its paths are
// absolute, so the connection string still finds it after the current folder changes.
TEST_F(DemoDatabaseTest, DatabaseNamedWithoutAFolderBuildsInTheCurrentFolder) {
    WriteGoodScripts();
    const fs::path earlierFolder = fs::current_path();
    fs::current_path(files.Path());
    const ScopedVariable sources("HLREPORTS_DEMO_DIR", (files / "O'Hara demo").string());
    const ScopedVariable database("HLREPORTS_DEMO_DB", "demo.db");
    const DemoPaths relative = host::DefaultDemoPaths();
    EXPECT_NO_THROW(EnsureDemoDatabase(relative, false));
    fs::current_path(earlierFolder);
    EXPECT_EQ(relative.database, files / "demo.db");
    EXPECT_EQ(relative.dataFolder, files / "data");
    EXPECT_EQ(QueryText(files / "demo.db", "SELECT count(*) FROM setup"), "2");
}

// The private ODBC driver list is read by other runs at any moment: an unchanged list is left as
// it is, a stale one is replaced whole by a new file (never emptied and rewritten in place), and
// the data sources other runs keep in odbc.ini survive.
TEST_F(DemoDatabaseTest, PrivateOdbcDriverListIsReplacedWholeAndOnlyWhenStale) {
    const fs::path folder = paths.database.parent_path() / "odbc";
    const fs::path list = folder / "odbcinst.ini";
    const auto identity = [&] {
        struct stat status {};
        EXPECT_EQ(stat(list.c_str(), &status), 0);
        return std::pair(status.st_ino,
                         status.st_mtim.tv_nsec + status.st_mtim.tv_sec * 1000000000L);
    };
    const auto configure = [&] {
        const ScopedVariable system("ODBCSYSINI", std::nullopt);
        const ScopedVariable user("ODBCINI", std::nullopt);
        host::UsePrivateOdbcConfigurationUnlessSet(paths);
    };
    configure();
    const auto first = identity();
    std::ofstream(folder / "odbc.ini", std::ios::app) << "[HLReportDSN1]\nDriver=x\n";
    configure();
    EXPECT_EQ(identity(), first) << "an unchanged list was written again";
    std::ofstream(list) << "[Larchfield Data]\nDriver=old.so\n";
    const auto stale = identity();
    configure();
    EXPECT_NE(identity().first, stale.first) << "the stale list was rewritten in place";
    std::ifstream in(list);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Driver=libsqlite3odbc.so"), std::string::npos) << text;
    std::ifstream sources(folder / "odbc.ini");
    std::string firstLine;
    std::getline(sources, firstLine);
    EXPECT_EQ(firstLine, "[HLReportDSN1]");
}

}  // namespace
}  // namespace hlreports::test
