// Backend selection and connection accounting (see Connections.h).
//
// Every connection handed out by OpenConnection is wrapped in a CountedConnection, whatever the
// opener, so tests can see how many connections are open at any moment; this is what makes the
// wrapper's "no connection stays open outside a transaction" rule observable.
#include "data/Connections.h"

#include "backends/ConnectionString.h"
#include "backends/ForwardingConnection.h"
#include "backends/odbc/OdbcConnection.h"
#include "backends/sqlite/SqliteConnection.h"
#include "backends/sqlite/SqliteHandles.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

ConnectionStats stats;
ConnectionOpener testOpener = nullptr;

class CountedConnection final : public ForwardingConnection {
  public:
    explicit CountedConnection(std::unique_ptr<Connection> inner)
        : ForwardingConnection(std::move(inner)) {
        ++stats.opened;
        ++stats.open;
    }
    ~CountedConnection() override { --stats.open; }
    CountedConnection(const CountedConnection&) = delete;
    CountedConnection& operator=(const CountedConnection&) = delete;
};

}  // namespace

std::unique_ptr<Connection> OpenBackendConnection(std::string_view connectionString,
                                                  const ConnectionOptions& options) {
    std::vector<ConnectionStringKey> keys = ParseConnectionString(connectionString);
    std::optional<std::string> server = FindConnectionKey(keys, "Server");
    if (server && EqualsIgnoreCase(*server, "(embedded)")) {
        return OpenSqliteConnection(FindConnectionKey(keys, "Database").value_or(""));
    }
    return OpenOdbcConnection(connectionString, options);
}

std::unique_ptr<Connection> OpenConnection(std::string_view connectionString,
                                           const ConnectionOptions& options) {
    std::unique_ptr<Connection> connection = testOpener
                                                 ? testOpener(connectionString, options)
                                                 : OpenBackendConnection(connectionString, options);
    if (!connection) {
        RaiseDatabaseError("no connection could be opened");
    }
    return std::make_unique<CountedConnection>(std::move(connection));
}

const ConnectionStats& GetConnectionStats() {
    return stats;
}

void SetConnectionOpenerForTests(ConnectionOpener opener) {
    testOpener = opener;
}

}  // namespace hlreports
