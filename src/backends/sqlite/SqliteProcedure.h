// The procedure catalogue of the embedded backend. SQLite has no stored procedures, so a
// database keeps them as rows of its own table:
//
//   CREATE TABLE sys_procedures (
//     name   TEXT PRIMARY KEY COLLATE NOCASE,
//     params TEXT NOT NULL DEFAULT '',   -- '@Property varchar(10), @Days int = 7, @Total float
//     OUTPUT' body   TEXT NOT NULL               -- SQLite statements; parameters are written @Name
//   );
//
// A declaration is "@Name type[(n[,m])] [= literal] [OUTPUT|OUT]", separated by commas; the
// literal is a quoted text, a number or NULL. Names compare ignoring case. A declaration that
// does not parse, names an unknown type, repeats a name or has a default of the wrong type is
// an error naming the procedure and the problem.
#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/CallArguments.h"
#include "backends/sqlite/SqliteTypes.h"
#include "runtime/Variant.h"

namespace hlreports {

struct DeclaredParameter {
    std::string name;  // with "@"
    SqlType type;
    bool isOutput = false;
    std::optional<Variant> defaultValue;
};

struct Procedure {
    std::string name;  // as the catalogue spells it
    std::vector<DeclaredParameter> parameters;
    std::string body;

    // Position of a parameter by name ignoring case; -1 when it is not declared.
    int IndexOf(std::string_view parameterName) const;
    // What the shared call resolution needs (CallArguments.h); valid while this lives.
    DeclaredParameters Declared() const;
};

std::vector<DeclaredParameter> ParseParameterDeclarations(std::string_view procedureName,
                                                          std::string_view text);

// The procedure of that name (ignoring case); no value when the database has no catalogue or
// the catalogue has no such procedure.
std::optional<Procedure> LoadProcedure(sqlite3* db, std::string_view name);

}  // namespace hlreports
