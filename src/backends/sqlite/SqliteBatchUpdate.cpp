// Writing a recordset's pending changes back to its base table (see SqliteBatchUpdate.h).
#include "backends/sqlite/SqliteBatchUpdate.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "backends/sqlite/SqliteHandles.h"
#include "backends/sqlite/SqliteValues.h"
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
    std::vector<BaseColumn> columns;  // fields that map to a column of the table
    std::vector<BaseColumn> keys;     // the table's whole primary key, or empty
};

std::vector<std::string> PrimaryKeyColumns(sqlite3* db, const std::string& table) {
    StatementHandle statement =
        PrepareStatement(db, "SELECT name FROM pragma_table_info(?1) WHERE pk > 0 ORDER BY pk");
    BindValue(db, statement.get(), 1, table);
    std::vector<std::string> names;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    }
    if (rc != SQLITE_DONE) {
        RaiseDatabaseError(db, "reading the primary key of " + table);
    }
    return names;
}

Target FindTarget(sqlite3* db, const Recordset& recordset) {
    Target target;
    std::set<std::string> tables;
    for (int i = 0; i < recordset.FieldCount(); ++i) {
        const FieldInfo& field = recordset.Field(i);
        if (field.baseTable.empty() || field.baseColumn.empty()) {
            continue;
        }
        tables.insert(field.baseTable);
        target.table = field.baseTable;
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
    for (const std::string& key : PrimaryKeyColumns(db, target.table)) {
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

// A comparison that also matches NULL, and that compares dates and money by value rather than by
// their stored spelling.
std::string Condition(const FieldInfo& field) {
    std::string column = QuoteIdentifier(field.baseColumn);
    switch (field.type) {
        case adDBDate:
        case adDBTimeStamp:
            return "julianday(" + column + ") IS julianday(?)";
        case adCurrency:
            return "round(" + column + ", 4) IS round(?, 4)";
        default:
            return column + " IS ?";
    }
}

class StatementBuilder {
  public:
    explicit StatementBuilder(sqlite3* db) : db_(db) {}
    std::string sql;
    void Add(SqlValue value) { values_.push_back(std::move(value)); }
    // Runs the statement and returns the number of rows it changed.
    int Run() {
        StatementHandle statement = PrepareStatement(db_, sql);
        for (std::size_t i = 0; i < values_.size(); ++i) {
            BindValue(db_, statement.get(), static_cast<int>(i + 1), values_[i]);
        }
        if (sqlite3_step(statement.get()) != SQLITE_DONE) {
            RaiseDatabaseError(db_, "");
        }
        return sqlite3_changes(db_);
    }

  private:
    sqlite3* db_;
    std::vector<SqlValue> values_;
};

std::string Place(const FieldInfo& field) {
    return "column " + field.name;
}

// WHERE clause locating the original row: the key, plus `alsoCompare` columns; or, without a
// key, every base column.
void AppendLocator(StatementBuilder& statement, const Target& target,
                   const Recordset::PendingChange& change,
                   const std::vector<BaseColumn>& alsoCompare) {
    std::vector<BaseColumn> compared = target.keys.empty() ? target.columns : target.keys;
    if (!target.keys.empty()) {
        compared.insert(compared.end(), alsoCompare.begin(), alsoCompare.end());
    }
    const char* separator = " WHERE ";
    for (const BaseColumn& column : compared) {
        statement.sql += separator + Condition(*column.field);
        statement.Add(ValueForColumn(change.originalValues[column.fieldIndex], *column.field,
                                     Place(*column.field)));
        separator = " AND ";
    }
}

// One pending change stands for one row: none means another user got there first, several mean
// the locator cannot tell identical rows apart, and the whole batch must not be applied.
void RequireOneRow(int affected, const Target& target, std::string_view action) {
    if (affected == 0) {
        RaiseDatabaseError("Row cannot be located for " + std::string(action) + " in " +
                           target.table +
                           ": it was changed or deleted by another user since it was read");
    }
    if (affected > 1) {
        RaiseDatabaseError(
            "Key column information is insufficient or incorrect. Too many rows "
            "were affected by " +
            std::string(action) + " in " + target.table + " (" + std::to_string(affected) +
            " rows match one pending change)");
    }
}

void ApplyUpdate(sqlite3* db, const Target& target, const Recordset::PendingChange& change) {
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
    StatementBuilder statement(db);
    statement.sql = "UPDATE " + QuoteIdentifier(target.table) + " SET ";
    const char* separator = "";
    for (const BaseColumn& column : changed) {
        statement.sql += separator + QuoteIdentifier(column.field->baseColumn) + " = ?";
        statement.Add(ValueForColumn(change.currentValues[column.fieldIndex], *column.field,
                                     Place(*column.field)));
        separator = ", ";
    }
    AppendLocator(statement, target, change, changed);
    RequireOneRow(statement.Run(), target, "updating");
}

void ApplyInsert(sqlite3* db, const Target& target, const Recordset::PendingChange& change) {
    StatementBuilder statement(db);
    std::string names;
    std::string marks;
    for (const BaseColumn& column : target.columns) {
        const Variant& value = change.currentValues[column.fieldIndex];
        if (value.IsEmpty() || value.IsNull()) {
            // A new row starts as Null, so an unset field cannot be told from one set to Null;
            // leaving it out lets the column's default (or the rowid) apply, and a column
            // without a default gets NULL anyway.
            continue;
        }
        names += (names.empty() ? "" : ", ") + QuoteIdentifier(column.field->baseColumn);
        marks += marks.empty() ? "?" : ", ?";
        statement.Add(ValueForColumn(value, *column.field, Place(*column.field)));
    }
    statement.sql = "INSERT INTO " + QuoteIdentifier(target.table) +
                    (names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")");
    statement.Run();
}

void ApplyDelete(sqlite3* db, const Target& target, const Recordset::PendingChange& change) {
    StatementBuilder statement(db);
    statement.sql = "DELETE FROM " + QuoteIdentifier(target.table);
    AppendLocator(statement, target, change, {});
    RequireOneRow(statement.Run(), target, "deleting");
}

}  // namespace

void ApplyPendingChanges(sqlite3* db, const Recordset& recordset) {
    std::vector<Recordset::PendingChange> changes = recordset.PendingChanges();
    if (changes.empty()) {
        return;
    }
    Target target = FindTarget(db, recordset);
    SavepointGuard savepoint(db, "hl_update_batch");
    for (const Recordset::PendingChange& change : changes) {
        bool isNew = (change.status & adRecNew) != 0;
        if ((change.status & adRecDeleted) != 0) {
            if (!isNew) {  // a row added and deleted again never reached the table
                ApplyDelete(db, target, change);
            }
        } else if (isNew) {
            ApplyInsert(db, target, change);
        } else if ((change.status & adRecModified) != 0) {
            ApplyUpdate(db, target, change);
        }
    }
    savepoint.Release();
}

}  // namespace hlreports
