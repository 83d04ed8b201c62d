// The demo port fixture (see DemoPortFixture.h).
#include "odbc_server/demo_port/DemoPortFixture.h"

#include <filesystem>

#include "hlreports/DemoDatabase.h"
#include "odbc_server/SkipWithoutServer.h"

namespace hlreports::test {

namespace fs = std::filesystem;

void DemoPort::SetUp() {
    const fs::path socket = fs::path(HL_MARIADB_FOLDER) / "mysqld.sock";
    if (!fs::exists(socket) || !fs::exists(fs::path(HL_DEMO_SERVER_FOLDER) / "loaded")) {
        SkipWithoutServer(
            "the demo is not loaded on a MariaDB server (ctest's odbc_server_start and "
            "odbc_demo_load fixtures do that when mariadb-server and odbc-mariadb are "
            "installed)");
        return;
    }
    connection =
        "Driver={MariaDB Unicode};Socket=" + socket.string() + ";UID=root;Database=hlreports_demo";
    // One private ODBC setup for the whole process (unixODBC reads it once), in a folder no
    // run removes.
    host::DemoPaths odbcHome;
    odbcHome.database = fs::path(HL_DEMO_SERVER_FOLDER).parent_path() / "odbc-home" / "x.db";
    host::UsePrivateOdbcConfigurationUnlessSet(odbcHome);
}

std::string DemoPort::FreshEmbeddedDemo(std::string_view folderName) {
    host::DemoPaths paths = host::DefaultDemoPaths();
    const fs::path folder = fs::path(HL_DEMO_SERVER_FOLDER).parent_path() / folderName;
    paths.database = folder / "demo.db";
    paths.dataFolder = folder / "data";
    host::EnsureDemoDatabase(paths, true);
    return host::EmbeddedConnectionString(paths.database);
}

}  // namespace hlreports::test
