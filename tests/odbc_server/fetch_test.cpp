// Rows from the server into a recordset: a result of bounded columns comes in blocks, one with a
// long text column cell by cell; both keep every value (exact decimals and money, dates and
// times, UTF-8 text beyond the basic plane, 64-bit integers) and every Null, across block ends,
// whether the driver hands text over as UTF-8 or as UTF-16.
#include <gtest/gtest.h>

#include "data/Connections.h"
#include "odbc_server/MariaDbFixture.h"

namespace hlreports {
namespace {

// 600 rows: two full blocks and part of a third.
constexpr int kRows = 600;

class ServerFetch : public test::MariaDbTest {
  protected:
    std::unique_ptr<Connection> connection;

    void PrepareDatabase() override {
        Execute({
            "CREATE TABLE tblFetch (id INT PRIMARY KEY, label VARCHAR(12), big BIGINT,"
            " amount DECIMAL(19,4), exact DECIMAL(28,10), ratio DOUBLE, small SMALLINT,"
            " flag BIT, posted DATE, stamp DATETIME(3), at TIME, note TEXT)",
            "INSERT INTO tblFetch SELECT seq,"
            " IF(seq % 7 = 0, NULL, CONCAT('\xC3\xA9', seq, '\xF0\x9F\x98\x80')),"
            " 9007199254740993 + seq, IF(seq % 5 = 0, NULL, seq * 1.2345),"
            " CONCAT('123456789012345678.', LPAD(seq, 10, '0')), seq / 8, CAST(seq AS SIGNED) - "
            "300, seq % 2,"
            " DATE_ADD('2024-02-28', INTERVAL seq DAY),"
            " TIMESTAMP('2024-01-31 13:45:10.250') + INTERVAL seq SECOND, '08:15:30',"
            " IF(seq % 3 = 0, NULL, REPEAT(CONCAT('n', seq, ' '), 400)) FROM seq_1_to_600",
        });
        connection = OpenBackendConnection(ConnectionString());
    }
};

struct Expected {
    const char* field;
    Variant first;  // row 1
    Variant last;   // row 600
};

// Both fetches, row 1 and row 600 of each column, and the Nulls of every 7th label.
TEST_F(ServerFetch, BlocksAndCellsKeepEveryValue) {
    const Expected bounded[] = {
        {"id", Variant(1), Variant(600)},
        {"label",
         Variant("\xC3\xA9"
                 "1\xF0\x9F\x98\x80"),
         Variant("\xC3\xA9"
                 "600\xF0\x9F\x98\x80")},
        {"big", Variant(9007199254740994.0), Variant("9007199254741593")},
        {"amount", Variant::Currency(12345), Variant::Null()},
        {"exact", Variant(*Decimal::Parse("123456789012345678.0000000001")),
         Variant(*Decimal::Parse("123456789012345678.0000000600"))},
        {"ratio", Variant(0.125), Variant(75.0)},
        {"small", Variant::Integer(-299), Variant::Integer(300)},
        {"flag", Variant(true), Variant(false)},
        {"posted", Variant(Date::FromYmd(2024, 2, 29)), Variant(Date::FromYmd(2025, 10, 20))},
        {"stamp", Variant(Date::FromYmdHms(2024, 1, 31, 13, 45, 11.25)),
         Variant(Date::FromYmdHms(2024, 1, 31, 13, 55, 10.25))},
        {"at", Variant(Date((8 * 3600 + 15 * 60 + 30) / 86400.0)),
         Variant(Date((8 * 3600 + 15 * 60 + 30) / 86400.0))},
    };
    for (const char* sql : {"SELECT id, label, big, amount, exact, ratio, small, flag, posted,"
                            " stamp, at FROM tblFetch ORDER BY id",
                            "SELECT id, label, big, amount, exact, ratio, small, flag, posted,"
                            " stamp, at, note FROM tblFetch ORDER BY id"}) {
        SCOPED_TRACE(sql);
        RecordsetPtr rows = connection->OpenRecordset(sql);
        ASSERT_TRUE(rows);
        ASSERT_EQ(rows->RecordCount(), kRows);
        for (const Expected& column : bounded) {
            rows->MoveFirst();
            EXPECT_EQ(rows->Value(column.field), column.first)
                << column.field << ": " << rows->Value(column.field).DisplayText();
            rows->MoveLast();
            EXPECT_EQ(rows->Value(column.field), column.last)
                << column.field << ": " << rows->Value(column.field).DisplayText();
        }
        int nullLabels = 0;
        for (rows->MoveFirst(); !rows->EOF(); rows->MoveNext()) {
            nullLabels += rows->Value("label").IsNull() ? 1 : 0;
        }
        EXPECT_EQ(nullLabels, kRows / 7);
        EXPECT_NE(rows->Field(rows->FieldIndex("label")).attributes & adFldIsNullable, 0u);
    }
}

// A long text column is read whole, and its Nulls stay Null.
TEST_F(ServerFetch, LongTextIsReadWhole) {
    RecordsetPtr rows = connection->OpenRecordset("SELECT id, note FROM tblFetch ORDER BY id");
    ASSERT_TRUE(rows);
    rows->MoveFirst();
    std::string expected;
    for (int i = 0; i < 400; ++i) {
        expected += "n1 ";
    }
    EXPECT_EQ(rows->Value("note"), Variant(expected));
    rows->Move(2);
    EXPECT_TRUE(rows->Value("note").IsNull());
    // The statement reads normally afterwards: a plain query on the same connection.
    RecordsetPtr again = connection->OpenRecordset("SELECT COUNT(*) AS n FROM tblFetch");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Value(0).DisplayText(), "600");
}

// The driver hands text over as UTF-8 in the connection's default character set, and only as
// UTF-16 when the connection asks for Latin-1; the values are the same either way, in blocks and
// cell by cell, where the long text's pieces split its two-byte characters.
TEST_F(ServerFetch, TextIsTheSameWhicheverWayTheDriverHandsItOver) {
    std::string accented;
    for (int i = 0; i < 600; ++i) {
        accented += "\xC3\xA9";
    }
    for (int i = 0; i < 400; ++i) {
        accented += "n1 ";
    }
    for (const char* options : {"", ";CHARSET=latin1"}) {
        SCOPED_TRACE(std::string("options: ") + options);
        std::unique_ptr<Connection> latin = OpenBackendConnection(ConnectionString() + options);
        for (const char* sql :
             {"SELECT CONCAT('Caf\xC3\xA9 ', id) AS label FROM tblFetch"
              " WHERE id IN (1, 3) ORDER BY id",
              "SELECT CONCAT('Caf\xC3\xA9 ', id) AS label, CONCAT(REPEAT('\xC3\xA9', 600), note)"
              " AS note FROM tblFetch WHERE id IN (1, 3) ORDER BY id"}) {
            SCOPED_TRACE(sql);
            RecordsetPtr rows = latin->OpenRecordset(sql);
            ASSERT_TRUE(rows);
            ASSERT_EQ(rows->RecordCount(), 2);
            EXPECT_EQ(rows->Value("label"), Variant("Caf\xC3\xA9 1"));
            if (rows->FieldCount() > 1) {
                EXPECT_EQ(rows->Value("note"), Variant(accented));
                rows->MoveNext();
                EXPECT_TRUE(rows->Value("note").IsNull());
            }
        }
    }
}

}  // namespace
}  // namespace hlreports
