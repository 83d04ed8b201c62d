// Procedure declarations from the server (see OdbcProcedure.h).
#include "backends/odbc/OdbcProcedure.h"

#include "backends/DatabaseError.h"
#include "backends/odbc/OdbcText.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

std::string_view WithoutAt(std::string_view name) {
    return !name.empty() && name.front() == '@' ? name.substr(1) : name;
}

// "db.proc" and "proc" as catalog and procedure name (ODBC's SQLProcedures split).
struct QualifiedName {
    std::string catalog;
    std::string procedure;
};

QualifiedName Split(std::string_view name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return {"", std::string(name)};
    }
    std::string qualifier(name.substr(0, dot));
    // SQL Server's owner prefix ("dbo.") is a schema, not a catalog.
    std::size_t inner = qualifier.rfind('.');
    return {inner == std::string::npos ? qualifier : qualifier.substr(0, inner),
            std::string(name.substr(dot + 1))};
}

std::string CellText(const OdbcHandle& statement, SQLUSMALLINT column) {
    SQLWCHAR text[256] = {};
    SQLLEN bytes = 0;
    SQLRETURN rc = SQLGetData(statement.Get(), column, SQL_C_WCHAR, text, sizeof text, &bytes);
    CheckOdbc(rc, statement, "reading the procedure's parameters");
    if (bytes == SQL_NULL_DATA) {
        return "";
    }
    std::size_t units =
        std::min<std::size_t>(static_cast<std::size_t>(bytes) / sizeof(SQLWCHAR), 255);
    return FromOdbcWide(text, units);
}

SQLBIGINT CellNumber(const OdbcHandle& statement, SQLUSMALLINT column) {
    SQLBIGINT value = 0;
    SQLLEN indicator = 0;
    CheckOdbc(SQLGetData(statement.Get(), column, SQL_C_SBIGINT, &value, sizeof value, &indicator),
              statement, "reading the procedure's parameters");
    return indicator == SQL_NULL_DATA ? 0 : value;
}

SQLWCHAR* OrNull(OdbcWideText& text) {
    return text.empty() ? nullptr : text.data();
}

bool ProcedureExists(const OdbcHandle& connection, const QualifiedName& name) {
    OdbcHandle statement(SQL_HANDLE_STMT, connection.Get());
    OdbcWideText catalog = ToOdbcWide(name.catalog);
    OdbcWideText procedure = ToOdbcWide(name.procedure);
    CheckOdbc(
        SQLProceduresW(statement.Get(), OrNull(catalog), static_cast<SQLSMALLINT>(catalog.size()),
                       nullptr, 0, procedure.data(), static_cast<SQLSMALLINT>(procedure.size())),
        statement, "looking up procedure " + name.procedure);
    SQLRETURN rc = SQLFetch(statement.Get());
    if (rc == SQL_NO_DATA) {
        return false;
    }
    CheckOdbc(rc, statement, "looking up procedure " + name.procedure);
    return true;
}

OdbcProcedureInfo ReadDeclaration(const OdbcHandle& connection, std::string_view name) {
    QualifiedName qualified = Split(name);
    OdbcProcedureInfo info;
    info.name = std::string(name);
    OdbcHandle statement(SQL_HANDLE_STMT, connection.Get());
    OdbcWideText catalog = ToOdbcWide(qualified.catalog);
    OdbcWideText procedure = ToOdbcWide(qualified.procedure);
    std::string context = "reading the parameters of procedure " + info.name;
    CheckOdbc(
        SQLProcedureColumnsW(statement.Get(), OrNull(catalog),
                             static_cast<SQLSMALLINT>(catalog.size()), nullptr, 0, procedure.data(),
                             static_cast<SQLSMALLINT>(procedure.size()), nullptr, 0),
        statement, context);
    bool any = false;
    while (true) {
        SQLRETURN rc = SQLFetch(statement.Get());
        if (rc == SQL_NO_DATA) {
            break;
        }
        CheckOdbc(rc, statement, context);
        any = true;
        // Result columns: 4 COLUMN_NAME, 5 COLUMN_TYPE, 6 DATA_TYPE, 8 COLUMN_SIZE,
        // 10 DECIMAL_DIGITS, 12 NULLABLE.
        OdbcDeclaredParameter parameter;
        parameter.name = CellText(statement, 4);
        parameter.columnType = static_cast<SQLSMALLINT>(CellNumber(statement, 5));
        parameter.type.sqlType = static_cast<SQLSMALLINT>(CellNumber(statement, 6));
        parameter.type.size = static_cast<SQLULEN>(CellNumber(statement, 8));
        parameter.type.digits = static_cast<SQLSMALLINT>(CellNumber(statement, 10));
        if (parameter.IsReturnValue()) {
            info.hasReturnValue = true;
            continue;
        }
        if (parameter.columnType == SQL_RESULT_COL) {
            continue;  // a column of a function's result, not a parameter
        }
        info.parameters.push_back(std::move(parameter));
    }
    if (!any && !ProcedureExists(connection, qualified)) {
        RaiseDatabaseError("Could not find stored procedure '" + std::string(name) + "'.");
    }
    return info;
}

}  // namespace

bool SameParameterName(std::string_view a, std::string_view b) {
    return EqualsIgnoreCase(WithoutAt(a), WithoutAt(b));
}

std::string WrapperParameterName(std::string_view declared) {
    return "@" + std::string(WithoutAt(declared));
}

DeclaredParameters OdbcProcedureInfo::Declared() const {
    return {name, parameters.size(),
            [this](std::string_view parameterName) { return IndexOf(parameterName); }};
}

int OdbcProcedureInfo::IndexOf(std::string_view wanted) const {
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (SameParameterName(parameters[i].name, wanted)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const OdbcProcedureInfo& OdbcProcedureCatalog::Require(const OdbcHandle& connection,
                                                       std::string_view name) {
    std::string key = ToLowerAscii(name);
    auto found = known_.find(key);
    if (found != known_.end()) {
        return found->second;
    }
    return known_.emplace(key, ReadDeclaration(connection, name)).first->second;
}

}  // namespace hlreports
