// Runs an embedded procedure: resolves the supplied arguments against the declaration (defaults,
// type conversion), then runs the body's statements in order with the parameters bound by name.
//
// Body rules: a SELECT whose result columns are all named "@Something" assigns those
// parameters from its first row (NULL when it has none) and yields no rows; later statements see
// the assigned values. The rows of the last other row-returning statement are the result; with
// none the result is nullptr (a closed recordset).
#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

#include "backends/sqlite/SqliteProcedure.h"
#include "backends/sqlite/SqliteTypes.h"
#include "recordset/Recordset.h"
#include "runtime/Variant.h"

namespace hlreports {

struct ProcedureRun {
    RecordsetPtr rows;
    std::vector<SqlValue> values;  // final value of each declared parameter
};

// One slot per declared parameter; an empty slot (or Missing) was not supplied and takes the
// default, NULL for an OUTPUT parameter, or fails ("procedure sp_x: parameter @Days has no value
// and no default").
std::vector<SqlValue> ResolveArguments(const Procedure& procedure,
                                       const std::vector<std::optional<Variant>>& supplied);

// `source` becomes the Source of the result rows (a call text that runs the procedure again).
ProcedureRun RunProcedure(sqlite3* db, const Procedure& procedure, std::vector<SqlValue> values,
                          std::string source);

}  // namespace hlreports
