// Reading a statement's rows into a Recordset (see SqliteRows.h).
#include "backends/sqlite/SqliteRows.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "backends/sqlite/SqliteHandles.h"
#include "backends/sqlite/SqliteValues.h"
#include "runtime/ComError.h"

namespace hlreports {
namespace {

std::string TextOrEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

struct ColumnOrigin {
    std::string database;
    std::string table;
    std::string column;
};

ColumnOrigin OriginOf(sqlite3_stmt* statement, int column) {
    return {TextOrEmpty(sqlite3_column_database_name(statement, column)),
            TextOrEmpty(sqlite3_column_table_name(statement, column)),
            TextOrEmpty(sqlite3_column_origin_name(statement, column))};
}

bool AnyNull(const std::vector<std::vector<SqlValue>>& stored, std::size_t column) {
    return std::any_of(stored.begin(), stored.end(), [column](const std::vector<SqlValue>& row) {
        return std::holds_alternative<std::monostate>(row[column]);
    });
}

// A NOT NULL base column can still yield NULL through an outer join; the field then stays
// nullable so that the saved XML loads again.
void ApplyBaseColumn(sqlite3* db, const ColumnOrigin& origin, bool holdsNull, FieldInfo& field) {
    if (origin.table.empty() || origin.column.empty()) {
        return;
    }
    field.baseTable = origin.table;
    field.baseColumn = origin.column;
    field.attributes |= adFldUnknownUpdatable;
    int notNull = 0;
    int primaryKey = 0;
    if (sqlite3_table_column_metadata(db, origin.database.c_str(), origin.table.c_str(),
                                      origin.column.c_str(), nullptr, nullptr, &notNull,
                                      &primaryKey, nullptr) != SQLITE_OK) {
        return;
    }
    if (notNull != 0 && !holdsNull) {
        field.attributes &= ~static_cast<uint32_t>(adFldIsNullable | adFldMayBeNull);
    }
    if (primaryKey != 0) {
        field.isKeyColumn = true;
        field.attributes |= adFldKeyColumn;
    }
}

// The value that types an expression column: its first non-null one, except that a whole-number
// column holding a real later becomes a real column (rounding it would lose the fraction). A
// text column is as wide as its longest value in text form.
void ExpressionSample(const std::vector<std::vector<SqlValue>>& stored, std::size_t column,
                      SqlValue& sample, int& longestText) {
    for (const auto& row : stored) {
        const SqlValue& value = row[column];
        if (std::holds_alternative<std::monostate>(sample) ||
            (std::holds_alternative<int64_t>(sample) && std::holds_alternative<double>(value))) {
            sample = value;
        }
    }
    if (std::holds_alternative<int64_t>(sample) || std::holds_alternative<double>(sample)) {
        return;
    }
    for (const auto& row : stored) {
        if (!std::holds_alternative<std::monostate>(row[column])) {
            longestText = std::max(longestText, CharacterCount(StoredText(row[column])));
        }
    }
}

}  // namespace

RecordsetPtr ReadRows(sqlite3* db, sqlite3_stmt* statement, std::string source,
                      std::string_view context) {
    int columnCount = sqlite3_column_count(statement);
    std::vector<std::vector<SqlValue>> stored;
    while (true) {
        int rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE) {
            break;
        }
        if (rc != SQLITE_ROW) {
            RaiseDatabaseError(db, context);
        }
        std::vector<SqlValue> row;
        row.reserve(static_cast<std::size_t>(columnCount));
        for (int column = 0; column < columnCount; ++column) {
            row.push_back(ReadColumnValue(statement, column));
        }
        stored.push_back(std::move(row));
    }

    auto recordset = std::make_shared<Recordset>();
    std::vector<FieldInfo> fields;
    for (int column = 0; column < columnCount; ++column) {
        const char* declaredText = sqlite3_column_decltype(statement, column);
        std::optional<SqlType> declared = declaredText ? ParseSqlType(declaredText) : std::nullopt;
        SqlValue sample;
        int longestText = 0;
        if (!declared) {
            ExpressionSample(stored, static_cast<std::size_t>(column), sample, longestText);
        }
        FieldInfo field = DescribeColumn(TextOrEmpty(sqlite3_column_name(statement, column)),
                                         declared, sample, longestText);
        ApplyBaseColumn(db, OriginOf(statement, column),
                        AnyNull(stored, static_cast<std::size_t>(column)), field);
        fields.push_back(field);
        recordset->AppendField(std::move(field));
    }
    recordset->Open(adLockBatchOptimistic);
    std::string prefix = context.empty() ? std::string() : std::string(context) + ": ";
    for (std::size_t r = 0; r < stored.size(); ++r) {
        std::vector<Variant> values;
        values.reserve(fields.size());
        for (std::size_t c = 0; c < fields.size(); ++c) {
            try {
                values.push_back(FieldValue(stored[r][c], fields[c].type, ""));
            } catch (const ComError& error) {
                // The place is spelled out only on failure: building it per value costs.
                RaiseDatabaseError(prefix + "column " + fields[c].name + ", row " +
                                   std::to_string(r + 1) + ": " + error.Description());
            }
        }
        recordset->AppendRow(std::move(values));
    }
    recordset->FinishLoading();
    recordset->SetSource(std::move(source));
    return recordset;
}

}  // namespace hlreports
