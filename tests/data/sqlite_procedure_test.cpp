// The embedded procedure convention: binding by position (command road) and by name or
// position (text road), defaults, conversions, output assignment, and which rows come back.
#include <gtest/gtest.h>

#include "data/Connections.h"
#include "data/DataTestHelpers.h"
#include "recordset/AdoTypes.h"
#include "support/TestDatabase.h"

namespace hlreports {
namespace {

using test::CaughtComError;

ProcedureArgument In(std::string name, Variant value) {
    return {std::move(name), adVarChar, 10, adParamInput, std::move(value)};
}
ProcedureArgument Out(std::string name) {
    return {std::move(name), adDouble, 8, adParamOutput, Variant::Missing()};
}

class EmbeddedProcedures : public ::testing::Test {
  protected:
    test::TestDatabase db{
        "CREATE TABLE tblItem (id INTEGER PRIMARY KEY, property varchar(10), amount money);"
        "INSERT INTO tblItem (property, amount) VALUES ('P1', 10), ('P1', 20), ('P2', 5);"};
    std::unique_ptr<Connection> connection;

    void SetUp() override {
        db.AddProcedure("sp_Echo", "@Property varchar(5), @Days int = 7, @Total float OUTPUT",
                        "SELECT @Property AS Property, @Days AS Days, typeof(@Days) AS DaysType;"
                        "SELECT @Days * 1.5 AS \"@Total\";");
        db.AddProcedure("sp_Need", "@A int", "SELECT @A AS a");
        db.AddProcedure("sp_Sum", "@Property varchar(10), @Total money OUTPUT, @Count int OUTPUT",
                        "SELECT sum(amount) AS \"@Total\", count(*) AS \"@Count\" FROM tblItem "
                        "WHERE property = @Property;"
                        "SELECT id, amount, @Total AS total FROM tblItem WHERE property = "
                        "@Property ORDER BY id;");
        connection = OpenConnection(db.ConnectionString());
    }

    Variant First(const RecordsetPtr& rows, std::string_view field) {
        EXPECT_TRUE(rows);
        return rows ? rows->Value(field) : Variant();
    }
};

// The command road binds by position, converts to the declared types and returns outputs.
TEST_F(EmbeddedProcedures, CommandRoadBindsByPositionAndReturnsOutputs) {
    ProcedureResult result = connection->CallProcedure(
        "sp_echo", {In("@property", "P1"), In("@Days", "3"), Out("@Total")});
    EXPECT_EQ(First(result.rows, "Property"), Variant("P1"));
    EXPECT_EQ(First(result.rows, "DaysType"), Variant("integer"));
    ASSERT_EQ(result.outputs.size(), 3u);
    EXPECT_TRUE(result.outputs[0].IsEmpty());
    EXPECT_TRUE(result.outputs[1].IsEmpty());
    EXPECT_EQ(result.outputs[2], Variant(4.5));
}

// Missing trailing arguments take their declared default.
TEST_F(EmbeddedProcedures, MissingInputTakesItsDefault) {
    ProcedureResult result = connection->CallProcedure("sp_Echo", {In("@Property", "P1")});
    EXPECT_EQ(First(result.rows, "Days"), Variant(7));
    ProcedureResult missing = connection->CallProcedure(
        "sp_Echo", {In("@Property", "P1"), In("@Days", Variant::Missing())});
    EXPECT_EQ(First(missing.rows, "Days"), Variant(7));
}

// Outputs are assigned from the first row of an all-"@" SELECT; later statements see them.
TEST_F(EmbeddedProcedures, OutputsAssignedAndSeenByLaterStatements) {
    ProcedureResult result = connection->CallProcedure(
        "sp_Sum", {In("@Property", "P1"),
                   {"@Total", adCurrency, 8, adParamOutput, Variant::Missing()},
                   {"@Count", adInteger, 4, adParamOutput, Variant::Missing()}});
    EXPECT_EQ(result.outputs[1], Variant::FromCurrencyValue(30));
    EXPECT_EQ(result.outputs[2], Variant(2));
    ASSERT_TRUE(result.rows);
    EXPECT_EQ(result.rows->RecordCount(), 2);
    EXPECT_EQ(result.rows->Value("total"), Variant(30.0));  // an expression: typed by its value
}

// An assigning SELECT without rows sets its outputs to NULL.
TEST_F(EmbeddedProcedures, AssignmentWithoutRowGivesNull) {
    db.AddProcedure("sp_None", "@Total money = 5 OUTPUT",
                    "SELECT amount AS \"@Total\" FROM tblItem WHERE 0;");
    ProcedureResult result =
        connection->CallProcedure("sp_None", {{"@Total", adCurrency, 8, adParamOutput, Variant()}});
    EXPECT_TRUE(result.outputs[0].IsNull());
    EXPECT_FALSE(result.rows);
}

// The last row-returning statement that is not an assignment gives the rows; none gives nullptr.
TEST_F(EmbeddedProcedures, LastRowSetWinsAndNoneIsClosed) {
    db.AddProcedure("sp_Two", "@Later int OUTPUT",
                    "SELECT 1 AS first; SELECT 2 AS second; SELECT 3 AS \"@Later\"");
    db.AddProcedure("sp_Quiet", "", "UPDATE tblItem SET amount = amount WHERE 0; -- no rows\n");
    RecordsetPtr rows = connection->OpenRecordset("sp_Two");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->FieldCount(), 1);
    EXPECT_EQ(rows->Field(0).name, "second");
    EXPECT_FALSE(connection->OpenRecordset("EXEC sp_Quiet"));
    EXPECT_FALSE(connection->CallProcedure("sp_Quiet", {}).rows);
}

// The text road binds by name in any order, or by position, positional ones first.
TEST_F(EmbeddedProcedures, TextRoadBindsByNameOrPosition) {
    EXPECT_EQ(First(connection->OpenRecordset("sp_Echo @Days=2, @Property='P9'"), "Days"),
              Variant(2));
    EXPECT_EQ(First(connection->OpenRecordset("EXEC sp_Echo 'P2', 5"), "Property"), Variant("P2"));
    EXPECT_EQ(First(connection->OpenRecordset("execute sp_Echo 'P3', @days = 4"), "Days"),
              Variant(4));
    EXPECT_EQ(First(connection->OpenRecordset("sp_Echo @Property=NULL"), "Property"),
              Variant::Null());
}

// Text is cut to the declared varchar size; dates become ISO text whatever form they arrive in.
TEST_F(EmbeddedProcedures, ValuesAreConvertedToTheDeclaredType) {
    db.AddProcedure("sp_Types", "@S varchar(5), @D date, @T datetime, @B bit, @M money, @F float",
                    "SELECT @S AS s, @D AS d, @T AS t, @B AS b, @M AS m, typeof(@F) AS f");
    Date stamp = Date::FromYmdHms(2007, 3, 5, 14, 30, 0);
    ProcedureResult result = connection->CallProcedure(
        "sp_Types", {In("@S", "ABCDEFGH"), In("@D", "3/5/2007"), In("@T", stamp), In("@B", true),
                     In("@M", "12.34567"), In("@F", 2)});
    EXPECT_EQ(First(result.rows, "s"), Variant("ABCDE"));
    EXPECT_EQ(First(result.rows, "d"), Variant("2007-03-05"));
    EXPECT_EQ(First(result.rows, "t"), Variant("2007-03-05 14:30:00"));
    EXPECT_EQ(First(result.rows, "b"), Variant(1));
    EXPECT_EQ(First(result.rows, "m"), Variant(12.3457));
    EXPECT_EQ(First(result.rows, "f"), Variant("real"));
    RecordsetPtr isoDate =
        connection->OpenRecordset("sp_Types @D='2007-03-05', @T=NULL, @S='', @B=0, @M=0, @F=0");
    EXPECT_EQ(First(isoDate, "d"), Variant("2007-03-05"));
}

// Each broken call ends in an error that names the procedure and the problem.
TEST_F(EmbeddedProcedures, BrokenCallsAreNamed) {
    db.AddProcedure("sp_Undeclared", "", "SELECT @Nope AS x");
    db.AddProcedure("sp_BadBody", "", "SELECT * FROM nowhere");
    db.AddProcedure("sp_BadDecl", "@A widget", "SELECT 1");
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { connection->CallProcedure("sp_Echo", {In("@Prop", "P1")}); },
         "procedure sp_Echo: argument 1 is @Prop but the procedure declares @Property there"},
        {[&] {
             connection->CallProcedure(
                 "sp_Echo", {In("@Property", "P1"), In("@Days", 1), Out("@Total"), In("@X", 1)});
         },
         "procedure sp_Echo has too many arguments specified"},
        {[&] { connection->CallProcedure("sp_Need", {}); },
         "procedure sp_Need: parameter @A has no value and no default"},
        {[&] { connection->OpenRecordset("sp_Need"); },
         "procedure sp_Need: parameter @A has no value and no default"},
        {[&] {
             connection->CallProcedure("sp_Echo", {In("@Property", "P1"), Out("@Days")});
         },
         "procedure sp_Echo: parameter @Days is not declared OUTPUT"},
        {[&] { connection->OpenRecordset("sp_Echo @Property='P1', @Nope=1"); },
         "procedure sp_Echo: @Nope is not a parameter of the procedure"},
        {[&] { connection->OpenRecordset("sp_Echo @Property='P1', @property='P2'"); },
         "procedure sp_Echo: @property is given more than once"},
        {[&] { connection->OpenRecordset("sp_Need 1, 2"); },
         "procedure sp_Need has too many arguments specified"},
        {[&] { connection->OpenRecordset("sp_Echo @Property='P1', @Days='abc'"); },
         "procedure sp_Echo: parameter @Days: 'abc' is not a number"},
        {[&] { connection->OpenRecordset("sp_Echo @Property='P1', @Days=99999999999"); },
         "procedure sp_Echo: parameter @Days: 99999999999 is out of range for int"},
        {[&] { connection->OpenRecordset("sp_Missing @A=1"); },
         "Could not find stored procedure 'sp_Missing'."},
        {[&] { connection->CallProcedure("sp_Missing", {}); },
         "Could not find stored procedure 'sp_Missing'."},
        {[&] { connection->Execute("EXEC sp_Missing"); },
         "Could not find stored procedure 'sp_Missing'."},
        {[&] { connection->OpenRecordset("sp_Undeclared"); },
         "procedure sp_Undeclared: the body uses @Nope, which is not a declared parameter"},
        {[&] { connection->OpenRecordset("sp_BadBody"); },
         "procedure sp_BadBody: no such table: nowhere"},
        {[&] { connection->OpenRecordset("sp_BadDecl"); },
         "procedure sp_BadDecl: parameter declarations: @A has an unknown type 'widget' at "
         "position 10"},
    };
    for (const auto& [call, message] : cases) {
        EXPECT_EQ(CaughtComError(call).Description(), message);
    }
}

// A NUL byte after a complete statement is an error naming the procedure or the statement's
// position, never a loop that makes no progress.
TEST_F(EmbeddedProcedures, NulByteAfterAStatementIsAnError) {
    using namespace std::string_literals;
    db.AddProcedure("sp_Nul", "", "SELECT 1 AS a;\0SELECT 2 AS b"s);
    EXPECT_EQ(CaughtComError([&] { connection->OpenRecordset("sp_Nul"); }).Description(),
              "procedure sp_Nul: the text holds a NUL byte at offset 14, where no statement can "
              "start");
    EXPECT_EQ(CaughtComError([&] { connection->Execute("SELECT 1;\0"s); }).Description(),
              "the text holds a NUL byte at offset 9, where no statement can start");
    EXPECT_EQ(
        CaughtComError([&] { connection->OpenRecordset("SELECT 1 AS a; \0 "s); }).Description(),
        "the text holds a NUL byte at offset 15, where no statement can start");
}

// A database without the catalogue table knows no procedures.
TEST(EmbeddedProcedureCatalogue, NoCatalogueMeansUnknownProcedure) {
    test::TestDatabase db("DROP TABLE sys_procedures;");
    std::unique_ptr<Connection> connection = OpenConnection(db.ConnectionString());
    EXPECT_EQ(CaughtComError([&] { connection->OpenRecordset("sp_x @A=1"); }).Description(),
              "Could not find stored procedure 'sp_x'.");
}

// A return-value argument takes no declared position and comes back as 0.
TEST_F(EmbeddedProcedures, ReturnValueArgumentIsSkipped) {
    ProcedureResult result = connection->CallProcedure(
        "sp_Need", {{"@RETURN_VALUE", adInteger, 4, adParamReturnValue, Variant()}, In("@A", 5)});
    EXPECT_EQ(result.outputs[0], Variant(0));
    EXPECT_EQ(First(result.rows, "a"), Variant(5));
}

// An in/out argument passes its value in and gets the assigned value back.
TEST_F(EmbeddedProcedures, InputOutputArgumentRoundTrips) {
    db.AddProcedure("sp_Double", "@N int OUTPUT", "SELECT @N * 2 AS \"@N\"");
    ProcedureResult result =
        connection->CallProcedure("sp_Double", {{"@N", adInteger, 4, adParamInputOutput, 21}});
    EXPECT_EQ(result.outputs[0], Variant(42));
}

// Text that is no call runs as SQL; parameters in plain SQL are refused rather than read as NULL.
TEST_F(EmbeddedProcedures, PlainSqlRunsAndRefusesParameters) {
    connection->Execute(
        "UPDATE tblItem SET amount = amount + 1 WHERE property = 'P2'; DELETE FROM tblItem WHERE "
        "0");
    EXPECT_EQ(db.QueryText("SELECT amount FROM tblItem WHERE property = 'P2'"), "6");
    RecordsetPtr rows =
        connection->OpenRecordset("SELECT 1 AS a; SELECT count(*) AS n FROM tblItem");
    EXPECT_EQ(First(rows, "n"), Variant(3));
    EXPECT_EQ(CaughtComError([&] {
                  connection->OpenRecordset("SELECT * FROM tblItem WHERE property = @P");
              }).Description(),
              "the SQL text uses the parameter @P, which has no value");
    EXPECT_FALSE(connection->OpenRecordset("UPDATE tblItem SET amount = amount WHERE 0"));
}

// A procedure's rows carry a Source that runs the same call again.
TEST_F(EmbeddedProcedures, RowsOfACallCanBeRunAgain) {
    ProcedureResult result =
        connection->CallProcedure("sp_Echo", {In("@Property", "O'B"), In("@Days", 2)});
    ASSERT_TRUE(result.rows);
    RecordsetPtr again = connection->OpenRecordset(result.rows->Source());
    EXPECT_EQ(First(again, "Property"), Variant("O'B"));
    EXPECT_EQ(First(again, "Days"), Variant(2));
    db.AddProcedure("sp_Grow", "@N int OUTPUT", "SELECT @N + 1 AS \"@N\"; SELECT @N AS n");
    ProcedureResult grown =
        connection->CallProcedure("sp_Grow", {{"@N", adInteger, 4, adParamInputOutput, 41}});
    EXPECT_EQ(grown.rows->Source(), "sp_Grow @N=41");
    EXPECT_EQ(First(connection->OpenRecordset(grown.rows->Source()), "n"), Variant(42));
}

}  // namespace
}  // namespace hlreports
