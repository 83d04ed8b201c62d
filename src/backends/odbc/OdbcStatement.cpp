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
    statement.SetCharsAreUtf8(connection.CharsAreUtf8());
    return statement;
}

namespace {

// The names of the echoed outputs whose value in the echo's one row is NULL.
void ReadNullOutputs(const OdbcHandle& statement, const std::vector<std::string>& outputNames,
                     std::set<std::string>& nullOutputs) {
    const SQLRETURN rc = SQLFetch(statement.Get());
    if (rc == SQL_NO_DATA) {
        return;
    }
    CheckOdbc(rc, statement, "");
    for (std::size_t i = 0; i < outputNames.size(); ++i) {
        char probe[1];
        SQLLEN indicator = 0;
        const SQLRETURN got = SQLGetData(statement.Get(), static_cast<SQLUSMALLINT>(i + 1),
                                         SQL_C_CHAR, probe, sizeof probe, &indicator);
        if (OdbcSucceeded(got) && indicator == SQL_NULL_DATA) {
            nullOutputs.insert(outputNames[i]);
        }
    }
}

RecordsetPtr RunAndCollect(const OdbcHandle& statement, std::string_view text,
                           const std::vector<std::string>& outputNames, bool wantRows,
                           std::string source, SQLLEN* rowsChanged,
                           std::set<std::string>* nullOutputs) {
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
        if (columns > 0 && (wantRows || nullOutputs != nullptr)) {
            const bool echo = EchoesOutputs(OdbcColumnNames(statement), outputNames);
            if (echo && nullOutputs != nullptr) {
                ReadNullOutputs(statement, outputNames, *nullOutputs);
            } else if (!echo && wantRows && !rows) {
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
                              std::string source, SQLLEN* rowsChanged,
                              std::set<std::string>* nullOutputs) {
    OdbcWatchdog watchdog(statement);
    RecordsetPtr rows;
    try {
        rows = RunAndCollect(statement, text, outputNames, wantRows, std::move(source), rowsChanged,
                             nullOutputs);
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
