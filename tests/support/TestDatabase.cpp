#include "support/TestDatabase.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace hlreports::test {
namespace {

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct Finalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Db = std::unique_ptr<sqlite3, Closer>;
using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

Db OpenFile(const std::filesystem::path& path, int flags) {
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) {
        throw std::runtime_error("cannot open " + path.string() + ": " +
                                 (raw ? sqlite3_errmsg(raw) : "out of memory"));
    }
    return db;
}

void Run(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error("test database: " + text + " in: " + sql);
    }
}

Statement Prepare(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(raw);
        throw std::runtime_error(std::string("test database: ") + sqlite3_errmsg(db));
    }
    return Statement(raw);
}

}  // namespace

TestDatabase::TestDatabase(std::string_view schemaSql) : path_(dir_ / "test.db") {
    Db db = OpenFile(path_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    Run(db.get(),
        "CREATE TABLE sys_procedures ("
        " name TEXT PRIMARY KEY COLLATE NOCASE,"
        " params TEXT NOT NULL DEFAULT '',"
        " body TEXT NOT NULL)");
    Run(db.get(), std::string(schemaSql));
}

std::string TestDatabase::ConnectionString() const {
    return "Server=(embedded);Database=" + path_.string();
}

void TestDatabase::Execute(std::string_view sql) const {
    Db db = OpenFile(path_, SQLITE_OPEN_READWRITE);
    Run(db.get(), std::string(sql));
}

void TestDatabase::AddProcedure(std::string_view name, std::string_view params,
                                std::string_view body) const {
    Db db = OpenFile(path_, SQLITE_OPEN_READWRITE);
    Statement statement =
        Prepare(db.get(), "INSERT INTO sys_procedures (name, params, body) VALUES (?1, ?2, ?3)");
    sqlite3_bind_text(statement.get(), 1, name.data(), static_cast<int>(name.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_text(statement.get(), 2, params.data(), static_cast<int>(params.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_text(statement.get(), 3, body.data(), static_cast<int>(body.size()),
                      SQLITE_TRANSIENT);
    if (sqlite3_step(statement.get()) != SQLITE_DONE) {
        throw std::runtime_error(std::string("test database: ") + sqlite3_errmsg(db.get()));
    }
}

std::string TestDatabase::QueryText(std::string_view sql) const {
    Db db = OpenFile(path_, SQLITE_OPEN_READONLY);
    Statement statement = Prepare(db.get(), sql);
    int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_DONE) {
        return "";
    }
    if (rc != SQLITE_ROW) {
        throw std::runtime_error(std::string("test database: ") + sqlite3_errmsg(db.get()));
    }
    if (sqlite3_column_type(statement.get(), 0) == SQLITE_NULL) {
        return "NULL";
    }
    return reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0));
}

}  // namespace hlreports::test
