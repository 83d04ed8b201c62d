// The resident procedures of ResidentDatabase.h.
#include "support/ResidentDatabase.h"

namespace hlreports::test {

void AddResidentProcedures(const TestDatabase& db) {
    db.AddProcedure("sp_GetName", "@Description varchar(30), @Name varchar(30) OUTPUT",
                    "SELECT name AS \"@Name\" FROM tblResident WHERE name = @Description");
    db.AddProcedure("sp_Count", "@Property varchar(10), @Count int OUTPUT",
                    "SELECT count(*) AS \"@Count\" FROM tblResident WHERE property = @Property;"
                    "SELECT id, name FROM tblResident WHERE property = @Property ORDER BY id");
    db.AddProcedure("sp_AddResident", "@Property varchar(10), @Name varchar(30)",
                    "INSERT INTO tblResident (property, name) VALUES (@Property, @Name)");
}

}  // namespace hlreports::test
