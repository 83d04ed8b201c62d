// The stored procedures and list sources of the criteria-window reports, declared in a test
// database with the parameter names and order the catalogue sends. Report procedures return one
// row (the deposit log three, one per resident status); outputs are assigned fixed values, one
// per type: text "out " + the name without "@", whole numbers 7, floats 2.5, and the proration
// setting "Actual Number Days". The lookups return a small property "P1": three residents (one
// with an apostrophe in the id, one former) and an applicant without a unit, a posted date with one
// batch, two other-unit types, the proration setting "Actual Number Days", the setup values the
// rows read, two charge types, two units of P1 and two of "O'K", and the accounts 4000, 4999 and
// 4'10, batch B-1 and runs 3 and 5 of the transaction report.
#pragma once

#include "support/TestDatabase.h"

namespace hlreports::test {

void AddWindowProcedures(const TestDatabase& db);

}  // namespace hlreports::test
