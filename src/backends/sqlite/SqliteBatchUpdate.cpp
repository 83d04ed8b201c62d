// Writing a recordset's pending changes back to its base table (see SqliteBatchUpdate.h).
#include "backends/sqlite/SqliteBatchUpdate.h"

#include <string>
#include <vector>

#include "backends/BatchUpdate.h"
#include "backends/sqlite/SqliteHandles.h"
#include "backends/sqlite/SqliteValues.h"
#include "recordset/AdoTypes.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

class SqliteDialect final : public BatchUpdateDialect {
  public:
    std::string Quote(std::string_view name) const override { return QuoteIdentifier(name); }
    // Dates and money compare by value rather than by their stored spelling.
    std::string Equals(const FieldInfo& field, const std::string& column) const override {
        switch (field.type) {
            case adDBDate:
            case adDBTimeStamp:
                return "julianday(" + column + ") = julianday(?)";
            case adCurrency:
                return "round(" + column + ", 4) = round(?, 4)";
            default:
                return column + " = ?";
        }
    }
    std::string DefaultRow() const override { return " DEFAULT VALUES"; }
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

std::int64_t RunBound(sqlite3* db, const BatchStatement& bound) {
    StatementHandle statement = PrepareStatement(db, bound.sql);
    for (std::size_t i = 0; i < bound.values.size(); ++i) {
        const BatchValue& value = bound.values[i];
        BindValue(db, statement.get(), static_cast<int>(i + 1),
                  ValueForColumn(value.value, *value.field, "column " + value.field->name));
    }
    if (sqlite3_step(statement.get()) != SQLITE_DONE) {
        RaiseDatabaseError(db, "");
    }
    return sqlite3_changes(db);
}

}  // namespace

void ApplyPendingChanges(sqlite3* db, const Recordset& recordset) {
    if (recordset.PendingChanges().empty()) {
        return;
    }
    SavepointGuard savepoint(db, "hl_update_batch");
    WritePendingChanges(
        recordset, SqliteDialect(),
        [db](const std::string& table, const std::string&) { return PrimaryKeyColumns(db, table); },
        [db](const BatchStatement& statement) { return RunBound(db, statement); });
    savepoint.Release();
}

}  // namespace hlreports
