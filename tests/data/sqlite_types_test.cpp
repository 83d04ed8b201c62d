// Column type mapping of the embedded backend: ADO codes and sizes from declared types, typing of
// expression columns, values of the field's type, and base-column metadata for batch updates.
#include <gtest/gtest.h>

#include "data/Connections.h"
#include "data/DataTestHelpers.h"
#include "recordset/AdoTypes.h"
#include "support/TestDatabase.h"

namespace hlreports {
namespace {

using test::CaughtComError;

class ColumnTypes : public ::testing::Test {
  protected:
    test::TestDatabase db{
        "CREATE TABLE tblTypes (id INTEGER PRIMARY KEY, v varchar(12) NOT NULL, c char(3), t text, "
        "i int,"
        " s smallint, g bigint, b bit, f float, m money, n numeric(10,2), d date, dt datetime, x "
        "widget);"
        "INSERT INTO tblTypes VALUES (1, 'hello', 'abc', 'long', 42, 7, 5000000000, 1, 2.5, 12.34, "
        "3.14,"
        " '2024-01-31', '2024-01-31 13:45:10', 'odd');"};
    std::unique_ptr<Connection> connection = OpenConnection(db.ConnectionString());
};

struct FieldCase {
    const char* name;
    int32_t type;
    int32_t definedSize;
    int precision;
    int scale;
    Variant value;
};

// Declared types give the ADO type, defined size, precision and scale, and values of that type.
TEST_F(ColumnTypes, DeclaredTypesMapToAdoFields) {
    RecordsetPtr rows = connection->OpenRecordset("SELECT * FROM tblTypes");
    ASSERT_TRUE(rows);
    const FieldCase cases[] = {
        {"id", adInteger, 4, 10, 0, Variant(1)},
        {"v", adVarChar, 12, 0, 0, Variant("hello")},
        {"c", adChar, 3, 0, 0, Variant("abc")},
        {"t", adLongVarChar, 2147483647, 0, 0, Variant("long")},
        {"i", adInteger, 4, 10, 0, Variant(42)},
        {"s", adSmallInt, 2, 5, 0, Variant::Integer(7)},
        {"g", adBigInt, 8, 19, 0, Variant(5000000000.0)},
        {"b", adBoolean, 2, 0, 0, Variant(true)},
        {"f", adDouble, 8, 15, 0, Variant(2.5)},
        {"m", adCurrency, 8, 19, 0, Variant::FromCurrencyValue(12.34)},
        {"n", adNumeric, 19, 10, 2, Variant(*Decimal::Parse("3.14"))},
        {"d", adDBDate, 6, 0, 0, Variant(Date::FromYmd(2024, 1, 31))},
        {"dt", adDBTimeStamp, 16, 23, 3, Variant(Date::FromYmdHms(2024, 1, 31, 13, 45, 10))},
        {"x", adVarChar, 3, 0, 0, Variant("odd")},  // unknown declared type: typed by its value
    };
    for (const FieldCase& row : cases) {
        int index = rows->FieldIndex(row.name);
        ASSERT_GE(index, 0) << row.name;
        const FieldInfo& field = rows->Field(index);
        EXPECT_EQ(field.type, row.type) << row.name;
        EXPECT_EQ(field.definedSize, row.definedSize) << row.name;
        EXPECT_EQ(field.precision, row.precision) << row.name;
        EXPECT_EQ(field.scale, row.scale) << row.name;
        EXPECT_EQ(rows->Value(row.name), row.value) << row.name;
    }
}

// Base table, base column, key and NOT NULL come from the column metadata.
TEST_F(ColumnTypes, BaseColumnsAndKeysAreReported) {
    RecordsetPtr rows =
        connection->OpenRecordset("SELECT id, v AS label, i + 1 AS next FROM tblTypes");
    ASSERT_TRUE(rows);
    const FieldInfo& id = rows->Field(0);
    EXPECT_EQ(id.baseTable, "tblTypes");
    EXPECT_EQ(id.baseColumn, "id");
    EXPECT_TRUE(id.isKeyColumn);
    EXPECT_NE(id.attributes & adFldKeyColumn, 0u);
    const FieldInfo& label = rows->Field(1);
    EXPECT_EQ(label.name, "label");
    EXPECT_EQ(label.baseColumn, "v");
    EXPECT_FALSE(label.isKeyColumn);
    EXPECT_EQ(label.attributes & (adFldIsNullable | adFldMayBeNull), 0u);  // NOT NULL
    const FieldInfo& next = rows->Field(2);
    EXPECT_TRUE(next.baseTable.empty());
    EXPECT_NE(next.attributes & adFldMayBeNull, 0u);
}

struct ExpressionCase {
    const char* sql;
    int32_t type;
    int32_t definedSize;
    Variant value;
};

// An expression column takes its type from its first non-null value.
TEST_F(ColumnTypes, ExpressionColumnsAreTypedByTheirFirstValue) {
    const ExpressionCase cases[] = {
        {"SELECT 1 AS x", adInteger, 4, Variant(1)},
        {"SELECT 2.5 AS x", adDouble, 8, Variant(2.5)},
        {"SELECT 'abcd' AS x", adVarChar, 4, Variant("abcd")},
        {"SELECT 3000000000 AS x", adBigInt, 8, Variant(3000000000.0)},
        {"SELECT NULL AS x", adVarChar, 1, Variant::Null()},
        {"SELECT x FROM (SELECT NULL AS x UNION ALL SELECT 5)", adInteger, 4, Variant::Null()},
        {"SELECT x FROM (SELECT 'a' AS x UNION ALL SELECT 'éèêë')", adVarChar, 4, Variant("a")},
        {"SELECT x FROM (SELECT 'a' AS x UNION ALL SELECT 12)", adVarChar, 2, Variant("a")},
        {"SELECT x FROM (SELECT 1 AS x UNION ALL SELECT 2.5)", adDouble, 8, Variant(1.0)},
    };
    for (const ExpressionCase& row : cases) {
        RecordsetPtr rows = connection->OpenRecordset(row.sql);
        ASSERT_TRUE(rows) << row.sql;
        EXPECT_EQ(rows->Field(0).type, row.type) << row.sql;
        EXPECT_EQ(rows->Field(0).definedSize, row.definedSize) << row.sql;
        EXPECT_EQ(rows->Value(0), row.value) << row.sql;
    }
}

// A stored value that does not fit its field's type is an error naming column, row and value.
TEST_F(ColumnTypes, ValuesThatDoNotFitAreRefused) {
    db.Execute("INSERT INTO tblTypes (id, v, i, d) VALUES (2, 'x', 'many', '2024-02-30');");
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT i FROM tblTypes ORDER BY id", "column i, row 2: 'many' is not a number"},
        {"SELECT d FROM tblTypes ORDER BY id", "column d, row 2: '2024-02-30' is not a date"},
        {"SELECT x FROM (SELECT 1 AS x UNION ALL SELECT 'n/a')",
         "column x, row 2: 'n/a' is not a number"},
        {"SELECT x'00ff' AS blob", "column blob holds binary data, which reports cannot read"},
    };
    for (const auto& [sql, message] : cases) {
        EXPECT_EQ(CaughtComError([&] { connection->OpenRecordset(sql); }).Description(), message)
            << sql;
    }
}

// A 64-bit integer keeps every digit, in a declared bigint column and in an expression typed by
// its value; digits a double cannot carry come back as text.
TEST_F(ColumnTypes, BigIntegersKeepEveryDigit) {
    db.Execute(
        "CREATE TABLE tblBig (g bigint);"
        "INSERT INTO tblBig VALUES (9007199254740993), (9223372036854775807), "
        "(-9223372036854775808), (5000000000);");
    const std::pair<const char*, std::vector<Variant>> cases[] = {
        {"SELECT g FROM tblBig ORDER BY rowid",
         {Variant("9007199254740993"), Variant("9223372036854775807"),
          Variant(-9223372036854775808.0), Variant(5000000000.0)}},
        {"SELECT g + 0 AS x FROM tblBig ORDER BY rowid",
         {Variant("9007199254740993"), Variant("9223372036854775807"),
          Variant(-9223372036854775808.0), Variant(5000000000.0)}},
    };
    for (const auto& [sql, values] : cases) {
        RecordsetPtr rows = connection->OpenRecordset(sql);
        ASSERT_TRUE(rows) << sql;
        EXPECT_EQ(rows->Field(0).type, adBigInt) << sql;
        for (const Variant& value : values) {
            EXPECT_EQ(rows->Value(0), value) << sql;
            rows->MoveNext();
        }
    }
}

// Dates stored with a 'T', without seconds, or month first are read; rows come back as Dates.
TEST_F(ColumnTypes, StoredDateSpellingsAreRead) {
    db.Execute(
        "CREATE TABLE tblDates (d datetime);"
        "INSERT INTO tblDates VALUES ('2024-01-31T08:15:00'), ('2024-01-31 08:15'), "
        "('1/31/2024');");
    RecordsetPtr rows = connection->OpenRecordset("SELECT d FROM tblDates");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->Value(0), Variant(Date::FromYmdHms(2024, 1, 31, 8, 15, 0)));
    rows->MoveNext();
    EXPECT_EQ(rows->Value(0), Variant(Date::FromYmdHms(2024, 1, 31, 8, 15, 0)));
    rows->MoveNext();
    EXPECT_EQ(rows->Value(0), Variant(Date::FromYmd(2024, 1, 31)));
}

}  // namespace
}  // namespace hlreports
