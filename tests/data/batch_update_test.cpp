// Batch update: edits, additions and deletions of a recordset written back to its base table,
// whole or not at all, with rows changed by someone else since they were read noticed.
#include <gtest/gtest.h>

#include <functional>

#include "data/DataFixture.h"
#include "data/DataTestHelpers.h"
#include "recordset/AdoTypes.h"

namespace hlreports {
namespace {

using test::CaughtComError;

class BatchUpdate : public test::WrapperTest {
  protected:
    RecordsetPtr Residents() {
        RecordsetPtr rows;
        rs.GetRS("SELECT id, property, name, balance, moved FROM tblResident ORDER BY id", rows,
                 true);
        return rows;
    }
    std::string Row(int id, std::string_view column) const {
        return db.QueryText("SELECT " + std::string(column) +
                            " FROM tblResident WHERE id = " + std::to_string(id));
    }
};

// Edited values of every type reach the table, bound as values (apostrophes, dates, money).
TEST_F(BatchUpdate, EditsAreWrittenBack) {
    RecordsetPtr rows = Residents();
    rows->SetValue("name", Variant("Ann O'Lee"));
    rows->SetValue("balance", Variant::FromCurrencyValue(99.95));
    rows->SetValue("moved", Variant(Date::FromYmd(2024, 3, 1)));
    rows->Update();
    rows->MoveNext();
    rows->SetValue("moved", Variant(Date::FromYmd(2023, 12, 31)));
    rows->Update();
    EXPECT_TRUE(rs.RSUpdateBatch(rows, true));
    EXPECT_EQ(Row(1, "name"), "Ann O'Lee");
    EXPECT_EQ(Row(1, "balance"), "99.95");
    EXPECT_EQ(Row(1, "moved"), "2024-03-01");
    EXPECT_EQ(Row(2, "moved"), "2023-12-31");
    ASSERT_TRUE(rows);
    EXPECT_FALSE(rows->HasPendingChanges());
    EXPECT_FALSE(rs.IsConnectionOpen());
}

// Additions and deletions go in one batch; without booLeaveOpen the recordset is closed and gone.
TEST_F(BatchUpdate, AdditionsAndDeletions) {
    RecordsetPtr rows = Residents();
    rows->Delete();  // Ann Lee
    rows->AddNew();
    rows->SetValue("property", Variant("P5"));
    rows->SetValue("name", Variant("Di New"));
    rows->Update();
    EXPECT_TRUE(rs.RSUpdateBatch(rows, false));
    EXPECT_FALSE(rows);
    EXPECT_EQ(Count("name = 'Ann Lee'"), "0");
    EXPECT_EQ(Count("name = 'Di New' AND property = 'P5' AND balance IS NULL"), "1");
    EXPECT_EQ(Count(), "3");
}

// A field left unset on a new row lets the column's default apply (here a NOT NULL one).
TEST_F(BatchUpdate, NewRowKeepsColumnDefaults) {
    db.Execute(
        "CREATE TABLE tblFlag (id INTEGER PRIMARY KEY, label varchar(10), active bit NOT NULL "
        "DEFAULT 1);");
    RecordsetPtr rows;
    rs.GetRS("SELECT id, label, active FROM tblFlag", rows, true);
    rows->AddNew();
    rows->SetValue("label", Variant("new"));
    rows->Update();
    EXPECT_TRUE(rs.RSUpdateBatch(rows, true));
    EXPECT_EQ(db.QueryText("SELECT active FROM tblFlag WHERE label = 'new'"), "1");
}

// A row changed by another user since it was read stops the batch, and nothing of it lands.
TEST_F(BatchUpdate, ChangedRowRollsBackTheWholeBatch) {
    RecordsetPtr rows = Residents();
    rows->SetValue("name", Variant("First edit"));
    rows->Update();
    rows->MoveNext();
    rows->SetValue("name", Variant("Second edit"));
    rows->Update();
    db.Execute("UPDATE tblResident SET name = 'Changed meanwhile' WHERE id = 2");
    ComError error = CaughtComError([&] { rs.RSUpdateBatch(rows, true); });
    EXPECT_EQ(error.Number(), 3215);
    EXPECT_EQ(error.Source(), "clsRecordset.RSUpdateBatch");
    EXPECT_EQ(error.Description(),
              "Row cannot be located for updating in tblResident: it was changed or deleted by "
              "another user since it "
              "was read");
    EXPECT_EQ(Row(1, "name"), "Ann Lee");
    EXPECT_TRUE(rows->HasPendingChanges());
    EXPECT_FALSE(rs.IsConnectionOpen());
}

// Deleting a row that another user already deleted is an error too.
TEST_F(BatchUpdate, DeletedRowIsNoticed) {
    RecordsetPtr rows = Residents();
    rows->Delete();
    db.Execute("DELETE FROM tblResident WHERE id = 1");
    ComError error = CaughtComError([&] { rs.RSUpdateBatch(rows, true); });
    EXPECT_EQ(error.Description(),
              "Row cannot be located for deleting in tblResident: it was changed or deleted by "
              "another user since it "
              "was read");
}

// A change to another column of the same row does not block an edit located by its key.
TEST_F(BatchUpdate, KeyLocatesRowsDespiteOtherColumnsChanging) {
    RecordsetPtr rows = Residents();
    rows->SetValue("name", Variant("Renamed"));
    rows->Update();
    db.Execute("UPDATE tblResident SET balance = 1 WHERE id = 1");
    EXPECT_TRUE(rs.RSUpdateBatch(rows, true));
    EXPECT_EQ(Row(1, "name"), "Renamed");
    EXPECT_EQ(Row(1, "balance"), "1");
}

// Without a primary key, rows are located by every original value.
TEST_F(BatchUpdate, TableWithoutKeyIsLocatedByAllValues) {
    db.Execute(
        "CREATE TABLE tblNote (topic varchar(10), body text, due date);"
        "INSERT INTO tblNote VALUES ('a', 'one', '2024-01-01'), ('b', NULL, NULL);");
    RecordsetPtr rows;
    rs.GetRS("SELECT topic, body, due FROM tblNote ORDER BY topic", rows, true);
    rows->MoveNext();
    rows->SetValue("body", Variant("two"));
    rows->Update();
    EXPECT_TRUE(rs.RSUpdateBatch(rows, true));
    EXPECT_EQ(db.QueryText("SELECT body FROM tblNote WHERE topic = 'b'"), "two");
    EXPECT_EQ(db.QueryText("SELECT body FROM tblNote WHERE topic = 'a'"), "one");
}

// A pending change located by values that match several rows (no key, or the key not selected)
// is an error, and the batch with it leaves the table as it was.
TEST_F(BatchUpdate, ChangeMatchingSeveralRowsRollsBackTheBatch) {
    db.Execute(
        "CREATE TABLE tblNote (topic varchar(10), body text);"
        "INSERT INTO tblNote VALUES ('a', 'same'), ('a', 'same'), ('b', 'other');");
    struct Case {
        const char* sql;
        std::function<void(Recordset&)> change;
        const char* action;
    };
    const Case cases[] = {
        {"SELECT topic, body FROM tblNote ORDER BY topic", [](Recordset& rows) { rows.Delete(); },
         "deleting"},
        {"SELECT topic, body FROM tblNote ORDER BY topic",
         [](Recordset& rows) {
             rows.SetValue("body", Variant("edited"));
             rows.Update();
         },
         "updating"},
    };
    for (const Case& c : cases) {
        RecordsetPtr rows;
        rs.GetRS(c.sql, rows, true);
        rows->MoveLast();  // the last row first: 'b' stays untouched and proves the rollback
        rows->SetValue("body", Variant("last edited"));
        rows->Update();
        rows->MoveFirst();
        c.change(*rows);
        ComError error = CaughtComError([&] { rs.RSUpdateBatch(rows, true); });
        EXPECT_EQ(error.Number(), 3215) << c.action;
        EXPECT_EQ(error.Description(),
                  std::string("Key column information is insufficient or incorrect. Too many rows "
                              "were affected by ") +
                      c.action + " in tblNote (2 rows match one pending change)");
        EXPECT_EQ(db.QueryText("SELECT count(*) FROM tblNote WHERE body = 'same'"), "2");
        EXPECT_EQ(db.QueryText("SELECT body FROM tblNote WHERE topic = 'b'"), "other");
        EXPECT_TRUE(rows->HasPendingChanges());
    }
    // With the key not selected, the same happens on a table that has one.
    db.Execute("UPDATE tblResident SET name = 'Twin', balance = 1 WHERE property = 'P1'");
    RecordsetPtr rows;
    rs.GetRS("SELECT property, name FROM tblResident WHERE property = 'P1'", rows, true);
    rows->Delete();
    EXPECT_EQ(CaughtComError([&] { rs.RSUpdateBatch(rows, true); }).Number(), 3215);
    EXPECT_EQ(Count("property = 'P1'"), "2");
}

// Recordsets that do not map onto one table are refused with a reason.
TEST_F(BatchUpdate, RecordsetsWithoutOneBaseTableAreRefused) {
    db.Execute(
        "CREATE TABLE tblUnit (id INTEGER PRIMARY KEY, resident int, label varchar(10));"
        "INSERT INTO tblUnit (resident, label) VALUES (1, 'U1');");
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT r.name, u.label FROM tblResident r JOIN tblUnit u ON u.resident = r.id",
         "the recordset's fields come from several tables (tblResident, tblUnit); a batch update "
         "writes one table"},
        {"SELECT upper(name) AS loud FROM tblResident WHERE id = 1",
         "the recordset has no base table to write its changes to"},
    };
    for (const auto& [sql, message] : cases) {
        RecordsetPtr rows;
        rs.GetRS(sql, rows, true);
        rows->SetValue(0, Variant("X"));
        rows->Update();
        ComError error = CaughtComError([&] { rs.RSUpdateBatch(rows, true); });
        EXPECT_EQ(error.Number(), 3215) << sql;
        EXPECT_EQ(error.Description(), message) << sql;
    }
}

// Inside a transaction the batch is part of it: a rollback undoes it.
TEST_F(BatchUpdate, BatchInsideTransactionRollsBack) {
    rs.BeginTX();
    RecordsetPtr rows = Residents();
    rows->SetValue("name", Variant("Temporary"));
    rows->Update();
    EXPECT_TRUE(rs.RSUpdateBatch(rows, true));
    EXPECT_TRUE(rs.IsConnectionOpen());
    rs.RollbackTX();
    EXPECT_EQ(Row(1, "name"), "Ann Lee");
}

}  // namespace
}  // namespace hlreports
