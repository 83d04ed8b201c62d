// The small grammars of the embedded backend: procedure parameter declarations and procedure
// calls written as text.
#include <gtest/gtest.h>

#include "backends/CallText.h"
#include "backends/sqlite/SqliteProcedure.h"
#include "backends/sqlite/SqliteTypes.h"
#include "data/DataTestHelpers.h"

namespace hlreports {
namespace {

using test::CaughtComError;

// The classic declaration reads into names, types, sizes, defaults and OUTPUT flags.
TEST(ParameterDeclarations, ReadsNamesTypesDefaultsAndOutputs) {
    auto parameters = ParseParameterDeclarations(
        "sp_x", "@Property varchar(10), @Days int = 7, @Total float OUTPUT");
    ASSERT_EQ(parameters.size(), 3u);
    EXPECT_EQ(parameters[0].name, "@Property");
    EXPECT_EQ(parameters[0].type.kind, SqlTypeKind::VarText);
    EXPECT_EQ(parameters[0].type.size, 10);
    EXPECT_FALSE(parameters[0].defaultValue);
    EXPECT_EQ(parameters[1].type.kind, SqlTypeKind::Integer);
    EXPECT_EQ(parameters[1].defaultValue.value_or(Variant()), Variant(7));
    EXPECT_FALSE(parameters[1].isOutput);
    EXPECT_EQ(parameters[2].type.kind, SqlTypeKind::Real);
    EXPECT_TRUE(parameters[2].isOutput);
}

// Default literals: quoted texts with doubled quotes, NULL, signed and decimal numbers.
TEST(ParameterDeclarations, ReadsDefaultLiterals) {
    auto parameters = ParseParameterDeclarations(
        "sp_x",
        "@A varchar(20) = 'O''Brien', @B varchar(5) = NULL, @C float = -1.5, @D varchar(9) = "
        "\"x\", "
        "@E nvarchar(3) = N'abc', @F money = 12.25 OUT, @G date = '2024-01-31'");
    ASSERT_EQ(parameters.size(), 7u);
    EXPECT_EQ(*parameters[0].defaultValue, Variant("O'Brien"));
    EXPECT_TRUE(parameters[1].defaultValue->IsNull());
    EXPECT_EQ(*parameters[2].defaultValue, Variant(-1.5));
    EXPECT_EQ(*parameters[3].defaultValue, Variant("x"));
    EXPECT_EQ(*parameters[4].defaultValue, Variant("abc"));
    EXPECT_TRUE(parameters[5].isOutput);
    EXPECT_EQ(parameters[6].type.kind, SqlTypeKind::Date);
}

// An empty or blank declaration text declares nothing.
TEST(ParameterDeclarations, BlankDeclaresNothing) {
    EXPECT_TRUE(ParseParameterDeclarations("sp_x", "").empty());
    EXPECT_TRUE(ParseParameterDeclarations("sp_x", "  \n\t").empty());
}

// Faulty declarations name the procedure, the problem and its position.
TEST(ParameterDeclarations, FaultsAreNamed) {
    const std::pair<const char*, const char*> cases[] = {
        {"@A", "procedure sp_x: parameter declarations: @A has no type at position 3"},
        {"@A blob",
         "procedure sp_x: parameter declarations: @A has an unknown type 'blob' at position 8"},
        {"@A int, @a int",
         "procedure sp_x: parameter declarations: @a is declared twice at position 9"},
        {"A int",
         "procedure sp_x: parameter declarations: expected a parameter name such as @Name at "
         "position 1"},
        {"@A int @B int",
         "procedure sp_x: parameter declarations: expected ',' or the end of the declarations at "
         "position 8"},
        {"@A varchar(10",
         "procedure sp_x: parameter declarations: the size of @A is not closed with ')' at "
         "position 12"},
        {"@A int = ",
         "procedure sp_x: parameter declarations: expected a default value (a quoted text, a "
         "number or NULL) for @A "
         "at position 10"},
        {"@A int = 'many'", "procedure sp_x: default of @A: 'many' is not a number"},
        {"@A varchar(5) = 'open",
         "procedure sp_x: parameter declarations: a quoted text is not closed at position 17"},
    };
    for (const auto& [text, message] : cases) {
        ComError error = CaughtComError([&] { ParseParameterDeclarations("sp_x", text); });
        EXPECT_EQ(error.Description(), message) << text;
    }
}

struct TypeCase {
    const char* declared;
    bool known;
    SqlTypeKind kind;
    int size;
    int precision;
    int scale;
};

// Declared type names map ignoring case and blanks; sizes, precision and scale are read.
TEST(SqlTypes, ParsesDeclaredTypes) {
    const TypeCase cases[] = {
        {"varchar(10)", true, SqlTypeKind::VarText, 10, 0, 0},
        {"VARCHAR ( 30 )", true, SqlTypeKind::VarText, 30, 0, 0},
        {"nvarchar(max)", true, SqlTypeKind::VarText, 0, 0, 0},
        {"varchar", true, SqlTypeKind::VarText, 0, 0, 0},
        {"char(3)", true, SqlTypeKind::FixedText, 3, 0, 0},
        {"char", true, SqlTypeKind::FixedText, 1, 0, 0},
        {"TEXT", true, SqlTypeKind::LongText, 0, 0, 0},
        {"integer", true, SqlTypeKind::Integer, 0, 0, 0},
        {"smallint", true, SqlTypeKind::SmallInt, 0, 0, 0},
        {"bigint", true, SqlTypeKind::BigInt, 0, 0, 0},
        {"bit", true, SqlTypeKind::Bit, 0, 0, 0},
        {"boolean", true, SqlTypeKind::Bit, 0, 0, 0},
        {"double  precision", true, SqlTypeKind::Real, 0, 0, 0},
        {"real", true, SqlTypeKind::Real, 0, 0, 0},
        {"money", true, SqlTypeKind::Money, 0, 0, 0},
        {"numeric(10,2)", true, SqlTypeKind::Decimal, 0, 10, 2},
        {"decimal", true, SqlTypeKind::Decimal, 0, 18, 0},
        {"date", true, SqlTypeKind::Date, 0, 0, 0},
        {"DateTime", true, SqlTypeKind::DateTime, 0, 0, 0},
        {"blob", false, SqlTypeKind::VarText, 0, 0, 0},
        {"", false, SqlTypeKind::VarText, 0, 0, 0},
        {"varchar(ten)", false, SqlTypeKind::VarText, 0, 0, 0},
        {"varchar(10", false, SqlTypeKind::VarText, 0, 0, 0},
    };
    for (const TypeCase& row : cases) {
        std::optional<SqlType> type = ParseSqlType(row.declared);
        ASSERT_EQ(type.has_value(), row.known) << row.declared;
        if (!type) {
            continue;
        }
        EXPECT_EQ(type->kind, row.kind) << row.declared;
        EXPECT_EQ(type->size, row.size) << row.declared;
        EXPECT_EQ(type->precision, row.precision) << row.declared;
        EXPECT_EQ(type->scale, row.scale) << row.declared;
    }
}

// Texts that start with an SQL statement word, or with no name at all, are SQL, not calls.
TEST(CallText, SqlIsNotACall) {
    for (const char* text :
         {"SELECT 1", "  select * from t", "WITH x AS (SELECT 1) SELECT * FROM x",
          "insert into t values (1)", "(SELECT 1)", "-- note\nSELECT 1", "", "   ",
          "update t set x = 1", "PRAGMA user_version", "VALUES (1)"}) {
        EXPECT_FALSE(ParseCallHead(text)) << text;
    }
}

// Call heads with and without EXEC/EXECUTE name the procedure.
TEST(CallText, ReadsTheProcedureName) {
    const std::pair<const char*, const char*> cases[] = {
        {"sp_x", "sp_x"},
        {"EXEC sp_x", "sp_x"},
        {"execute  sp_Rep_NSF @A=1", "sp_Rep_NSF"},
        {"exec [sp weird]", "sp weird"},
        {"EXEC select", "select"},
        {"dbo.sp_x 1", "dbo.sp_x"},
    };
    for (const auto& [text, name] : cases) {
        std::optional<CallHead> head = ParseCallHead(text);
        ASSERT_TRUE(head) << text;
        EXPECT_EQ(head->procedure, name) << text;
    }
}

struct ArgumentCase {
    const char* text;
    std::vector<std::pair<std::string, Variant>> expected;
};

// Named and positional arguments, every literal form, and a closing semicolon.
TEST(CallText, ReadsArguments) {
    const ArgumentCase cases[] = {
        {"sp_x @Property='P1',@Days=7", {{"@Property", Variant("P1")}, {"@Days", Variant(7)}}},
        {"EXECUTE sp_y @A = \"x\"", {{"@A", Variant("x")}}},
        {"EXEC sp_z 'a', 2, NULL", {{"", Variant("a")}, {"", Variant(2)}, {"", Variant::Null()}}},
        {"sp_x @Name='O''Brien'", {{"@Name", Variant("O'Brien")}}},
        {"sp_x @Say=\"say \"\"hi\"\"\"", {{"@Say", Variant("say \"hi\"")}}},
        {"sp_x @U=N'abc', @N=null", {{"@U", Variant("abc")}, {"@N", Variant::Null()}}},
        {"sp_x -1.5, +3, 1e3, 3000000000",
         {{"", Variant(-1.5)},
          {"", Variant(3)},
          {"", Variant(1000.0)},
          {"", Variant(3000000000.0)}}},
        {"sp_x 9999999999999999999999999999, -999999999999.999999, 0.1",
         {{"", Variant(*Decimal::Parse("9999999999999999999999999999"))},
          {"", Variant(*Decimal::Parse("-999999999999.999999"))},
          {"", Variant(0.1)}}},
        {"sp_x 'a', @B=2;", {{"", Variant("a")}, {"@B", Variant(2)}}},
        {"sp_x ''", {{"", Variant("")}}},
        {"sp_x", {}},
        {"sp_x ;", {}},
    };
    for (const ArgumentCase& row : cases) {
        std::optional<CallHead> head = ParseCallHead(row.text);
        ASSERT_TRUE(head) << row.text;
        std::vector<CallArgument> arguments = ParseCallArguments(row.text, *head);
        ASSERT_EQ(arguments.size(), row.expected.size()) << row.text;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            EXPECT_EQ(arguments[i].name, row.expected[i].first) << row.text;
            EXPECT_EQ(arguments[i].value, row.expected[i].second) << row.text << " argument " << i;
        }
    }
}

// Malformed calls name the procedure, the problem and the position in the whole text.
TEST(CallText, MalformedCallsAreNamed) {
    const std::pair<const char*, const char*> cases[] = {
        {"sp_x @A", "procedure call sp_x: expected '=' after @A at position 8"},
        {"sp_x @A='open", "procedure call sp_x: a quoted text is not closed at position 9"},
        {"sp_x @A=7 @B=8",
         "procedure call sp_x: expected ',' or the end of the call at position 11"},
        {"sp_x @A=1, 2",
         "procedure call sp_x: a value without a name follows a named argument at position 12"},
        {"sp_x @A=abc",
         "procedure call sp_x: expected a value (a quoted text, a number or NULL) at position 9"},
        {"sp_x 1;2", "procedure call sp_x: expected ',' or the end of the call at position 8"},
    };
    for (const auto& [text, message] : cases) {
        ComError error = CaughtComError([&] {
            std::optional<CallHead> head = ParseCallHead(text);
            ASSERT_TRUE(head);
            ParseCallArguments(text, *head);
        });
        EXPECT_EQ(error.Description(), message) << text;
    }
    ComError noName = CaughtComError([] { ParseCallHead("EXEC "); });
    EXPECT_EQ(noName.Description(),
              "procedure call: expected the name of a procedure at position 6");
}

}  // namespace
}  // namespace hlreports
