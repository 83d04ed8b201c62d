// Connection strings: key parsing, backend selection, and the errors of files that cannot be
// opened (never created, never echoing a password).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "backends/ConnectionString.h"
#include "data/Connections.h"
#include "data/DataTestHelpers.h"
#include "support/TestDatabase.h"

namespace hlreports {
namespace {

using test::CaughtComError;

struct KeyCase {
    const char* text;
    const char* key;
    const char* expected;  // nullptr: the key is absent
};

// Keys match ignoring case and order; values are trimmed, unwrapped, and the last repeat wins.
TEST(ConnectionString, FindsKeys) {
    const KeyCase cases[] = {
        {"Server=(embedded);Database=/tmp/a.db", "server", "(embedded)"},
        {"Database=/tmp/a.db;SERVER=(embedded)", "Database", "/tmp/a.db"},
        {" Server = x ; Database = y ", "DATABASE", "y"},
        {"Database={/tmp/a;b.db};Server=(embedded)", "Database", "/tmp/a;b.db"},
        {"Pwd={se}}cret}", "pwd", "se}cret"},
        {"Database=\"/tmp/a;b.db\"", "Database", "/tmp/a;b.db"},
        {";;Server=a;;", "Server", "a"},
        {"Server=a;Server=b", "Server", "b"},
        {"Server=a;Database=b;Provider=SQLOLEDB.1", "Provider", "SQLOLEDB.1"},
        {"Server=a", "Database", nullptr},
        {"", "Server", nullptr},
    };
    for (const KeyCase& row : cases) {
        std::optional<std::string> value =
            FindConnectionKey(ParseConnectionString(row.text), row.key);
        if (row.expected == nullptr) {
            EXPECT_FALSE(value) << row.text;
        } else {
            EXPECT_EQ(value.value_or("<absent>"), row.expected) << row.text;
        }
    }
}

// Malformed strings name the problem without quoting any value.
TEST(ConnectionString, MalformedTextIsRefusedWithoutEchoingValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"Server=a;Pwd=top;secret", "the connection string is malformed: part 3 has no '='"},
        {"=x", "the connection string is malformed: a part has no key before '='"},
        {"Pwd={secret",
         "the connection string is malformed: the value of Pwd is not closed with }"},
        {"Pwd=\"secret",
         "the connection string is malformed: the value of Pwd is not closed with \""},
        {"Pwd={secret} more",
         "the connection string is malformed: text follows the closed value of Pwd"},
    };
    for (const auto& [text, message] : cases) {
        ComError error = CaughtComError([&] { ParseConnectionString(text); });
        EXPECT_EQ(error.Description(), message) << text;
        EXPECT_EQ(error.Description().find("secret"), std::string::npos) << text;
    }
}

// The embedded backend opens whatever the key order, case, or an appended Provider/Data Provider.
TEST(Backend, EmbeddedConnectionStringsOpen) {
    test::TestDatabase db("CREATE TABLE t (x int); INSERT INTO t VALUES (41);");
    std::string file = db.Path().string();
    const std::string strings[] = {
        "Server=(embedded);Database=" + file,
        "database=" + file + ";SERVER=(EMBEDDED)",
        "Server=(embedded);Database=" + file + ";Provider=SQLOLEDB.1",
        "Server=(embedded);Database=" + file + ";Data Provider=SQLOLEDB.1",
        "Provider=SQLOLEDB.1; Server = (embedded) ; Database={" + file + "}",
    };
    for (const std::string& text : strings) {
        std::unique_ptr<Connection> connection = OpenConnection(text);
        RecordsetPtr rows = connection->OpenRecordset("SELECT x + 1 AS y FROM t");
        ASSERT_TRUE(rows) << text;
        EXPECT_EQ(rows->Value(0), Variant(42)) << text;
    }
}

// A missing file is an error naming it, and no file is created in its place.
TEST(Backend, MissingFileIsNotCreated) {
    test::TempDir dir;
    std::filesystem::path missing = dir / "nope.db";
    ComError error =
        CaughtComError([&] { OpenConnection("Server=(embedded);Database=" + missing.string()); });
    EXPECT_EQ(error.Number(), ErrorNumber::DatabaseError);
    EXPECT_EQ(error.Description(), "the database file '" + missing.string() + "' does not exist");
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// A file that is no database is refused when opened, naming the file and SQLite's reason.
TEST(Backend, FileThatIsNoDatabaseIsRefused) {
    test::TempDir dir;
    std::filesystem::path file = dir.WriteFile("notes.db", std::string(2048, 'x'));
    ComError error =
        CaughtComError([&] { OpenConnection("Server=(embedded);Database=" + file.string()); });
    EXPECT_EQ(error.Description(),
              "cannot open the database file '" + file.string() + "': file is not a database");
    EXPECT_EQ(GetConnectionStats().open, 0);
}

// An embedded string without a file says so.
TEST(Backend, EmbeddedStringWithoutDatabaseIsRefused) {
    for (const char* text : {"Server=(embedded)", "Server=(embedded);Database="}) {
        ComError error = CaughtComError([&] { OpenConnection(text); });
        EXPECT_EQ(error.Description(), "the connection string names no database file (Database=)")
            << text;
    }
}

// Strings other than the embedded one go to ODBC; what cannot connect is named, never the
// password.
TEST(Backend, OtherConnectionStringsGoToOdbcWithoutThePassword) {
    unsetenv("HLREPORTS_ODBC_DRIVER");
    ComError error = CaughtComError([] {
        OpenConnection("Server=sql01;Database=Hearth;Uid=sa;Pwd=s3cr3t;Provider=SQLOLEDB.1");
    });
    EXPECT_EQ(error.Description().rfind("the connection string names a server but no ODBC "
                                        "driver is configured for it: set the environment "
                                        "variable HLREPORTS_ODBC_DRIVER",
                                        0),
              0u)
        << error.Description();
    EXPECT_EQ(error.Description().find("s3cr3t"), std::string::npos);
    ComError dsn = CaughtComError([] { OpenConnection("DSN=HearthNoSuch;Pwd=s3cr3t"); });
    EXPECT_EQ(dsn.Description().rfind("cannot connect to DSN=HearthNoSuch: [IM002]", 0), 0u)
        << dsn.Description();
    EXPECT_EQ(dsn.Description().find("s3cr3t"), std::string::npos);
    ComError empty = CaughtComError([] { OpenConnection(""); });
    EXPECT_EQ(empty.Description(), "the connection string is empty");
}

// Every connection is counted while it lives, whichever opener made it.
TEST(Backend, ConnectionStatsCountOpenConnections) {
    test::TestDatabase db;
    ConnectionStats before = GetConnectionStats();
    {
        std::unique_ptr<Connection> first = OpenConnection(db.ConnectionString());
        std::unique_ptr<Connection> second = OpenConnection(db.ConnectionString());
        EXPECT_EQ(GetConnectionStats().open, before.open + 2);
    }
    EXPECT_EQ(GetConnectionStats().opened, before.opened + 2);
    EXPECT_EQ(GetConnectionStats().open, before.open);
}

}  // namespace
}  // namespace hlreports
