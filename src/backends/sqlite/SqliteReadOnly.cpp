// The embedded backend's read-only road (see SqliteReadOnly.h).
#include "backends/sqlite/SqliteReadOnly.h"

#include <cmath>

#include "backends/ReadOnlyRoad.h"
#include "backends/sqlite/SqliteHandles.h"
#include "backends/sqlite/SqliteRows.h"
#include "backends/sqlite/SqliteValues.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

std::string Named(std::string_view what, const char* name) {
    return std::string(what) + (name != nullptr ? std::string(" ") + name : std::string());
}

// What a denied action would do, for the refusal's text.
std::string DescribeAction(int action, const char* first) {
    switch (action) {
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_DELETE:
            // Schema statements write the schema table first.
            if (first != nullptr && StartsWithIgnoreCase(first, "sqlite_")) {
                return "changes the schema";
            }
            return Named("writes to", first);
        case SQLITE_TRANSACTION:
        case SQLITE_SAVEPOINT:
            return "controls a transaction";
        case SQLITE_PRAGMA:
            return Named("runs PRAGMA", first);
        case SQLITE_ATTACH:
        case SQLITE_DETACH:
            return "attaches or detaches a database";
        default:
            return "changes the schema";
    }
}

int AllowReadingOnly(void* state, int action, const char* first, const char*, const char*,
                     const char*) {
    switch (action) {
        case SQLITE_SELECT:
        case SQLITE_READ:
        case SQLITE_FUNCTION:
        case SQLITE_RECURSIVE:
            return SQLITE_OK;
        default:
            static_cast<ReadOnlyScope*>(state)->NoteDenied(DescribeAction(action, first));
            return SQLITE_DENY;
    }
}

std::string Prefixed(std::string_view context, std::string_view text) {
    return context.empty() ? std::string(text) : std::string(context) + ": " + std::string(text);
}

}  // namespace

ReadOnlyScope::ReadOnlyScope(sqlite3* db) : db_(db) {
    sqlite3_set_authorizer(db_, &AllowReadingOnly, this);
}

ReadOnlyScope::~ReadOnlyScope() {
    sqlite3_set_authorizer(db_, nullptr, nullptr);
}

void ReadOnlyScope::NoteDenied(std::string what) {
    if (denied_.empty()) {
        denied_ = std::move(what);
    }
}

sqlite3_stmt* ReadOnlyScope::PrepareNext(const char*& next, const char* end,
                                         std::string_view context) {
    denied_.clear();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db_, next, static_cast<int>(end - next), &raw, &tail);
    StatementHandle statement(raw);
    if (rc != SQLITE_OK) {
        if (!denied_.empty()) {
            RaiseDatabaseError(Prefixed(context, std::string(kReadOnlyWouldChange) + denied_ +
                                                     std::string(kReadOnlyOnlyReading)));
        }
        RaiseDatabaseError(db_, context);
    }
    next = tail;
    if (statement && sqlite3_stmt_readonly(statement.get()) == 0) {
        RaiseDatabaseError(Prefixed(context, std::string(kReadOnlyWouldChange) + "writes" +
                                                 std::string(kReadOnlyOnlyReading)));
    }
    return statement.release();
}

SqlValue PlainSqlValue(const Variant& value, std::string_view place) {
    switch (value.Kind()) {
        case VariantKind::Empty:
        case VariantKind::Null:
        case VariantKind::Missing:
            return std::monostate{};
        case VariantKind::Boolean:
            return static_cast<int64_t>(value.ToBoolean() ? 1 : 0);
        case VariantKind::Integer:
        case VariantKind::Long:
            return static_cast<int64_t>(value.ToLong());
        case VariantKind::Double:
        case VariantKind::Currency:
            return value.ToDouble();
        case VariantKind::Decimal:
            return ExactSqlValue(value.ToDecimal());
        case VariantKind::Date: {
            Date date = value.ToDate();
            return date.DateOnly() == date ? IsoDateText(date) : IsoDateTimeText(date);
        }
        case VariantKind::String:
            return value.ToString();
        default:
            RaiseDatabaseError(std::string(place) + ": an array or object cannot be bound");
    }
}

RecordsetPtr RunReadOnlyQuery(sqlite3* db, std::string_view sql,
                              const std::vector<BoundValue>& values) {
    PositionalQuery query = BindPlaceholders(sql, values);
    ReadOnlyScope scope(db);
    const char* next = query.text.c_str();
    const char* end = next + query.text.size();
    StatementHandle statement(scope.PrepareNext(next, end, ""));
    if (!statement || sqlite3_column_count(statement.get()) == 0) {
        RaiseDatabaseError(std::string(kReadOnlyNoRows));
    }
    // The placeholder grammar already refused a second statement; SQLite has the last word.
    StatementHandle second;
    try {
        second.reset(scope.PrepareNext(next, end, ""));
    } catch (const std::exception&) {
        RaiseDatabaseError(std::string(kReadOnlyMoreThanOneStatement));
    }
    if (second) {
        RaiseDatabaseError(std::string(kReadOnlyMoreThanOneStatement));
    }
    if (sqlite3_bind_parameter_count(statement.get()) != static_cast<int>(query.values.size())) {
        RaiseDatabaseError("the query uses a placeholder not written as @Name");
    }
    for (std::size_t i = 0; i < query.values.size(); ++i) {
        BindValue(db, statement.get(), static_cast<int>(i) + 1,
                  PlainSqlValue(query.values[i], "value " + std::to_string(i + 1)));
    }
    return ReadRows(db, statement.get(), std::string(sql), "");
}

void CheckProcedureReadsOnly(sqlite3* db, const Procedure& procedure) {
    ReadOnlyScope scope(db);
    std::string context = "procedure " + procedure.name;
    const char* next = procedure.body.c_str();
    const char* end = next + procedure.body.size();
    while (next < end) {
        StatementHandle statement(scope.PrepareNext(next, end, context));
    }
}

}  // namespace hlreports
