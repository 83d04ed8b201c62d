// A clsRecordset over a small embedded database with a few procedures, shared by the wrapper's
// tests. Each test gets its own database file and a fresh session.
#pragma once

#include <gtest/gtest.h>

#include "data/clsRecordset.h"
#include "runtime/Session.h"
#include "support/ResidentDatabase.h"
#include "support/TestDatabase.h"

namespace hlreports::test {

class WrapperTest : public ::testing::Test {
  protected:
    TestDatabase db{kResidentSchema};
    clsRecordset rs;

    void SetUp() override {
        ResetSession();
        AddResidentProcedures(db);
        db.AddProcedure("sp_Residents", "@Property varchar(10), @Days int = 7",
                        "SELECT id, property, name, balance, @Days AS days FROM tblResident"
                        " WHERE property = @Property ORDER BY id");
        db.AddProcedure("sp_Nothing", "", "UPDATE tblResident SET name = name WHERE 0");
        rs.SetConnectionString(db.ConnectionString());
    }

    std::string Count(std::string_view where = "1") const {
        return db.QueryText("SELECT count(*) FROM tblResident WHERE " + std::string(where));
    }
};

}  // namespace hlreports::test
