// Error raising and the small RAII helpers of the embedded backend (see SqliteHandles.h).
#include "backends/sqlite/SqliteHandles.h"

#include "runtime/ComError.h"

namespace hlreports {

void RaiseDatabaseError(sqlite3* db, std::string_view context) {
    std::string description(context);
    if (!description.empty()) {
        description += ": ";
    }
    description += sqlite3_errmsg(db);
    RaiseDatabaseError(std::move(description));
}

StatementHandle PrepareStatement(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(raw);
        RaiseDatabaseError(db, "");
    }
    return StatementHandle(raw);
}

StatementHandle PrepareNextStatement(sqlite3* db, std::string_view text, std::size_t& offset,
                                     std::string_view context) {
    const char* next = text.data() + offset;
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int rc =
        sqlite3_prepare_v2(db, next, static_cast<int>(text.size() - offset), &raw, &tail);
    StatementHandle statement(raw);
    if (rc != SQLITE_OK) {
        RaiseDatabaseError(db, context);
    }
    if (tail == nullptr || tail <= next) {
        std::string description(context);
        if (!description.empty()) {
            description += ": ";
        }
        RaiseDatabaseError(description + "the text holds a NUL byte at offset " +
                           std::to_string(offset) + ", where no statement can start");
    }
    offset = static_cast<std::size_t>(tail - text.data());
    return statement;
}

void ExecuteSimple(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        RaiseDatabaseError(db, "");
    }
}

std::string QuoteIdentifier(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

SavepointGuard::SavepointGuard(sqlite3* db, const char* name) : db_(db), name_(name) {
    ExecuteSimple(db_, ("SAVEPOINT " + name_).c_str());
}

SavepointGuard::~SavepointGuard() {
    if (released_) {
        return;
    }
    // Undo everything since the savepoint, then drop it; failures here cannot be reported from a
    // destructor, and closing the connection would roll back anyway.
    sqlite3_exec(db_, ("ROLLBACK TO " + name_ + "; RELEASE " + name_).c_str(), nullptr, nullptr,
                 nullptr);
}

void SavepointGuard::Release() {
    ExecuteSimple(db_, ("RELEASE " + name_).c_str());
    released_ = true;
}

}  // namespace hlreports
