// The wrapper's timeouts reach the driver: the command timeout ends a statement that runs too
// long, and the connection timeout ends a login that gets no answer, each with the wrapper's
// error carrying the driver's message and no connection left open. The wrapper's own figures
// (600 and 15 seconds) are seen by the opener and shortened there, on the road they travel.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>

#include "data/Connections.h"
#include "data/clsRecordset.h"
#include "odbc_server/MariaDbFixture.h"
#include "recordset/AdoTypes.h"
#include "support/CaughtComError.h"

namespace hlreports {
namespace {

using test::CaughtComError;

std::optional<ConnectionOptions> asked;

// Records what the wrapper asked for and opens the real backend with one-second timeouts.
std::unique_ptr<Connection> OpenShortened(std::string_view connectionString,
                                          const ConnectionOptions& options) {
    asked = options;
    ConnectionOptions shorter;
    shorter.commandTimeoutSeconds = 1;
    shorter.connectionTimeoutSeconds = 1;
    return OpenBackendConnection(connectionString, shorter);
}

class ShortTimeouts {
  public:
    ShortTimeouts() {
        asked.reset();
        SetConnectionOpenerForTests(&OpenShortened);
    }
    ~ShortTimeouts() { SetConnectionOpenerForTests(nullptr); }
    ShortTimeouts(const ShortTimeouts&) = delete;
    ShortTimeouts& operator=(const ShortTimeouts&) = delete;
};

// A local TCP port that takes connections (the kernel completes them) but never says a word,
// like a server that hangs before its greeting.
class SilentPort {
  public:
    SilentPort() {
        socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(socket_, 4) != 0 ||
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            ADD_FAILURE() << "cannot open a listening socket";
        }
        port_ = ntohs(address.sin_port);
    }
    ~SilentPort() { ::close(socket_); }
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;
    int Port() const { return port_; }

  private:
    int socket_ = -1;
    int port_ = 0;
};

class ServerTimeouts : public test::MariaDbTest {
  protected:
    void PrepareDatabase() override {
        Execute({"CREATE PROCEDURE sp_Sleep(IN Seconds INT) SELECT SLEEP(Seconds) AS slept"});
        openBefore = GetConnectionStats().open;
    }
    int openBefore = 0;
};

// A procedure that outlives the command timeout is stopped by the server at the driver's
// request: 3207 with the server's message, no rows, nothing left open.
TEST_F(ServerTimeouts, CommandTimeoutStopsALongProcedure) {
    const ShortTimeouts shortened;
    clsRecordset rs;
    rs.SetConnectionString(ConnectionString());
    SPParams params;
    params.Add("@Seconds", adInteger, 4, adParamInput, Variant(30));
    RecordsetPtr rows;
    ComError error = CaughtComError([&] { rs.RunSpRetRS("sp_Sleep", rows, &params, false); });
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->commandTimeoutSeconds, 600);
    EXPECT_EQ(asked->connectionTimeoutSeconds, 15);
    EXPECT_EQ(error.Number(), 3207);
    EXPECT_EQ(error.Source(), "clsRecordset.RunSpRetRS");
    EXPECT_EQ(error.Description().rfind("the command did not finish within 1 second (the command "
                                        "timeout) and was cancelled (",
                                        0),
              0u)
        << error.Description();
    EXPECT_TRUE(error.Description().ends_with(" SP:sp_Sleep")) << error.Description();
    EXPECT_EQ(rows, nullptr);
    EXPECT_FALSE(rs.IsConnectionOpen());
    EXPECT_EQ(GetConnectionStats().open, openBefore);
}

// A login that gets no answer ends within the connection timeout, whether the wrapper's figure
// or the string's own "Connect Timeout" sets it: 3211 naming the data source, the password
// nowhere, nothing left open.
TEST_F(ServerTimeouts, ConnectionTimeoutEndsASilentLogin) {
    const SilentPort silent;
    const std::string server =
        "Driver={MariaDB Unicode};Server=127.0.0.1;Port=" + std::to_string(silent.Port()) +
        ";UID=root;PWD=Secret-3";
    struct Case {
        const char* name;
        std::string connectionString;
        bool shortenedByTheWrapper;
    };
    const std::vector<Case> cases = {
        {"the wrapper's connection timeout", server, true},
        {"the string's Connect Timeout", server + ";Connect Timeout=1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<ShortTimeouts> shortened;
        if (c.shortenedByTheWrapper) {
            shortened.emplace();
        }
        clsRecordset rs;
        rs.SetConnectionString(c.connectionString);
        ComError error = CaughtComError([&] { rs.TestConnection(); });
        EXPECT_EQ(error.Number(), 3211);
        EXPECT_NE(error.Description().find("cannot connect to Driver=MariaDB Unicode;Server="
                                           "127.0.0.1;UID=root: "),
                  std::string::npos)
            << error.Description();
        EXPECT_NE(error.Description().find("initial communication packet"), std::string::npos)
            << error.Description();
        EXPECT_EQ(error.Description().find("Secret-3"), std::string::npos);
        EXPECT_FALSE(rs.IsConnectionOpen());
        EXPECT_EQ(GetConnectionStats().open, openBefore);
    }
}

}  // namespace
}  // namespace hlreports
