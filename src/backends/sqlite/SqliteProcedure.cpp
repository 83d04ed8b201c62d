// The embedded procedure catalogue and its declaration parser (see SqliteProcedure.h).
#include "backends/sqlite/SqliteProcedure.h"

#include "backends/SqlTextCursor.h"
#include "backends/sqlite/SqliteHandles.h"
#include "backends/sqlite/SqliteValues.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

bool IsOutputKeyword(std::string_view word) {
    return EqualsIgnoreCase(word, "OUTPUT") || EqualsIgnoreCase(word, "OUT");
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? std::string(text,
                              static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                : std::string();
}

bool HasCatalogue(sqlite3* db) {
    StatementHandle statement =
        PrepareStatement(db,
                         "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = "
                         "'sys_procedures' COLLATE NOCASE");
    int rc = sqlite3_step(statement.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        RaiseDatabaseError(db, "reading the procedure catalogue");
    }
    return rc == SQLITE_ROW;
}

}  // namespace

int Procedure::IndexOf(std::string_view parameterName) const {
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (EqualsIgnoreCase(parameters[i].name, parameterName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<DeclaredParameter> ParseParameterDeclarations(std::string_view procedureName,
                                                          std::string_view text) {
    std::string context = "procedure " + std::string(procedureName) + ": parameter declarations";
    SqlTextCursor cursor(text);
    std::vector<DeclaredParameter> parameters;
    if (cursor.AtEnd()) {
        return parameters;
    }
    while (true) {
        DeclaredParameter parameter;
        cursor.SkipBlanks();
        std::size_t nameAt = cursor.Position();
        std::optional<std::string> name = cursor.ReadParameterName();
        if (!name) {
            cursor.Fail(context, "expected a parameter name such as @Name");
        }
        parameter.name = *name;
        for (const DeclaredParameter& earlier : parameters) {
            if (EqualsIgnoreCase(earlier.name, parameter.name)) {
                cursor.FailAt(nameAt, context, parameter.name + " is declared twice");
            }
        }
        cursor.AcceptKeyword("AS");
        std::string typeText;
        while (!cursor.PeekName().empty() && !IsOutputKeyword(cursor.PeekName())) {
            typeText += (typeText.empty() ? "" : " ") + *cursor.ReadName();
        }
        if (typeText.empty()) {
            cursor.Fail(context, parameter.name + " has no type");
        }
        if (cursor.Accept('(')) {
            std::optional<std::string> size = cursor.ReadUntil(')');
            if (!size) {
                cursor.Fail(context, "the size of " + parameter.name + " is not closed with ')'");
            }
            typeText += "(" + *size + ")";
        }
        std::optional<SqlType> type = ParseSqlType(typeText);
        if (!type) {
            cursor.Fail(context, parameter.name + " has an unknown type '" + typeText + "'");
        }
        parameter.type = *type;
        if (cursor.Accept('=')) {
            parameter.defaultValue = cursor.ReadLiteral(context);
            if (!parameter.defaultValue) {
                cursor.Fail(context,
                            "expected a default value (a quoted text, a number or NULL) for " +
                                parameter.name);
            }
            // A default that cannot become the declared type is a fault of the declaration.
            ToParameterValue(
                *parameter.defaultValue, parameter.type,
                "procedure " + std::string(procedureName) + ": default of " + parameter.name);
        }
        parameter.isOutput = cursor.AcceptKeyword("OUTPUT") || cursor.AcceptKeyword("OUT");
        parameters.push_back(std::move(parameter));
        if (cursor.Accept(',')) {
            continue;
        }
        if (cursor.AtEnd()) {
            return parameters;
        }
        cursor.Fail(context, "expected ',' or the end of the declarations");
    }
}

std::optional<Procedure> LoadProcedure(sqlite3* db, std::string_view name) {
    if (!HasCatalogue(db)) {
        return std::nullopt;
    }
    StatementHandle statement =
        PrepareStatement(db, "SELECT name, params, body FROM sys_procedures WHERE name = ?1");
    BindValue(db, statement.get(), 1, std::string(name));
    int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_DONE) {
        return std::nullopt;
    }
    if (rc != SQLITE_ROW) {
        RaiseDatabaseError(db, "reading the procedure catalogue");
    }
    Procedure procedure;
    procedure.name = ColumnText(statement.get(), 0);
    procedure.parameters =
        ParseParameterDeclarations(procedure.name, ColumnText(statement.get(), 1));
    procedure.body = ColumnText(statement.get(), 2);
    return procedure;
}

DeclaredParameters Procedure::Declared() const {
    return {name, parameters.size(),
            [this](std::string_view parameterName) { return IndexOf(parameterName); }};
}

}  // namespace hlreports
