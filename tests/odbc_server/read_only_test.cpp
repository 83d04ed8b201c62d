// The read-only road on a server: values are bound to their placeholders, and nothing a query
// or procedure tries to write reaches the database.
#include <gtest/gtest.h>

#include "data/Connections.h"
#include "odbc_server/MariaDbFixture.h"
#include "runtime/ComError.h"
#include "support/CaughtComError.h"

namespace hlreports {
namespace {

using test::CaughtComError;

BoundValue Value(const char* name, Variant value) {
    BoundValue bound;
    bound.name = name;
    bound.value = std::move(value);
    return bound;
}

class ServerReadOnly : public test::MariaDbTest {
  protected:
    std::unique_ptr<Connection> connection;

    void PrepareDatabase() override {
        Execute({
            "CREATE TABLE tblUnit (id INT PRIMARY KEY, property VARCHAR(10), name VARCHAR(20))",
            "INSERT INTO tblUnit VALUES (1, 'OAK', 'A1'), (2, 'OAK', 'A2'), (3, 'ELM', 'B1')",
            "CREATE PROCEDURE sp_Units(IN Property VARCHAR(10)) SELECT u.name FROM tblUnit u"
            " WHERE u.property = Property ORDER BY u.id",
            "CREATE PROCEDURE sp_Sneaky(IN Property VARCHAR(10)) BEGIN"
            " INSERT INTO tblUnit VALUES (9, Property, 'Z9');"
            " SELECT u.name FROM tblUnit u; END",
        });
        connection = OpenBackendConnection(ConnectionString());
    }
};

// A query reads with its values bound; a list expands to one value per item.
TEST_F(ServerReadOnly, QueriesBindTheirValues) {
    BoundValue property = Value("@Property", Variant("OAK'; DROP TABLE tblUnit; --"));
    RecordsetPtr none =
        connection->OpenReadOnly("SELECT name FROM tblUnit WHERE property = @Property", {property});
    EXPECT_EQ(none->RecordCount(), 0);
    BoundValue ids = Value("@Ids", Variant());
    ids.isList = true;
    ids.items = {Variant(1), Variant(3)};
    RecordsetPtr rows =
        connection->OpenReadOnly("SELECT name FROM tblUnit WHERE id IN (@Ids) ORDER BY id", {ids});
    ASSERT_EQ(rows->RecordCount(), 2);
    rows->MoveFirst();
    EXPECT_EQ(rows->Value(0).DisplayText(), "A1");
    EXPECT_EQ(QueryText("SELECT count(*) FROM tblUnit"), "3");
}

// Statements that write are refused, and a procedure that writes changes nothing.
TEST_F(ServerReadOnly, WritesNeverLand) {
    ComError update =
        CaughtComError([&] { connection->OpenReadOnly("UPDATE tblUnit SET name = 'x'", {}); });
    EXPECT_EQ(update.Description(),
              "the statement would change the database (it is a UPDATE statement); only reading "
              "is allowed here");
    RecordsetPtr units = connection->CallReadOnly("sp_Units", {Value("@Property", Variant("OAK"))});
    EXPECT_EQ(units->RecordCount(), 2);
    ComError sneaky = CaughtComError(
        [&] { connection->CallReadOnly("sp_Sneaky", {Value("@Property", Variant("OAK"))}); });
    EXPECT_NE(sneaky.Description().find("READ ONLY"), std::string::npos) << sneaky.Description();
    EXPECT_EQ(QueryText("SELECT count(*) FROM tblUnit"), "3");
    // The connection is usable for writing again afterwards.
    connection->Execute("INSERT INTO tblUnit VALUES (4, 'ELM', 'B2')");
    EXPECT_EQ(QueryText("SELECT count(*) FROM tblUnit"), "4");
}

}  // namespace
}  // namespace hlreports
