// The stored procedures of the no-window reports, declared in a test database with the
// parameter names and order the catalogue sends; text-road procedures echo their inputs as one
// row, output procedures assign fixed values.
#pragma once

#include "support/TestDatabase.h"

namespace hlreports::test {

void AddNoWindowProcedures(const TestDatabase& db);

}  // namespace hlreports::test
