// The per-test MariaDB database (see MariaDbFixture.h).
#include "odbc_server/MariaDbFixture.h"

#include <unistd.h>

#include <filesystem>

#include "data/Connections.h"
#include "odbc_server/SkipWithoutServer.h"
#include "runtime/Session.h"

namespace hlreports::test {
namespace {

std::string ServerConnectionString(const std::string& socket, const std::string& database) {
    return "Driver={MariaDB Unicode};Socket=" + socket + ";UID=root" +
           (database.empty() ? "" : ";Database=" + database);
}

}  // namespace

void MariaDbTest::SetUp() {
    ResetSession();
    socket_ = std::string(HL_MARIADB_FOLDER) + "/mysqld.sock";
    if (!std::filesystem::exists(socket_)) {
        SkipWithoutServer("no MariaDB server is running at " + socket_ +
                          " (ctest starts one with the odbc_server_start fixture when "
                          "mariadb-server and odbc-mariadb are installed)");
        return;
    }
    database_ = "hlt_" + std::to_string(getpid()) + "_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed());
    admin_ = OpenBackendConnection(ServerConnectionString(socket_, ""));
    admin_->Execute("DROP DATABASE IF EXISTS " + database_);
    admin_->Execute("CREATE DATABASE " + database_ + " CHARACTER SET utf8mb4");
    admin_->Execute("USE " + database_);
    PrepareDatabase();
}

void MariaDbTest::TearDown() {
    if (admin_) {
        admin_->Execute("DROP DATABASE IF EXISTS " + database_);
        admin_.reset();
    }
}

std::string MariaDbTest::ConnectionString() const {
    return ServerConnectionString(socket_, database_);
}

void MariaDbTest::Execute(const std::vector<std::string>& statements) {
    for (const std::string& statement : statements) {
        admin_->Execute(statement);
    }
}

std::string MariaDbTest::QueryText(std::string_view sql) {
    RecordsetPtr rows = admin_->OpenRecordset(sql);
    if (!rows || rows->RecordCount() == 0) {
        return "";
    }
    rows->MoveFirst();
    Variant value = rows->Value(0);
    return value.IsNull() ? "NULL" : value.DisplayText();
}

}  // namespace hlreports::test
