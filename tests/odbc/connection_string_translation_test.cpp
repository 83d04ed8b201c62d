// The ODBC backend's reading of connection strings: ODBC strings pass through, classic provider
// strings are translated for the configured driver, and nothing it says quotes a password.
#include <gtest/gtest.h>

#include <cstdlib>

#include "backends/odbc/OdbcConnectionString.h"
#include "data/clsRecordset.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "support/CaughtComError.h"

namespace hlreports {
namespace {

using test::CaughtComError;

class DriverVariable {
  public:
    explicit DriverVariable(const char* value) {
        if (const char* old = std::getenv(kOdbcDriverVariable.data())) {
            saved_ = old;
        }
        if (value) {
            setenv(kOdbcDriverVariable.data(), value, 1);
        } else {
            unsetenv(kOdbcDriverVariable.data());
        }
    }
    ~DriverVariable() {
        if (saved_) {
            setenv(kOdbcDriverVariable.data(), saved_->c_str(), 1);
        } else {
            unsetenv(kOdbcDriverVariable.data());
        }
    }

  private:
    std::optional<std::string> saved_;
};

// Each string becomes exactly this text for the driver manager, and its label names no secret.
TEST(OdbcConnectionString, TranslatesOrPassesThrough) {
    DriverVariable driver("MariaDB Unicode");
    struct Case {
        const char* given;
        const char* odbc;
        const char* label;
    };
    const Case cases[] = {
        {"DSN=Books;UID=ann;PWD=s3cret;Provider=SQLOLEDB.1", "DSN=Books;UID=ann;PWD=s3cret;",
         "DSN=Books;UID=ann"},
        {"Driver={MariaDB Unicode};Socket=/tmp/m.sock;Database=rpt;Data Provider=SQLOLEDB.1",
         "Driver=MariaDB Unicode;Socket=/tmp/m.sock;Database=rpt;",
         "Driver=MariaDB Unicode;Database=rpt"},
        {"Provider=SQLOLEDB.1;Data Source=db1;Initial Catalog=Oak;User ID=ann;Password=p;w",
         nullptr, nullptr},
        {"provider=SQLOLEDB;data source=db1;initial catalog=Oak;user id=ann;password={p;w}",
         "Driver=MariaDB Unicode;SERVER=db1;DATABASE=Oak;UID=ann;PWD={p;w};",
         "Driver=MariaDB Unicode;SERVER=db1;DATABASE=Oak;UID=ann"},
        {"Server=db1;Database=Oak;Uid=ann;Pwd=x}y;Port=3307;Persist Security Info=False",
         "Driver=MariaDB Unicode;SERVER=db1;DATABASE=Oak;UID=ann;PWD={x}}y};Port=3307;",
         "Driver=MariaDB Unicode;SERVER=db1;DATABASE=Oak;UID=ann"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        if (c.odbc == nullptr) {
            // "p;w" unquoted is two parts, the second without "=": malformed, named by position.
            ComError error = CaughtComError([&] { TranslateConnectionString(c.given); });
            EXPECT_EQ(error.Description(), "the connection string is malformed: part 6 has no '='");
            continue;
        }
        OdbcTarget target = TranslateConnectionString(c.given);
        EXPECT_EQ(target.connectionText, c.odbc);
        EXPECT_EQ(target.label, c.label);
    }
}

// MariaDB's driver ignores the login timeout attribute, so it gets the figure as its own key
// (unless the string sets that key); other drivers and DSNs are left as they are.
TEST(OdbcConnectionString, LoginTimeoutKeyForMariaDbDriver) {
    DriverVariable driver("MariaDB Unicode");
    struct Case {
        const char* given;
        const char* connected;
    };
    const Case cases[] = {
        {"Driver={MariaDB Unicode};Server=db1",
         "Driver=MariaDB Unicode;Server=db1;CONN_TIMEOUT=7;"},
        {"Driver=/usr/lib/x86_64-linux-gnu/odbc/libmaodbc.so;Server=db1",
         "Driver=/usr/lib/x86_64-linux-gnu/odbc/libmaodbc.so;Server=db1;CONN_TIMEOUT=7;"},
        {"Server=db1;Database=Oak",
         "Driver=MariaDB Unicode;SERVER=db1;DATABASE=Oak;CONN_TIMEOUT=7;"},
        {"Driver={MariaDB Unicode};Server=db1;CONN_TIMEOUT=3",
         "Driver=MariaDB Unicode;Server=db1;CONN_TIMEOUT=3;"},
        {"Driver={PostgreSQL Unicode};Server=db1", "Driver=PostgreSQL Unicode;Server=db1;"},
        {"DSN=Books", "DSN=Books;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(ConnectionTextWithTimeout(TranslateConnectionString(c.given), 7), c.connected);
    }
}

// The login timeout comes from the string when it gives one, and a bad figure is named.
TEST(OdbcConnectionString, ConnectTimeout) {
    EXPECT_EQ(TranslateConnectionString("DSN=x;Connect Timeout=7").loginTimeoutSeconds, 7);
    EXPECT_FALSE(TranslateConnectionString("DSN=x").loginTimeoutSeconds.has_value());
    EXPECT_EQ(CaughtComError([] {
                  TranslateConnectionString("DSN=x;Connection Timeout=soon");
              }).Description(),
              "the connection string's Connection Timeout is 'soon', which is not a number of "
              "seconds");
}

// Strings that cannot work give one error that says what is wrong, never the password.
TEST(OdbcConnectionString, ClearErrors) {
    struct Case {
        const char* driver;
        const char* given;
        const char* expected;
    };
    const Case cases[] = {
        {"MariaDB Unicode", "", "the connection string is empty"},
        {"MariaDB Unicode", "Database=Oak;Pwd=hunter2",
         "the connection string names no database: give Server=(embedded);Database=<file> for "
         "the embedded database, DSN= or Driver= for an ODBC data source, or Server= (Data "
         "Source=) for a server database"},
        {nullptr, "Server=db1;Database=Oak;Pwd=hunter2",
         "the connection string names a server but no ODBC driver is configured for it: set the "
         "environment variable HLREPORTS_ODBC_DRIVER to the driver's name in odbcinst.ini (for "
         "example \"MariaDB Unicode\"), or give DSN= or Driver= in the connection string"},
        {"", "Server=db1;Pwd=hunter2", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        DriverVariable driver(c.driver);
        std::string description =
            CaughtComError([&] { TranslateConnectionString(c.given); }).Description();
        if (c.expected) {
            EXPECT_EQ(description, c.expected);
        }
        EXPECT_EQ(description.find("hunter2"), std::string::npos);
    }
}

// Through the wrapper, a data source or driver that does not exist fails TestConnection with
// 3211, naming the data source or driver and not the password, and leaves nothing open.
TEST(OdbcConnectionString, MissingDataSourceOrDriver) {
    ResetSession();
    struct Case {
        const char* given;
        const char* named;
    };
    const Case cases[] = {
        {"DSN=NoSuchSourceHL;Pwd=hunter2", "cannot connect to DSN=NoSuchSourceHL: [IM002]"},
        {"Driver={No Such Driver HL};Server=x;Pwd=hunter2",
         "cannot connect to Driver=No Such Driver HL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        clsRecordset rs;
        rs.SetConnectionString(c.given);
        int openBefore = GetConnectionStats().open;
        ComError error = CaughtComError([&] { rs.TestConnection(); });
        EXPECT_EQ(error.Number(), 3211);
        EXPECT_EQ(error.Source(), "clsRecordset.TestConnection");
        EXPECT_EQ(error.Description().rfind(c.named, 0), 0u) << error.Description();
        EXPECT_EQ(error.Description().find("hunter2"), std::string::npos);
        EXPECT_EQ(GetConnectionStats().open, openBefore);
    }
}

}  // namespace
}  // namespace hlreports
