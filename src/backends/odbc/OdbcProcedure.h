// What a server says about a stored procedure: its declared parameters in order
// (SQLProcedureColumns), read once per connection and procedure and kept for the connection's
// life, and how a call binds its arguments to them.
//
// Names are compared ignoring case and a leading "@", since servers other than SQL Server
// declare parameters without it ("Property" for the wrapper's "@Property").
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/CallArguments.h"
#include "backends/odbc/OdbcHandles.h"
#include "backends/odbc/OdbcTypes.h"

namespace hlreports {

struct OdbcDeclaredParameter {
    std::string name;  // as the server spells it
    SQLSMALLINT columnType =
        SQL_PARAM_INPUT;  // SQL_PARAM_INPUT/_OUTPUT/_INPUT_OUTPUT/SQL_RETURN_VALUE
    OdbcColumnType type;

    bool IsOutput() const {
        return columnType == SQL_PARAM_OUTPUT || columnType == SQL_PARAM_INPUT_OUTPUT;
    }
    bool IsReturnValue() const { return columnType == SQL_RETURN_VALUE; }
    int32_t AdoType() const { return AdoTypeOfSql(type); }
};

struct OdbcProcedureInfo {
    std::string name;
    std::vector<OdbcDeclaredParameter> parameters;  // without the return value
    bool hasReturnValue = false;

    // Index of the parameter named `name` (with or without "@"), or -1.
    int IndexOf(std::string_view name) const;
    // What the shared call resolution needs (CallArguments.h); valid while this lives.
    DeclaredParameters Declared() const;
};

// "@Property" and "Property" are the same parameter.
bool SameParameterName(std::string_view a, std::string_view b);
// A declared name as the wrapper writes it, with "@", for messages.
std::string WrapperParameterName(std::string_view declared);

class OdbcProcedureCatalog {
  public:
    // The procedure's declaration, from the cache or the server; raises "Could not find stored
    // procedure 'x'." when the server knows no such procedure.
    const OdbcProcedureInfo& Require(const OdbcHandle& connection, std::string_view name);

  private:
    std::map<std::string, OdbcProcedureInfo> known_;  // by lower-case name
};

}  // namespace hlreports
