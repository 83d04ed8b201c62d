// Running a statement and consuming its results (see OdbcStatement.h).
#include "backends/odbc/OdbcStatement.h"

#include "backends/DatabaseError.h"
#include "backends/odbc/OdbcRows.h"
#include "backends/odbc/OdbcText.h"
#include "backends/odbc/OdbcWatchdog.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

bool EchoesOutputs(const std::vector<std::string>& columns,
                   const std::vector<std::string>& outputNames) {
    if (outputNames.empty() || columns.size() != outputNames.size()) {
        return false;
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string_view declared = outputNames[i];
        if (!declared.empty() && declared.front() == '@') {
            declared.remove_prefix(1);
        }
        std::string_view column = columns[i];
        if (!column.empty() && column.front() == '@') {
            column.remove_prefix(1);
        }
        if (!EqualsIgnoreCase(column, declared)) {
            return false;
        }
    }
    return true;
}

}  // namespace

OdbcHandle NewOdbcStatement(const OdbcHandle& connection, int commandTimeoutSeconds) {
    OdbcHandle statement(SQL_HANDLE_STMT, connection.Get());
    // Drivers that cannot time out statements say so with a warning; the call still runs.
    SQLSetStmtAttr(statement.Get(), SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(commandTimeoutSeconds)), 0);
    statement.SetCommandTimeout(commandTimeoutSeconds);
    return statement;
}

namespace {

RecordsetPtr RunAndCollect(const OdbcHandle& statement, std::string_view text,
                           const std::vector<std::string>& outputNames, bool wantRows,
                           std::string source, SQLLEN* rowsChanged) {
    OdbcWideText wide = ToOdbcWide(text);
    SQLRETURN rc =
        SQLExecDirectW(statement.Get(), wide.data(), static_cast<SQLINTEGER>(wide.size()));
    if (rowsChanged != nullptr) {
        *rowsChanged = 0;
    }
    if (rc == SQL_NO_DATA) {
        return nullptr;  // a searched UPDATE or DELETE that touched no row
    }
    CheckOdbc(rc, statement, "");
    if (rowsChanged != nullptr) {
        CheckOdbc(SQLRowCount(statement.Get(), rowsChanged), statement, "");
    }
    RecordsetPtr rows;
    while (true) {
        SQLSMALLINT columns = 0;
        CheckOdbc(SQLNumResultCols(statement.Get(), &columns), statement, "");
        if (columns > 0 && wantRows && !rows) {
            if (!EchoesOutputs(OdbcColumnNames(statement), outputNames)) {
                rows = ReadOdbcRows(statement, source);
            }
        }
        rc = SQLMoreResults(statement.Get());
        if (rc == SQL_NO_DATA) {
            break;
        }
        CheckOdbc(rc, statement, "");
    }
    return rows;
}

}  // namespace

RecordsetPtr RunOdbcStatement(const OdbcHandle& statement, std::string_view text,
                              const std::vector<std::string>& outputNames, bool wantRows,
                              std::string source, SQLLEN* rowsChanged) {
    OdbcWatchdog watchdog(statement);
    RecordsetPtr rows;
    try {
        rows =
            RunAndCollect(statement, text, outputNames, wantRows, std::move(source), rowsChanged);
    } catch (const ComError& error) {
        if (watchdog.Stop()) {
            RaiseDatabaseError(watchdog.TimeoutMessage() + " (" + error.Description() + ")");
        }
        throw;
    }
    // A cancelled statement may also end quietly (MariaDB's SLEEP returns 1 when killed), so the
    // watchdog's word decides, not the driver's.
    if (watchdog.Stop()) {
        RaiseDatabaseError(watchdog.TimeoutMessage());
    }
    return rows;
}

}  // namespace hlreports
