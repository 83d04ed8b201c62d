// Faults on the server road: each gives the wrapper's documented error (number, source, the
// driver's message) with no partial recordset, no password in the text and no connection left
// open.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "data/Connections.h"
#include "data/clsRecordset.h"
#include "odbc_server/MariaDbFixture.h"
#include "recordset/AdoTypes.h"
#include "runtime/Text.h"
#include "support/CaughtComError.h"

namespace hlreports {
namespace {

using test::CaughtComError;

class ServerFaults : public test::MariaDbTest {
  protected:
    clsRecordset rs;
    int openBefore = 0;

    void PrepareDatabase() override {
        Execute({
            "CREATE TABLE tblItem (id INT PRIMARY KEY, name VARCHAR(30))",
            "INSERT INTO tblItem VALUES (1, 'one'), (2, 'two'), (3, 'three')",
            "CREATE TABLE tblSession (id BIGINT)",
            "CREATE PROCEDURE sp_Items(IN Name VARCHAR(10)) SELECT i.id, i.name FROM tblItem i"
            " WHERE i.name <> Name ORDER BY i.id",
            "CREATE PROCEDURE sp_Refuse(IN Code VARCHAR(10)) BEGIN"
            " SELECT i.id FROM tblItem i;"
            " SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Property is closed'; END",
            "CREATE PROCEDURE sp_Slow() BEGIN"
            " INSERT INTO tblSession VALUES (CONNECTION_ID());"
            " SELECT i.id, i.name FROM tblItem i ORDER BY i.id;"
            " DO SLEEP(30);"
            " SELECT i.id FROM tblItem i; END",
        });
        rs.SetConnectionString(ConnectionString());
        openBefore = GetConnectionStats().open;
    }

    void ExpectNothingOpen() {
        EXPECT_FALSE(rs.IsConnectionOpen());
        EXPECT_EQ(GetConnectionStats().open, openBefore);
    }
};

// A procedure that raises an error: 3207 with the server's own message and no recordset.
TEST_F(ServerFaults, ProcedureRaisesAnError) {
    RecordsetPtr rows;
    ComError error = CaughtComError([&] { rs.RunSpRetRS("sp_Refuse", rows, nullptr, false); });
    EXPECT_EQ(error.Number(), 3207);
    EXPECT_EQ(error.Source(), "clsRecordset.RunSpRetRS");
    EXPECT_NE(error.Description().find("Property is closed"), std::string::npos)
        << error.Description();
    EXPECT_TRUE(error.Description().ends_with(" SP:sp_Refuse"));
    EXPECT_EQ(rows, nullptr);
    ExpectNothingOpen();
}

// A value longer than its parameter's size is refused before anything runs.
TEST_F(ServerFaults, ValueTooLongForItsParameter) {
    SPParams params;
    params.Add("@Name", adVarChar, 10, adParamInput, std::string(11, 'x'));
    RecordsetPtr rows;
    ComError error =
        CaughtComError([&] { rs.RunSPRetRSOutParams("sp_Items", &params, rows, false); });
    EXPECT_EQ(error.Number(), 3202);
    EXPECT_EQ(error.Description(),
              "procedure sp_Items: parameter @Name: the value has 11 characters, more than the "
              "parameter's size of 10 SP:sp_Items");
    EXPECT_EQ(rows, nullptr);
    ExpectNothingOpen();
}

// A wrong password: 3211 with the server's refusal, and the password appears nowhere.
TEST_F(ServerFaults, WrongPassword) {
    Execute({"CREATE USER IF NOT EXISTS 'hl_reader'@'localhost' IDENTIFIED BY 'right-one'"});
    rs.SetConnectionString("Driver={MariaDB Unicode};Socket=" + Socket() +
                           ";UID=hl_reader;PWD=Wr0ng-Secret");
    ComError error = CaughtComError([&] { rs.TestConnection(); });
    Execute({"DROP USER 'hl_reader'@'localhost'"});
    EXPECT_EQ(error.Number(), 3211);
    EXPECT_NE(error.Description().find("Access denied"), std::string::npos) << error.Description();
    EXPECT_EQ(error.Description().find("Wr0ng-Secret"), std::string::npos);
    ExpectNothingOpen();
}

// A server that is down (nothing listens at the socket) fails at once with the driver's message.
TEST_F(ServerFaults, ServerDownBeforeTheCall) {
    rs.SetConnectionString("Driver={MariaDB Unicode};Socket=" + Socket() +
                           ".gone;UID=root;PWD=Secret-1");
    RecordsetPtr rows;
    ComError error = CaughtComError([&] { rs.RunSpRetRS("sp_Items", rows, nullptr, false); });
    EXPECT_EQ(error.Number(), 3207);
    EXPECT_NE(error.Description().find("cannot connect to Driver=MariaDB Unicode;UID=root: "),
              std::string::npos)
        << error.Description();
    EXPECT_EQ(error.Description().find("Secret-1"), std::string::npos);
    EXPECT_EQ(rows, nullptr);
    ExpectNothingOpen();
}

// The connection killed while the procedure is still delivering results: an error, no partial
// recordset, nothing left open.
TEST_F(ServerFaults, KilledWhileFetching) {
    std::atomic<bool> done{false};
    std::string connectionString = ConnectionString();
    std::thread killer([&] {
        std::unique_ptr<Connection> admin = OpenBackendConnection(connectionString);
        for (int tries = 0; tries < 200 && !done; ++tries) {
            RecordsetPtr id = admin->OpenRecordset("SELECT id FROM tblSession");
            if (id && id->RecordCount() > 0) {
                id->MoveFirst();
                admin->Execute("KILL CONNECTION " + id->Value(0).DisplayText());
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    RecordsetPtr rows;
    ComError error = CaughtComError([&] { rs.RunSpRetRS("sp_Slow", rows, nullptr, false); });
    done = true;
    killer.join();
    EXPECT_EQ(error.Number(), 3207);
    EXPECT_TRUE(error.Description().ends_with(" SP:sp_Slow")) << error.Description();
    EXPECT_EQ(rows, nullptr);
    ExpectNothingOpen();
}

}  // namespace
}  // namespace hlreports
