// Writing a recordset's pending changes back through ODBC (see OdbcBatchUpdate.h).
#include "backends/odbc/OdbcBatchUpdate.h"

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "backends/BatchUpdate.h"
#include "backends/odbc/OdbcStatement.h"
#include "backends/odbc/OdbcText.h"
#include "backends/odbc/OdbcTransaction.h"
#include "backends/odbc/OdbcValues.h"
#include "recordset/AdoTypes.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

class OdbcDialect final : public BatchUpdateDialect {
  public:
    explicit OdbcDialect(std::string quote) : quote_(std::move(quote)) {}
    std::string Quote(std::string_view name) const override {
        if (quote_.empty()) {
            return std::string(name);
        }
        return quote_ + ReplaceAll(std::string(name), quote_, quote_ + quote_) + quote_;
    }
    std::string Equals(const FieldInfo&, const std::string& column) const override {
        return column + " = ?";
    }
    std::string DefaultRow() const override { return " () VALUES ()"; }

  private:
    std::string quote_;  // the server's identifier quote
};

std::string IdentifierQuote(const OdbcHandle& connection) {
    SQLWCHAR quote[8] = {};
    SQLSMALLINT bytes = 0;
    if (!OdbcSucceeded(SQLGetInfoW(connection.Get(), SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote,
                                   &bytes)) ||
        bytes <= 0) {
        return "\"";
    }
    std::string text = FromOdbcWide(quote, static_cast<std::size_t>(bytes) / sizeof(SQLWCHAR));
    return text == " " ? "" : text;
}

std::vector<std::string> PrimaryKeyColumns(const OdbcHandle& connection,
                                           const std::string& tableName,
                                           const std::string& catalogName) {
    OdbcHandle statement(SQL_HANDLE_STMT, connection.Get());
    OdbcWideText catalog = ToOdbcWide(catalogName);
    OdbcWideText table = ToOdbcWide(tableName);
    std::string context = "reading the primary key of " + tableName;
    CheckOdbc(SQLPrimaryKeysW(statement.Get(), catalog.empty() ? nullptr : catalog.data(),
                              static_cast<SQLSMALLINT>(catalog.size()), nullptr, 0, table.data(),
                              static_cast<SQLSMALLINT>(table.size())),
              statement, context);
    std::vector<std::pair<SQLBIGINT, std::string>> keys;
    while (true) {
        SQLRETURN rc = SQLFetch(statement.Get());
        if (rc == SQL_NO_DATA) {
            break;
        }
        CheckOdbc(rc, statement, context);
        // Columns: 4 COLUMN_NAME, 5 KEY_SEQ.
        SQLWCHAR name[256] = {};
        SQLLEN bytes = 0;
        CheckOdbc(SQLGetData(statement.Get(), 4, SQL_C_WCHAR, name, sizeof name, &bytes), statement,
                  context);
        SQLBIGINT sequence = 0;
        SQLLEN indicator = 0;
        CheckOdbc(
            SQLGetData(statement.Get(), 5, SQL_C_SBIGINT, &sequence, sizeof sequence, &indicator),
            statement, context);
        std::size_t units = bytes > 0 ? std::min<std::size_t>(
                                            static_cast<std::size_t>(bytes) / sizeof(SQLWCHAR), 255)
                                      : 0;
        keys.emplace_back(sequence, FromOdbcWide(name, units));
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::string> names;
    for (auto& key : keys) {
        names.push_back(std::move(key.second));
    }
    return names;
}

std::int64_t RunBound(const OdbcHandle& connection, int timeoutSeconds,
                      const BatchStatement& bound) {
    OdbcHandle statement = NewOdbcStatement(connection, timeoutSeconds);
    std::deque<OdbcParameter> values;
    for (const BatchValue& value : bound.values) {
        values.emplace_back(value.field->type, 0, adParamInput, value.value,
                            "column " + value.field->name);
        values.back().Bind(statement, static_cast<SQLUSMALLINT>(values.size()));
    }
    SQLLEN changed = 0;
    RunOdbcStatement(statement, bound.sql, {}, false, "", &changed);
    return changed;
}

}  // namespace

void ApplyOdbcPendingChanges(const OdbcHandle& connection, const Recordset& recordset,
                             int commandTimeoutSeconds, bool inTransaction) {
    if (recordset.PendingChanges().empty()) {
        return;
    }
    const OdbcDialect dialect(IdentifierQuote(connection));
    OdbcUnitOfWork unit(connection, commandTimeoutSeconds, inTransaction, "hl_update_batch");
    WritePendingChanges(
        recordset, dialect,
        [&connection](const std::string& table, const std::string& catalog) {
            return PrimaryKeyColumns(connection, table, catalog);
        },
        [&connection, commandTimeoutSeconds](const BatchStatement& statement) {
            return RunBound(connection, commandTimeoutSeconds, statement);
        });
    unit.Keep();
}

}  // namespace hlreports
