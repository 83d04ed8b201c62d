// A clsRecordset over a small embedded database with a few procedures, shared by the wrapper's
// tests. Each test gets its own database file and a fresh session.
#pragma once

#include <gtest/gtest.h>

#include "data/clsRecordset.h"
#include "runtime/Session.h"
#include "support/TestDatabase.h"

namespace hlreports::test {

class WrapperTest : public ::testing::Test {
  protected:
    TestDatabase db{
        "CREATE TABLE tblResident (id INTEGER PRIMARY KEY, property varchar(10) NOT NULL, name "
        "varchar(30),"
        " balance money, moved date);"
        "INSERT INTO tblResident (property, name, balance, moved) VALUES"
        " ('P1', 'Ann Lee', 100, '2024-01-15'), ('P1', 'Bo Park', 0, NULL), ('P2', 'Cy Moss', "
        "25.5, NULL);"};
    clsRecordset rs;

    void SetUp() override {
        ResetSession();
        db.AddProcedure("sp_GetName", "@Description varchar(30), @Name varchar(30) OUTPUT",
                        "SELECT name AS \"@Name\" FROM tblResident WHERE name = @Description");
        db.AddProcedure("sp_Residents", "@Property varchar(10), @Days int = 7",
                        "SELECT id, property, name, balance, @Days AS days FROM tblResident"
                        " WHERE property = @Property ORDER BY id");
        db.AddProcedure("sp_Count", "@Property varchar(10), @Count int OUTPUT",
                        "SELECT count(*) AS \"@Count\" FROM tblResident WHERE property = @Property;"
                        "SELECT id, name FROM tblResident WHERE property = @Property ORDER BY id");
        db.AddProcedure("sp_AddResident", "@Property varchar(10), @Name varchar(30)",
                        "INSERT INTO tblResident (property, name) VALUES (@Property, @Name)");
        db.AddProcedure("sp_Nothing", "", "UPDATE tblResident SET name = name WHERE 0");
        rs.SetConnectionString(db.ConnectionString());
    }

    std::string Count(std::string_view where = "1") const {
        return db.QueryText("SELECT count(*) FROM tblResident WHERE " + std::string(where));
    }
};

}  // namespace hlreports::test
