// The demo database: an embedded SQLite file built from demo/sql/*.sql (run in name order), with
// the report folder and the data folder written into its setup rows. It is built into a temporary
// file and renamed into place, so a failed build never leaves a half-written database.
#pragma once

#include <filesystem>
#include <string>

namespace hlreports::host {

struct DemoPaths {
    std::filesystem::path database;
    std::filesystem::path reportDirectory;
    std::filesystem::path dataFolder;
};

// Where the demo lives: the demo an installed command ships, with its database in the user's
// cache folder (InstalledLayout.h), else the checkout's demo and the build folder.
// HLREPORTS_DEMO_DIR (the demo sources) and HLREPORTS_DEMO_DB (the database file) override both.
DemoPaths DefaultDemoPaths();

// Creates the demo data folder with its setup file (the chart of accounts) when missing.
void EnsureDemoDataFolder(const DemoPaths& paths);

// Builds the database when it is missing or older than a script (or always, when forced).
// Throws ComError naming the script and the SQLite message when a script fails.
void EnsureDemoDatabase(const DemoPaths& paths, bool rebuild);

std::string EmbeddedConnectionString(const std::filesystem::path& database);

// When the environment names no ODBC configuration, points unixODBC at a private one beside the
// demo database that registers "Larchfield Data" with the component's setup library, so report
// data sources work without touching the system's files. Must run before the first ODBC call.
void UsePrivateOdbcConfigurationUnlessSet(const DemoPaths& paths);

}  // namespace hlreports::host
