#include "hlreports/DemoDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "hlreports/InstalledLayout.h"
#include "runtime/ComError.h"
#include "runtime/PartialFile.h"
#include "runtime/Text.h"

namespace hlreports::host {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kDemoBuildError = 20700;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw ComError(kDemoBuildError, "DemoDatabase", "Cannot read " + file.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<fs::path> Scripts(const fs::path& sqlFolder) {
    std::vector<fs::path> scripts;
    if (!fs::is_directory(sqlFolder)) {
        throw ComError(kDemoBuildError, "DemoDatabase",
                       "The demo scripts folder " + sqlFolder.string() + " does not exist");
    }
    for (const auto& entry : fs::directory_iterator(sqlFolder)) {
        if (entry.path().extension() == ".sql") {
            scripts.push_back(entry.path());
        }
    }
    std::sort(scripts.begin(), scripts.end());
    return scripts;
}

bool IsUpToDate(const fs::path& database, const std::vector<fs::path>& scripts) {
    if (!fs::exists(database)) {
        return false;
    }
    const auto built = fs::last_write_time(database);
    return std::none_of(scripts.begin(), scripts.end(), [&](const fs::path& script) {
        return fs::last_write_time(script) > built;
    });
}

struct SqliteFile {
    sqlite3* handle = nullptr;
    ~SqliteFile() { sqlite3_close(handle); }
};

void RunScript(sqlite3* database, const fs::path& script, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(database, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errmsg(database);
        sqlite3_free(message);
        throw ComError(kDemoBuildError, "DemoDatabase", script.filename().string() + ": " + text);
    }
}

std::string SqlLiteralText(const fs::path& path) {
    return DoubleApostrophes(path.string());
}

// The setup library that an installed command ships, else the one built in this tree.
fs::path OdbcSetupLibrary() {
    const std::optional<InstalledFiles> installed = InstalledFilesBeside(RunningExecutable());
    return installed ? installed->odbcSetupLibrary : fs::path(HL_ODBC_SETUP_LIBRARY);
}

// The system's odbcinst.ini without the section `name`.
std::string SystemDriversBut(const std::string& name) {
    std::ifstream in("/etc/odbcinst.ini");
    std::string kept;
    bool skipping = false;
    for (std::string line; std::getline(in, line);) {
        const std::string trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            skipping = trimmed == "[" + name + "]";
        }
        if (!skipping) {
            kept += line + "\n";
        }
    }
    return kept;
}

}  // namespace

DemoPaths DefaultDemoPaths() {
    const char* sourceOverride = std::getenv("HLREPORTS_DEMO_DIR");
    const char* databaseOverride = std::getenv("HLREPORTS_DEMO_DB");
    // An installed command reads the demo it ships and keeps its database in the user's cache;
    // one in the build tree uses the checkout's demo and the build folder.
    const std::optional<InstalledFiles> installed = InstalledFilesBeside(RunningExecutable());
    const fs::path shipped = installed ? installed->demoSources : fs::path(HL_DEMO_SOURCE_DIR);
    const fs::path source = sourceOverride ? fs::path(sourceOverride) : shipped;
    DemoPaths paths;
    // Absolute, so that a bare file name has a folder to create and the connection string does
    // not depend on the current folder.
    paths.database = fs::absolute(
        databaseOverride
            ? fs::path(databaseOverride)
            : (installed ? UserDemoFolder() : fs::path(HL_DEMO_BUILD_DIR)) / "hlreports-demo.db");
    paths.reportDirectory = source / "reports";
    paths.dataFolder = paths.database.parent_path() / "data";
    return paths;
}

void EnsureDemoDataFolder(const DemoPaths& paths) {
    fs::create_directories(paths.dataFolder);
    const fs::path setup = paths.dataFolder / "setup.json";
    if (!fs::exists(setup)) {
        // The chart of prefix 01 lacks the accounts opened last (storage, carport, cleaning and
        // damage), which the accounting transaction report shows as "Unknown account".
        std::ofstream(setup) << R"({"gl_accounts": {"01": [)"
                             << R"({"number": "1010", "title": "Operating Cash"},)"
                             << R"( {"number": "2200", "title": "Security Deposits Held"},)"
                             << R"( {"number": "2210", "title": "Pet Deposits Held"},)"
                             << R"( {"number": "4000", "title": "Rental Income"},)"
                             << R"( {"number": "4020", "title": "Pet Rent"},)"
                             << R"( {"number": "4100", "title": "Late Fees"},)"
                             << R"( {"number": "4110", "title": "Returned Item Fees"},)"
                             << R"( {"number": "4200", "title": "Water/Sewer Reimbursement"},)"
                             << R"( {"number": "4210", "title": "Trash Reimbursement"},)"
                             << R"( {"number": "4300", "title": "Garage Rent"},)"
                             << R"( {"number": "4400", "title": "Application Fees"},)"
                             << R"( {"number": "4900", "title": "Concessions"}]}})"
                             << "\n";
    }
}

void EnsureDemoDatabase(const DemoPaths& paths, bool rebuild) {
    const fs::path sqlFolder = paths.reportDirectory.parent_path() / "sql";
    const std::vector<fs::path> scripts = Scripts(sqlFolder);
    EnsureDemoDataFolder(paths);
    if (!rebuild && IsUpToDate(paths.database, scripts)) {
        return;
    }
    fs::create_directories(paths.database.parent_path());
    const fs::path temporary = paths.database.string() + ".building";
    fs::remove(temporary);
    {
        SqliteFile database;
        if (sqlite3_open(temporary.c_str(), &database.handle) != SQLITE_OK) {
            throw ComError(kDemoBuildError, "DemoDatabase", "Cannot create " + temporary.string());
        }
        RunScript(database.handle, sqlFolder, "PRAGMA journal_mode=OFF; BEGIN;");
        for (const fs::path& script : scripts) {
            std::string sql = ReadFile(script);
            sql = ReplaceAll(sql, "{REPORT_DIR}", SqlLiteralText(paths.reportDirectory));
            sql = ReplaceAll(sql, "{DATA_DIR}", SqlLiteralText(paths.dataFolder));
            try {
                RunScript(database.handle, script, sql);
            } catch (...) {
                sqlite3_close(database.handle);
                database.handle = nullptr;
                fs::remove(temporary);
                throw;
            }
        }
        RunScript(database.handle, sqlFolder, "COMMIT;");
    }
    fs::rename(temporary, paths.database);
}

std::string EmbeddedConnectionString(const fs::path& database) {
    return "Server=(embedded);Database=" + database.string();
}

void UsePrivateOdbcConfigurationUnlessSet(const DemoPaths& paths) {
    if (std::getenv("ODBCSYSINI") != nullptr || std::getenv("ODBCINI") != nullptr) {
        return;
    }
    const fs::path folder = paths.database.parent_path() / "odbc";
    fs::create_directories(folder);
    const fs::path driverList = folder / "odbcinst.ini";
    // The system's drivers stay reachable (a server database given with --connection names
    // one); only the data-folder driver is this demo's own.
    const std::string drivers = SystemDriversBut("Larchfield Data") + "[Larchfield Data]\n" +
                                "Description=Data folder files (demo stand-in: the SQLite ODBC " +
                                "driver)\n" + "Driver=libsqlite3odbc.so\n" +
                                "Setup=" + OdbcSetupLibrary().string() + "\n";
    // Other runs on the same demo read the list at any moment (unixODBC reads it on every
    // call): it is replaced whole, never truncated in place, and only when it changed.
    if (!fs::exists(driverList) || ReadFile(driverList) != drivers) {
        PartialFile file(driverList);
        file.Write(drivers);
        file.Commit();
    }
    // Appending nothing creates the file without emptying the DSNs another run keeps there.
    std::ofstream(folder / "odbc.ini", std::ios::app);
    setenv("ODBCSYSINI", folder.c_str(), 1);
    setenv("ODBCINI", (folder / "user-odbc.ini").c_str(), 1);
}

}  // namespace hlreports::host
