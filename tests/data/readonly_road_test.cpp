// The read-only road of the wrapper and the embedded backend: queries and procedures that only
// read run with every value bound; anything that could change the database or the connection,
// and any second statement, is refused before it runs, with the wrapper's numbers and sources.
#include <gtest/gtest.h>

#include "backends/ReadOnlyRoad.h"
#include "data/DataFixture.h"
#include "data/DataTestHelpers.h"
#include "runtime/Date.h"
#include "runtime/Err.h"

namespace hlreports {
namespace {

using test::CaughtComError;

class ReadOnlyRoad : public test::WrapperTest {
  protected:
    void SetUp() override {
        WrapperTest::SetUp();
        db.AddProcedure("sp_ReadThenWrite", "@Property varchar(10)",
                        "SELECT id FROM tblResident WHERE property = @Property;"
                        "DELETE FROM tblResident WHERE property = @Property");
        db.AddProcedure("sp_Since", "@Property varchar(10), @Since date = '2000-01-01'",
                        "SELECT name FROM tblResident WHERE property = @Property"
                        " AND (moved IS NULL OR moved >= @Since) ORDER BY id");
    }

    // The names of the rows' first column, joined with ",".
    static std::string Names(const RecordsetPtr& rows) {
        std::string names;
        if (rows->BOF() && rows->EOF()) {
            return names;
        }
        for (rows->MoveFirst(); !rows->EOF(); rows->MoveNext()) {
            names += (names.empty() ? "" : ",") + rows->Value(0).DisplayText();
        }
        return names;
    }

    std::string Query(std::string_view sql, const std::vector<BoundValue>& values) {
        RecordsetPtr rows;
        EXPECT_TRUE(rs.GetRSReadOnly(sql, rows, values));
        EXPECT_EQ(rows->LockType(), adLockReadOnly);
        return Names(rows);
    }
};

BoundValue Single(std::string name, Variant value) {
    return BoundValue{std::move(name), std::move(value), false, {}};
}

BoundValue List(std::string name, std::vector<Variant> items) {
    return BoundValue{std::move(name), Variant(), true, std::move(items)};
}

// Single values, lists, empty lists and Null reach a query bound, wherever the placeholder sits;
// text that only looks like a placeholder inside quotes or comments stays text.
TEST_F(ReadOnlyRoad, QueriesBindEveryKindOfValue) {
    struct Case {
        const char* sql;
        std::vector<BoundValue> values;
        const char* names;
    } cases[] = {
        {"SELECT name FROM tblResident WHERE property = @Property ORDER BY id",
         {Single("@Property", "P1")},
         "Ann Lee,Bo Park"},
        {"SELECT name FROM tblResident WHERE property = @property OR name = @PROPERTY",
         {Single("@Property", "Cy Moss")},
         "Cy Moss"},
        {"SELECT name FROM tblResident WHERE name IN (@Names) ORDER BY id",
         {List("@Names", {"Cy Moss", "Ann Lee", "O'Brien; DROP TABLE tblResident"})},
         "Ann Lee,Cy Moss"},
        {"SELECT name FROM tblResident WHERE name IN (@Names)", {List("@Names", {})}, ""},
        {"SELECT name FROM tblResident WHERE (@Name IS NULL OR name = @Name) ORDER BY id",
         {Single("@Name", Variant::Null())},
         "Ann Lee,Bo Park,Cy Moss"},
        {"SELECT name FROM tblResident WHERE moved >= @Since",
         {Single("@Since", Date::FromYmd(2024, 1, 1))},
         "Ann Lee"},
        {"SELECT '@Property; ?' || name -- @Other ?;\n FROM tblResident /* @X; */ WHERE id = @Id;",
         {Single("@Id", 2)},
         "@Property; ?Bo Park"},
        {"SELECT name FROM tblResident WHERE balance > @Least ORDER BY id",
         {Single("@Least", 20.25)},
         "Ann Lee,Cy Moss"},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(Query(row.sql, row.values), row.names) << row.sql;
    }
    EXPECT_EQ(Count(), "3");
    EXPECT_EQ(GetConnectionStats().open, 0);
}

// Whatever could change the database or the connection is refused with 3208 and the reason;
// the rows are untouched and no connection stays open.
TEST_F(ReadOnlyRoad, QueriesThatCouldChangeAnythingAreRefused) {
    const std::string change = std::string(kReadOnlyWouldChange);
    const std::string reading = std::string(kReadOnlyOnlyReading);
    const std::string twice = std::string(kReadOnlyMoreThanOneStatement);
    struct Case {
        std::string sql;
        std::string description;  // before " SQL:"
    } cases[] = {
        {"DELETE FROM tblResident", change + "writes to tblResident" + reading},
        {"UPDATE tblResident SET name = 'x' RETURNING id",
         change + "writes to tblResident" + reading},
        {"WITH gone AS (SELECT 1) DELETE FROM tblResident",
         change + "writes to tblResident" + reading},
        {"INSERT INTO tblResident (property) SELECT 'P9'",
         change + "writes to tblResident" + reading},
        {"SELECT 1; DELETE FROM tblResident", twice},
        {"SELECT 1;\n\tDELETE FROM tblResident", twice},
        {"SELECT 1 /* ; */; SELECT 2", twice},
        {"SELECT 1\nDELETE FROM tblResident", "near \"DELETE\": syntax error"},
        {"PRAGMA query_only = 0", change + "runs PRAGMA query_only" + reading},
        {"PRAGMA table_info(tblResident)", change + "runs PRAGMA table_info" + reading},
        {"BEGIN", change + "controls a transaction" + reading},
        {"ATTACH 'other.db' AS other", change + "attaches or detaches a database" + reading},
        {"CREATE TABLE t (a)", change + "changes the schema" + reading},
        {"DROP TABLE tblResident", change + "changes the schema" + reading},
        {"", std::string(kReadOnlyNoRows)},
        {"-- nothing", std::string(kReadOnlyNoRows)},
    };
    for (const Case& row : cases) {
        RecordsetPtr rows;
        ComError error = CaughtComError([&] { rs.GetRSReadOnly(row.sql, rows); });
        EXPECT_EQ(error.Number(), 3208) << row.sql;
        EXPECT_EQ(error.Source(), "clsRecordset.GetRSReadOnly") << row.sql;
        EXPECT_EQ(error.Description(), row.description + " SQL:" + row.sql);
        EXPECT_EQ(rows, nullptr) << row.sql;
        EXPECT_EQ(Count(), "3") << row.sql;
        EXPECT_EQ(GetConnectionStats().open, 0) << row.sql;
    }
    EXPECT_EQ(db.QueryText("SELECT count(*) FROM sqlite_master WHERE name = 't'"), "0");
}

// A placeholder without a value, a value without a placeholder, a value given twice and the
// other marker forms are errors that name the placeholder.
TEST_F(ReadOnlyRoad, PlaceholderMistakesNameThePlaceholder) {
    struct Case {
        const char* sql;
        std::vector<BoundValue> values;
        const char* description;
    } cases[] = {
        {"SELECT name FROM tblResident WHERE property = @Property",
         {},
         "the query uses @Property, which has no value"},
        {"SELECT name FROM tblResident",
         {Single("@Property", "P1")},
         "the value for @Property matches no placeholder of the query"},
        {"SELECT name FROM tblResident WHERE property = @P",
         {Single("@P", "P1"), Single("@p", "P2")},
         "the value for @p is given more than once"},
        {"SELECT name FROM tblResident WHERE property = ?",
         {},
         "the query marks a value with ?; write each placeholder as @Name"},
        {"SELECT name FROM tblResident WHERE property = :Property",
         {},
         "the query uses a placeholder not written as @Name"},
    };
    for (const Case& row : cases) {
        RecordsetPtr rows;
        ComError error = CaughtComError([&] { rs.GetRSReadOnly(row.sql, rows, row.values); });
        EXPECT_EQ(error.Description(), std::string(row.description) + " SQL:" + row.sql);
    }
}

// Procedures take their arguments by name in any order, missing ones take their defaults, and
// a procedure that only assigns outputs hands back a closed recordset.
TEST_F(ReadOnlyRoad, ProceduresBindByName) {
    RecordsetPtr rows;
    ASSERT_TRUE(rs.RunSpRetRSReadOnly("sp_Since", rows, {Single("@Property", "P1")}));
    EXPECT_EQ(Names(rows), "Ann Lee,Bo Park");
    ASSERT_TRUE(rs.RunSpRetRSReadOnly(
        "SP_SINCE", rows,
        {Single("@since", Date::FromYmd(2024, 2, 1)), Single("@Property", "P1")}));
    EXPECT_EQ(Names(rows), "Bo Park");
    EXPECT_EQ(rows->LockType(), adLockReadOnly);
    ASSERT_TRUE(rs.RunSpRetRSReadOnly("sp_GetName", rows, {Single("@Description", "Ann Lee")}));
    EXPECT_FALSE(rows->IsOpen());
    EXPECT_EQ(GetConnectionStats().open, 0);
}

// A procedure with any statement that writes is refused before its first statement runs; bad
// arguments name the procedure and the argument; every failure is 3207 with " SP:".
TEST_F(ReadOnlyRoad, ProcedureRefusalsAndMistakes) {
    const std::string change = std::string(kReadOnlyWouldChange);
    const std::string reading = std::string(kReadOnlyOnlyReading);
    struct Case {
        const char* procedure;
        std::vector<BoundValue> arguments;
        std::string description;
    } cases[] = {
        {"sp_AddResident",
         {Single("@Property", "P1"), Single("@Name", "X")},
         "procedure sp_AddResident: " + change + "writes to tblResident" + reading},
        {"sp_ReadThenWrite",
         {Single("@Property", "P1")},
         "procedure sp_ReadThenWrite: " + change + "writes to tblResident" + reading},
        {"sp_Since",
         {Single("@Property", "P1"), Single("@Until", 1)},
         "procedure sp_Since: @Until is not a parameter of the procedure"},
        {"sp_Since",
         {List("@Property", {"P1", "P2"})},
         "procedure sp_Since: @Property is given a list; a procedure takes one value per "
         "parameter"},
        {"sp_Since", {}, "procedure sp_Since: parameter @Property has no value and no default"},
        {"sp_Missing", {}, "Could not find stored procedure 'sp_Missing'."},
    };
    for (const Case& row : cases) {
        RecordsetPtr rows;
        ComError error =
            CaughtComError([&] { rs.RunSpRetRSReadOnly(row.procedure, rows, row.arguments); });
        EXPECT_EQ(error.Number(), 3207) << row.procedure;
        EXPECT_EQ(error.Source(), "clsRecordset.RunSpRetRSReadOnly");
        EXPECT_EQ(error.Description(), row.description + " SP:" + row.procedure);
        EXPECT_EQ(Count(), "3") << row.procedure;
        EXPECT_EQ(GetConnectionStats().open, 0) << row.procedure;
    }
}

// The read-only road keeps working inside a transaction the caller holds, and leaves the
// connection's ordinary road able to write afterwards.
TEST_F(ReadOnlyRoad, OrdinaryRoadWritesAfterARefusal) {
    rs.BeginTX();
    RecordsetPtr rows;
    CaughtComError([&] { rs.GetRSReadOnly("DELETE FROM tblResident", rows); });
    EXPECT_TRUE(rs.TXPending());
    EXPECT_TRUE(rs.ExecuteRS("DELETE FROM tblResident WHERE property = 'P2'"));
    EXPECT_EQ(Query("SELECT name FROM tblResident", {}), "Ann Lee,Bo Park");
    rs.CommitTX();
    EXPECT_EQ(Count(), "2");
}

}  // namespace
}  // namespace hlreports
