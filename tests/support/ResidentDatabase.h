// The small resident table and the procedures over it that the wrapper's tests use, on the
// embedded database: the wrapper's own tests (data/DataFixture.h) and the road cases that run
// the same calls on a server too (odbc_server/). Three residents: Ann Lee and Bo Park of P1,
// Cy Moss of P2.
#pragma once

#include "support/TestDatabase.h"

namespace hlreports::test {

inline constexpr const char* kResidentSchema =
    "CREATE TABLE tblResident (id INTEGER PRIMARY KEY, property varchar(10) NOT NULL,"
    " name varchar(30), balance money, moved date);"
    "INSERT INTO tblResident (property, name, balance, moved) VALUES"
    " ('P1', 'Ann Lee', 100, '2024-01-15'), ('P1', 'Bo Park', 0, NULL),"
    " ('P2', 'Cy Moss', 25.5, NULL);";

// sp_GetName (@Description, @Name OUTPUT), sp_Count (@Property, @Count OUTPUT, then the
// property's id and name rows) and sp_AddResident (@Property, @Name).
void AddResidentProcedures(const TestDatabase& db);

}  // namespace hlreports::test
