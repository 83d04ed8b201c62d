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

// A NOT NULL base column makes the field not nullable; the loader makes it nullable again when
// the column yields NULL after all (through an outer join), so that the saved XML loads again.
void ApplyBaseColumn(sqlite3* db, const ColumnOrigin& origin, FieldInfo& field) {
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
    if (notNull != 0) {
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
void ExpressionSample(const std::vector<SqlValue>& values, SqlValue& sample, int& longestText) {
    for (const SqlValue& value : values) {
        if (std::holds_alternative<std::monostate>(sample) ||
            (std::holds_alternative<int64_t>(sample) && std::holds_alternative<double>(value))) {
            sample = value;
        }
    }
    if (std::holds_alternative<int64_t>(sample) || std::holds_alternative<double>(sample)) {
        return;
    }
    for (const SqlValue& value : values) {
        if (!std::holds_alternative<std::monostate>(value)) {
            longestText = std::max(longestText, CharacterCount(StoredText(value)));
        }
    }
}

// Cell (column, row) from `value`; a value the field cannot hold is an error naming the place.
void LoadCell(const StoredCell& value, RecordsetLoader& loader, int column, uint32_t row,
              std::string_view context) {
    try {
        LoadFieldValue(value, loader, column, row);
    } catch (const ComError& error) {
        // The place is spelled out only on failure: building it per value costs.
        RaiseDatabaseError((context.empty() ? std::string() : std::string(context) + ": ") +
                           "column " + loader.Field(column).name + ", row " +
                           std::to_string(row + 1) + ": " + error.Description());
    }
}

}  // namespace

RecordsetPtr ReadRows(sqlite3* db, sqlite3_stmt* statement, std::string source,
                      std::string_view context) {
    const int columnCount = sqlite3_column_count(statement);
    // Declared columns are typed before the first row and load as they are read; an expression
    // column (no declared type the backend knows) is typed by its values, which wait in
    // `expressionValues` until the last row.
    std::vector<FieldInfo> fields;
    std::vector<bool> isExpression;
    for (int column = 0; column < columnCount; ++column) {
        const char* declaredText = sqlite3_column_decltype(statement, column);
        const std::optional<SqlType> declared =
            declaredText ? ParseSqlType(declaredText) : std::nullopt;
        // An expression column starts as text holding Nulls, until its values type it.
        FieldInfo field = DescribeColumn(TextOrEmpty(sqlite3_column_name(statement, column)),
                                         declared.value_or(SqlType{}), {}, 0);
        if (declared) {
            ApplyBaseColumn(db, OriginOf(statement, column), field);
        }
        isExpression.push_back(!declared);
        fields.push_back(std::move(field));
    }
    RecordsetLoader loader(std::move(fields));
    std::vector<std::vector<SqlValue>> expressionValues(static_cast<std::size_t>(columnCount));
    while (true) {
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE) {
            break;
        }
        if (rc != SQLITE_ROW) {
            RaiseDatabaseError(db, context);
        }
        const uint32_t row = loader.AppendRow();
        for (int column = 0; column < columnCount; ++column) {
            if (isExpression[static_cast<std::size_t>(column)]) {
                expressionValues[static_cast<std::size_t>(column)].push_back(
                    ReadColumnValue(statement, column));
            } else {
                LoadCell(PeekColumnValue(statement, column), loader, column, row, context);
            }
        }
    }
    for (int column = 0; column < columnCount; ++column) {
        const auto index = static_cast<std::size_t>(column);
        if (isExpression[index]) {
            SqlValue sample;
            int longestText = 0;
            ExpressionSample(expressionValues[index], sample, longestText);
            FieldInfo field =
                DescribeColumn(loader.Field(column).name, std::nullopt, sample, longestText);
            ApplyBaseColumn(db, OriginOf(statement, column), field);
            loader.DescribeLateField(column, std::move(field));
            for (uint32_t row = 0; row < loader.RowCount(); ++row) {
                LoadCell(CellOf(expressionValues[index][row]), loader, column, row, context);
            }
            expressionValues[index] = {};
        }
    }
    return loader.Finish(std::move(source));
}

}  // namespace hlreports
