// Writing a recordset's pending changes back through ODBC (see OdbcBatchUpdate.h).
#include "backends/odbc/OdbcBatchUpdate.h"

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "backends/DatabaseError.h"
#include "backends/odbc/OdbcStatement.h"
#include "backends/odbc/OdbcText.h"
#include "backends/odbc/OdbcValues.h"
#include "recordset/AdoTypes.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

struct BaseColumn {
    std::size_t fieldIndex;
    const FieldInfo* field;
};

struct Target {
    std::string table;
    std::string catalog;
    std::vector<BaseColumn> columns;
    std::vector<BaseColumn> keys;
    std::string quote;  // the server's identifier quote
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

std::string Quote(const Target& target, const std::string& name) {
    if (target.quote.empty()) {
        return name;
    }
    return target.quote + ReplaceAll(name, target.quote, target.quote + target.quote) +
           target.quote;
}

std::vector<std::string> PrimaryKeyColumns(const OdbcHandle& connection, const Target& target) {
    OdbcHandle statement(SQL_HANDLE_STMT, connection.Get());
    OdbcWideText catalog = ToOdbcWide(target.catalog);
    OdbcWideText table = ToOdbcWide(target.table);
    std::string context = "reading the primary key of " + target.table;
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

Target FindTarget(const OdbcHandle& connection, const Recordset& recordset) {
    Target target;
    std::set<std::string> tables;
    for (int i = 0; i < recordset.FieldCount(); ++i) {
        const FieldInfo& field = recordset.Field(i);
        if (field.baseTable.empty() || field.baseColumn.empty()) {
            continue;
        }
        tables.insert(field.baseTable);
        target.table = field.baseTable;
        target.catalog = field.baseCatalog;
        target.columns.push_back({static_cast<std::size_t>(i), &field});
    }
    if (tables.empty()) {
        RaiseDatabaseError("the recordset has no base table to write its changes to");
    }
    if (tables.size() > 1) {
        RaiseDatabaseError("the recordset's fields come from several tables (" +
                           Join(std::vector<std::string>(tables.begin(), tables.end()), ", ") +
                           "); a batch update writes one table");
    }
    target.quote = IdentifierQuote(connection);
    for (const std::string& key : PrimaryKeyColumns(connection, target)) {
        auto found = std::find_if(target.columns.begin(), target.columns.end(),
                                  [&](const BaseColumn& column) {
                                      return EqualsIgnoreCase(column.field->baseColumn, key);
                                  });
        if (found == target.columns.end()) {
            target.keys.clear();  // part of the key is missing: locate rows by all values instead
            break;
        }
        target.keys.push_back(*found);
    }
    return target;
}

class BoundStatement {
  public:
    BoundStatement(const OdbcHandle& connection, int timeoutSeconds)
        : statement_(NewOdbcStatement(connection, timeoutSeconds)) {}
    std::string sql;
    void Add(const Variant& value, const FieldInfo& field) {
        values_.emplace_back(field.type, 0, adParamInput, value, "column " + field.name);
    }
    // Runs the statement and returns the number of rows it changed.
    SQLLEN Run() {
        for (std::size_t i = 0; i < values_.size(); ++i) {
            values_[i].Bind(statement_, static_cast<SQLUSMALLINT>(i + 1));
        }
        SQLLEN changed = 0;
        RunOdbcStatement(statement_, sql, {}, false, "", &changed);
        return changed;
    }

  private:
    OdbcHandle statement_;
    std::deque<OdbcParameter> values_;
};

void AppendLocator(BoundStatement& statement, const Target& target,
                   const Recordset::PendingChange& change,
                   const std::vector<BaseColumn>& alsoCompare) {
    std::vector<BaseColumn> compared = target.keys.empty() ? target.columns : target.keys;
    if (!target.keys.empty()) {
        compared.insert(compared.end(), alsoCompare.begin(), alsoCompare.end());
    }
    const char* separator = " WHERE ";
    for (const BaseColumn& column : compared) {
        const Variant& original = change.originalValues[column.fieldIndex];
        std::string name = Quote(target, column.field->baseColumn);
        if (original.IsNull() || original.IsEmpty()) {
            statement.sql += separator + name + " IS NULL";
        } else {
            statement.sql += separator + name + " = ?";
            statement.Add(original, *column.field);
        }
        separator = " AND ";
    }
}

[[noreturn]] void RaiseNotLocated(const Target& target, std::string_view action) {
    RaiseDatabaseError("Row cannot be located for " + std::string(action) + " in " + target.table +
                       ": it was changed or deleted by another user since it was read");
}

void ApplyUpdate(const OdbcHandle& connection, int timeout, const Target& target,
                 const Recordset::PendingChange& change) {
    std::vector<BaseColumn> changed;
    for (const BaseColumn& column : target.columns) {
        if (!(change.currentValues[column.fieldIndex] ==
              change.originalValues[column.fieldIndex])) {
            changed.push_back(column);
        }
    }
    if (changed.empty()) {
        return;
    }
    BoundStatement statement(connection, timeout);
    statement.sql = "UPDATE " + Quote(target, target.table) + " SET ";
    const char* separator = "";
    for (const BaseColumn& column : changed) {
        statement.sql += separator + Quote(target, column.field->baseColumn) + " = ?";
        statement.Add(change.currentValues[column.fieldIndex], *column.field);
        separator = ", ";
    }
    AppendLocator(statement, target, change, changed);
    if (statement.Run() == 0) {
        RaiseNotLocated(target, "updating");
    }
}

void ApplyInsert(const OdbcHandle& connection, int timeout, const Target& target,
                 const Recordset::PendingChange& change) {
    BoundStatement statement(connection, timeout);
    std::string names;
    std::string marks;
    for (const BaseColumn& column : target.columns) {
        const Variant& value = change.currentValues[column.fieldIndex];
        if (value.IsEmpty() || value.IsNull()) {
            // An unset field cannot be told from one set to Null; leaving it out lets the
            // column's default (or its auto-increment) apply.
            continue;
        }
        names += (names.empty() ? "" : ", ") + Quote(target, column.field->baseColumn);
        marks += marks.empty() ? "?" : ", ?";
        statement.Add(value, *column.field);
    }
    statement.sql =
        "INSERT INTO " + Quote(target, target.table) + " (" + names + ") VALUES (" + marks + ")";
    statement.Run();
}

void ApplyDelete(const OdbcHandle& connection, int timeout, const Target& target,
                 const Recordset::PendingChange& change) {
    BoundStatement statement(connection, timeout);
    statement.sql = "DELETE FROM " + Quote(target, target.table);
    AppendLocator(statement, target, change, {});
    if (statement.Run() == 0) {
        RaiseNotLocated(target, "deleting");
    }
}

void RunPlain(const OdbcHandle& connection, int timeout, std::string_view sql) {
    OdbcHandle statement = NewOdbcStatement(connection, timeout);
    RunOdbcStatement(statement, sql, {}, false, "");
}

void SetAutocommit(const OdbcHandle& connection, bool on) {
    SQLULEN value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    CheckOdbc(SQLSetConnectAttr(connection.Get(), SQL_ATTR_AUTOCOMMIT,
                                reinterpret_cast<SQLPOINTER>(value), 0),
              connection, "the batch update's transaction");
}

void ApplyChanges(const OdbcHandle& connection, int timeout, const Target& target,
                  const std::vector<Recordset::PendingChange>& changes) {
    for (const Recordset::PendingChange& change : changes) {
        bool isNew = (change.status & adRecNew) != 0;
        if ((change.status & adRecDeleted) != 0) {
            if (!isNew) {  // a row added and deleted again never reached the table
                ApplyDelete(connection, timeout, target, change);
            }
        } else if (isNew) {
            ApplyInsert(connection, timeout, target, change);
        } else if ((change.status & adRecModified) != 0) {
            ApplyUpdate(connection, timeout, target, change);
        }
    }
}

}  // namespace

void ApplyOdbcPendingChanges(const OdbcHandle& connection, const Recordset& recordset,
                             int commandTimeoutSeconds, bool inTransaction) {
    std::vector<Recordset::PendingChange> changes = recordset.PendingChanges();
    if (changes.empty()) {
        return;
    }
    Target target = FindTarget(connection, recordset);
    if (inTransaction) {
        RunPlain(connection, commandTimeoutSeconds, "SAVEPOINT hl_update_batch");
        try {
            ApplyChanges(connection, commandTimeoutSeconds, target, changes);
        } catch (...) {
            // The batch's own error is the one to report; should undoing it fail too, the
            // caller's transaction still holds the partial batch and is rolled back by the caller.
            try {
                RunPlain(connection, commandTimeoutSeconds,
                         "ROLLBACK TO SAVEPOINT hl_update_batch");
            } catch (...) {
            }
            throw;
        }
        RunPlain(connection, commandTimeoutSeconds, "RELEASE SAVEPOINT hl_update_batch");
        return;
    }
    SetAutocommit(connection, false);
    try {
        ApplyChanges(connection, commandTimeoutSeconds, target, changes);
        CheckOdbc(SQLEndTran(SQL_HANDLE_DBC, connection.Get(), SQL_COMMIT), connection,
                  "committing the batch update");
    } catch (...) {
        SQLEndTran(SQL_HANDLE_DBC, connection.Get(), SQL_ROLLBACK);
        SQLSetConnectAttr(connection.Get(), SQL_ATTR_AUTOCOMMIT,
                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
        throw;
    }
    SetAutocommit(connection, true);
}

}  // namespace hlreports
