// The embedded SQLite connection (see SqliteConnection.h).
#include "backends/sqlite/SqliteConnection.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "backends/BackendSqlText.h"
#include "backends/CallArguments.h"
#include "backends/CallText.h"
#include "backends/sqlite/SqliteBatchUpdate.h"
#include "backends/sqlite/SqliteHandles.h"
#include "backends/sqlite/SqliteProcedure.h"
#include "backends/sqlite/SqliteProcedureRunner.h"
#include "backends/sqlite/SqliteReadOnly.h"
#include "backends/sqlite/SqliteRows.h"
#include "backends/sqlite/SqliteValues.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

// Long enough to ride out another process's write, short enough to report a stuck lock.
constexpr int kBusyTimeoutMilliseconds = 5000;

// The text that runs the same call again (the Source of its rows, for Requery).
std::string CallSource(const Procedure& procedure,
                       const std::vector<std::optional<Variant>>& supplied) {
    std::string text = procedure.name;
    const char* separator = " ";
    for (std::size_t i = 0; i < procedure.parameters.size(); ++i) {
        if (!supplied[i] || supplied[i]->IsMissing()) {
            continue;
        }
        text += separator + procedure.parameters[i].name + "=" + SqlLiteral(*supplied[i]);
        separator = ",";
    }
    return text;
}

class SqliteConnection final : public Connection {
  public:
    explicit SqliteConnection(DatabaseHandle db) : db_(std::move(db)) {}

    void Execute(std::string_view sql) override { RunText(sql, false); }
    RecordsetPtr OpenRecordset(std::string_view sqlOrCall) override {
        return RunText(sqlOrCall, true);
    }
    ProcedureResult CallProcedure(std::string_view name,
                                  const std::vector<ProcedureArgument>& arguments) override;

    RecordsetPtr OpenReadOnly(std::string_view sql,
                              const std::vector<BoundValue>& values) override {
        return RunReadOnlyQuery(db_.get(), sql, values);
    }
    RecordsetPtr CallReadOnly(std::string_view name,
                              const std::vector<BoundValue>& arguments) override;

    void BeginTransaction() override { ExecuteSimple(db_.get(), "BEGIN"); }
    void Commit() override { ExecuteSimple(db_.get(), "COMMIT"); }
    void Rollback() override { ExecuteSimple(db_.get(), "ROLLBACK"); }
    bool InTransaction() const override { return sqlite3_get_autocommit(db_.get()) == 0; }

    void UpdateBatch(Recordset& recordset) override { ApplyPendingChanges(db_.get(), recordset); }

  private:
    DatabaseHandle db_;

    Procedure RequireProcedure(std::string_view name);
    RecordsetPtr RunText(std::string_view text, bool wantRows);
    RecordsetPtr RunSql(std::string_view sql, bool wantRows);
};

Procedure SqliteConnection::RequireProcedure(std::string_view name) {
    std::optional<Procedure> procedure = LoadProcedure(db_.get(), name);
    if (!procedure) {
        RaiseDatabaseError("Could not find stored procedure '" + std::string(name) + "'.");
    }
    return std::move(*procedure);
}

ProcedureResult SqliteConnection::CallProcedure(std::string_view name,
                                                const std::vector<ProcedureArgument>& arguments) {
    Procedure procedure = RequireProcedure(name);
    std::string context = "procedure " + procedure.name;
    std::vector<std::optional<Variant>> supplied(procedure.parameters.size());
    std::size_t position = 0;
    for (const ProcedureArgument& argument : arguments) {
        if (argument.direction == adParamReturnValue) {
            continue;  // the return status is not a declared parameter
        }
        if (position >= procedure.parameters.size()) {
            RaiseDatabaseError(context + " has too many arguments specified");
        }
        const DeclaredParameter& declared = procedure.parameters[position];
        if (!EqualsIgnoreCase(argument.name, declared.name)) {
            RaiseDatabaseError(context + ": argument " + std::to_string(position + 1) + " is " +
                               argument.name + " but the procedure declares " + declared.name +
                               " there");
        }
        bool wantsOutput =
            argument.direction == adParamOutput || argument.direction == adParamInputOutput;
        if (wantsOutput && !declared.isOutput) {
            RaiseDatabaseError(context + ": parameter " + declared.name +
                               " is not declared OUTPUT");
        }
        if (argument.direction != adParamOutput) {
            supplied[position] = argument.value;
        }
        ++position;
    }
    ProcedureRun run = RunProcedure(db_.get(), procedure, ResolveArguments(procedure, supplied),
                                    CallSource(procedure, supplied));
    ProcedureResult result;
    result.rows = std::move(run.rows);
    position = 0;
    for (const ProcedureArgument& argument : arguments) {
        if (argument.direction == adParamReturnValue) {
            result.outputs.emplace_back(0);  // a procedure that ran to its end returns 0
            continue;
        }
        const DeclaredParameter& declared = procedure.parameters[position];
        bool isOutput =
            argument.direction == adParamOutput || argument.direction == adParamInputOutput;
        result.outputs.push_back(
            isOutput ? ParameterValueToVariant(run.values[position], declared.type) : Variant());
        ++position;
    }
    return result;
}

RecordsetPtr SqliteConnection::CallReadOnly(std::string_view name,
                                            const std::vector<BoundValue>& arguments) {
    Procedure procedure = RequireProcedure(name);
    std::vector<std::optional<Variant>> supplied =
        SupplyNamedArguments(procedure.Declared(), arguments);
    std::vector<SqlValue> values = ResolveArguments(procedure, supplied);
    CheckProcedureReadsOnly(db_.get(), procedure);
    ReadOnlyScope scope(db_.get());
    return RunProcedure(db_.get(), procedure, std::move(values), CallSource(procedure, supplied))
        .rows;
}

RecordsetPtr SqliteConnection::RunText(std::string_view text, bool wantRows) {
    std::optional<CallHead> head = ParseCallHead(text);
    if (!head) {
        return RunSql(text, wantRows);
    }
    Procedure procedure = RequireProcedure(head->procedure);
    std::vector<std::optional<Variant>> supplied =
        SupplyTextArguments(procedure.Declared(), ParseCallArguments(text, *head));
    ProcedureRun run = RunProcedure(db_.get(), procedure, ResolveArguments(procedure, supplied),
                                    std::string(text));
    return wantRows ? std::move(run.rows) : nullptr;
}

RecordsetPtr SqliteConnection::RunSql(std::string_view sql, bool wantRows) {
    RecordsetPtr rows;
    std::size_t offset = 0;
    while (offset < sql.size()) {
        StatementHandle statement = PrepareNextStatement(db_.get(), sql, offset, "");
        if (!statement) {
            continue;
        }
        if (sqlite3_bind_parameter_count(statement.get()) > 0) {
            // Unbound parameters would silently read as NULL.
            const char* name = sqlite3_bind_parameter_name(statement.get(), 1);
            RaiseDatabaseError(std::string("the SQL text uses the parameter ") +
                               (name ? name : "?") + ", which has no value");
        }
        if (wantRows && sqlite3_column_count(statement.get()) > 0) {
            rows = ReadRows(db_.get(), statement.get(), std::string(sql), "");
            continue;
        }
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            RaiseDatabaseError(db_.get(), "");
        }
    }
    return rows;
}

}  // namespace

std::unique_ptr<Connection> OpenSqliteConnection(const std::string& file) {
    std::error_code ignored;
    if (file.empty()) {
        RaiseDatabaseError("the connection string names no database file (Database=)");
    }
    if (!std::filesystem::exists(file, ignored)) {
        RaiseDatabaseError("the database file '" + file + "' does not exist");
    }
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    DatabaseHandle db(raw);
    if (rc != SQLITE_OK) {
        RaiseDatabaseError("cannot open the database file '" + file +
                           "': " + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    }
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMilliseconds);
    // SQLite reads the header lazily; touch the schema so a file that is no database fails here.
    if (sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        RaiseDatabaseError("cannot open the database file '" + file +
                           "': " + sqlite3_errmsg(db.get()));
    }
    return std::make_unique<SqliteConnection>(std::move(db));
}

}  // namespace hlreports
