// The statements of a batch update (see BatchUpdate.h).
#include "backends/BatchUpdate.h"

#include <algorithm>
#include <set>

#include "backends/DatabaseError.h"
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

Target FindTarget(const Recordset& recordset, const PrimaryKeyReader& primaryKey) {
    Target target;
    std::string catalog;
    std::set<std::string> tables;
    for (int i = 0; i < recordset.FieldCount(); ++i) {
        const FieldInfo& field = recordset.Field(i);
        if (field.baseTable.empty() || field.baseColumn.empty()) {
            continue;
        }
        tables.insert(field.baseTable);
        target.table = field.baseTable;
        catalog = field.baseCatalog;
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
    for (const std::string& key : primaryKey(target.table, catalog)) {
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

class Writer {
  public:
    Writer(const Target& target, const BatchUpdateDialect& dialect, const BatchStatementRunner& run)
        : target_(target), dialect_(dialect), run_(run) {}

    void Update(const Recordset::PendingChange& change) const {
        std::vector<BaseColumn> changed;
        for (const BaseColumn& column : target_.columns) {
            if (!(change.currentValues[column.fieldIndex] ==
                  change.originalValues[column.fieldIndex])) {
                changed.push_back(column);
            }
        }
        if (changed.empty()) {
            return;
        }
        BatchStatement statement;
        statement.locates = "updating";
        statement.sql = "UPDATE " + dialect_.Quote(target_.table) + " SET ";
        const char* separator = "";
        for (const BaseColumn& column : changed) {
            statement.sql += separator + dialect_.Quote(column.field->baseColumn) + " = ?";
            statement.values.push_back({change.currentValues[column.fieldIndex], column.field});
            separator = ", ";
        }
        AppendLocator(statement, change, changed);
        Run(statement);
    }

    void Insert(const Recordset::PendingChange& change) const {
        BatchStatement statement;
        std::string names;
        std::string marks;
        for (const BaseColumn& column : target_.columns) {
            const Variant& value = change.currentValues[column.fieldIndex];
            if (value.IsEmpty() || value.IsNull()) {
                // A new row starts as Null, so an unset field cannot be told from one set to
                // Null; leaving it out lets the column's default (or its automatic key) apply,
                // and a column without a default gets NULL anyway.
                continue;
            }
            names += (names.empty() ? "" : ", ") + dialect_.Quote(column.field->baseColumn);
            marks += marks.empty() ? "?" : ", ?";
            statement.values.push_back({value, column.field});
        }
        statement.sql =
            "INSERT INTO " + dialect_.Quote(target_.table) +
            (names.empty() ? dialect_.DefaultRow() : " (" + names + ") VALUES (" + marks + ")");
        Run(statement);
    }

    void Delete(const Recordset::PendingChange& change) const {
        BatchStatement statement;
        statement.locates = "deleting";
        statement.sql = "DELETE FROM " + dialect_.Quote(target_.table);
        AppendLocator(statement, change, {});
        Run(statement);
    }

  private:
    const Target& target_;
    const BatchUpdateDialect& dialect_;
    const BatchStatementRunner& run_;

    // WHERE clause locating the original row: the key, plus `alsoCompare` columns; or, without
    // a key, every base column.
    void AppendLocator(BatchStatement& statement, const Recordset::PendingChange& change,
                       const std::vector<BaseColumn>& alsoCompare) const {
        std::vector<BaseColumn> compared = target_.keys.empty() ? target_.columns : target_.keys;
        if (!target_.keys.empty()) {
            compared.insert(compared.end(), alsoCompare.begin(), alsoCompare.end());
        }
        const char* separator = " WHERE ";
        for (const BaseColumn& column : compared) {
            const Variant& original = change.originalValues[column.fieldIndex];
            const std::string name = dialect_.Quote(column.field->baseColumn);
            if (original.IsNull() || original.IsEmpty()) {
                statement.sql += separator + name + " IS NULL";
            } else {
                statement.sql += separator + dialect_.Equals(*column.field, name);
                statement.values.push_back({original, column.field});
            }
            separator = " AND ";
        }
    }

    // One pending change stands for one row: none means another user got there first, several
    // mean the locator cannot tell identical rows apart, and the whole batch must not be applied.
    void Run(const BatchStatement& statement) const {
        const std::int64_t affected = run_(statement);
        if (statement.locates.empty()) {
            return;
        }
        if (affected == 0) {
            RaiseDatabaseError("Row cannot be located for " + statement.locates + " in " +
                               target_.table +
                               ": it was changed or deleted by another user since it was read");
        }
        if (affected > 1) {
            RaiseDatabaseError(
                "Key column information is insufficient or incorrect. Too many rows were "
                "affected by " +
                statement.locates + " in " + target_.table + " (" + std::to_string(affected) +
                " rows match one pending change)");
        }
    }
};

}  // namespace

void WritePendingChanges(const Recordset& recordset, const BatchUpdateDialect& dialect,
                         const PrimaryKeyReader& primaryKey, const BatchStatementRunner& run) {
    const std::vector<Recordset::PendingChange> changes = recordset.PendingChanges();
    if (changes.empty()) {
        return;
    }
    const Target target = FindTarget(recordset, primaryKey);
    const Writer writer(target, dialect, run);
    for (const Recordset::PendingChange& change : changes) {
        const bool isNew = (change.status & adRecNew) != 0;
        if ((change.status & adRecDeleted) != 0) {
            if (!isNew) {  // a row added and deleted again never reached the table
                writer.Delete(change);
            }
        } else if (isNew) {
            writer.Insert(change);
        } else if ((change.status & adRecModified) != 0) {
            writer.Update(change);
        }
    }
}

}  // namespace hlreports
