// Running embedded procedures (see SqliteProcedureRunner.h).
#include "backends/sqlite/SqliteProcedureRunner.h"

#include "backends/sqlite/SqliteHandles.h"
#include "backends/sqlite/SqliteRows.h"
#include "backends/sqlite/SqliteValues.h"

namespace hlreports {
namespace {

std::string Context(const Procedure& procedure) {
    return "procedure " + procedure.name;
}

void BindParameters(sqlite3* db, sqlite3_stmt* statement, const Procedure& procedure,
                    const std::vector<SqlValue>& values) {
    int count = sqlite3_bind_parameter_count(statement);
    for (int index = 1; index <= count; ++index) {
        const char* name = sqlite3_bind_parameter_name(statement, index);
        if (name == nullptr || name[0] != '@') {
            RaiseDatabaseError(Context(procedure) +
                               ": the body uses a parameter not written as @Name (" +
                               (name ? name : "?") + ")");
        }
        int position = procedure.IndexOf(name);
        if (position < 0) {
            RaiseDatabaseError(Context(procedure) + ": the body uses " + name +
                               ", which is not a declared parameter");
        }
        BindValue(db, statement, index, values[static_cast<std::size_t>(position)]);
    }
}

bool IsAssignment(sqlite3_stmt* statement) {
    int columns = sqlite3_column_count(statement);
    if (columns == 0) {
        return false;
    }
    for (int column = 0; column < columns; ++column) {
        const char* name = sqlite3_column_name(statement, column);
        if (name == nullptr || name[0] != '@') {
            return false;
        }
    }
    return true;
}

void Assign(sqlite3* db, sqlite3_stmt* statement, const Procedure& procedure,
            std::vector<SqlValue>& values) {
    int rc = sqlite3_step(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        RaiseDatabaseError(db, Context(procedure));
    }
    int columns = sqlite3_column_count(statement);
    for (int column = 0; column < columns; ++column) {
        std::string name = sqlite3_column_name(statement, column);
        int position = procedure.IndexOf(name);
        if (position < 0) {
            RaiseDatabaseError(Context(procedure) + ": the body assigns " + name +
                               ", which is not a declared parameter");
        }
        const DeclaredParameter& parameter =
            procedure.parameters[static_cast<std::size_t>(position)];
        SqlValue stored = rc == SQLITE_ROW ? ReadColumnValue(statement, column) : SqlValue{};
        values[static_cast<std::size_t>(position)] =
            ToParameterValue(PlainVariant(stored), parameter.type,
                             Context(procedure) + ": parameter " + parameter.name);
    }
}

void StepToEnd(sqlite3* db, sqlite3_stmt* statement, const Procedure& procedure) {
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) {
        rc = sqlite3_step(statement);
    }
    if (rc != SQLITE_DONE) {
        RaiseDatabaseError(db, Context(procedure));
    }
}

}  // namespace

std::vector<SqlValue> ResolveArguments(const Procedure& procedure,
                                       const std::vector<std::optional<Variant>>& supplied) {
    std::vector<SqlValue> values;
    values.reserve(procedure.parameters.size());
    for (std::size_t i = 0; i < procedure.parameters.size(); ++i) {
        const DeclaredParameter& parameter = procedure.parameters[i];
        std::string place = Context(procedure) + ": parameter " + parameter.name;
        const std::optional<Variant>& given = supplied[i];
        if (given && !given->IsMissing()) {
            values.push_back(ToParameterValue(*given, parameter.type, place));
        } else if (parameter.defaultValue) {
            values.push_back(ToParameterValue(*parameter.defaultValue, parameter.type, place));
        } else if (parameter.isOutput) {
            values.emplace_back();
        } else {
            RaiseDatabaseError(place + " has no value and no default");
        }
    }
    return values;
}

ProcedureRun RunProcedure(sqlite3* db, const Procedure& procedure, std::vector<SqlValue> values,
                          std::string source) {
    ProcedureRun run;
    run.values = std::move(values);
    std::size_t offset = 0;
    while (offset < procedure.body.size()) {
        StatementHandle statement =
            PrepareNextStatement(db, procedure.body, offset, Context(procedure));
        if (!statement) {
            continue;  // blanks or a comment
        }
        BindParameters(db, statement.get(), procedure, run.values);
        if (IsAssignment(statement.get())) {
            Assign(db, statement.get(), procedure, run.values);
        } else if (sqlite3_column_count(statement.get()) > 0) {
            run.rows = ReadRows(db, statement.get(), source, Context(procedure));
        } else {
            StepToEnd(db, statement.get(), procedure);
        }
    }
    return run;
}

}  // namespace hlreports
