// The wrapper's connection lifecycle and transactions: no connection outlives an operation
// unless a transaction is pending; inside one, every operation shares one connection.
#include <gtest/gtest.h>

#include "data/DataFixture.h"
#include "data/DataTestHelpers.h"
#include "recordset/AdoTypes.h"

namespace hlreports {
namespace {

using test::CaughtComError;

class WrapperLifecycle : public test::WrapperTest {
  protected:
    SPParams residentsOfP1;
    void SetUp() override {
        WrapperTest::SetUp();
        residentsOfP1.Add("@Property", adVarChar, 10, adParamInput, "P1");
    }

    // Every operation that works on the shared connection, each run once with good arguments.
    std::vector<std::pair<const char*, std::function<void()>>> Operations() {
        return {
            {"RunSPReturnValue",
             [this] {
                 SPParams params;
                 params.Add("@Description", adVarChar, 30, adParamInput, "Ann Lee");
                 params.Add("@Name", adVarChar, 30, adParamOutput, Variant::Missing());
                 rs.RunSPReturnValue("sp_GetName", params);
             }},
            {"RunSPRetRSOutParams",
             [this] {
                 RecordsetPtr rows;
                 rs.RunSPRetRSOutParams("sp_Residents", &residentsOfP1, rows, false);
             }},
            {"RunSP", [this] { rs.RunSP("sp_Nothing", nullptr); }},
            {"RunSpRetRS",
             [this] {
                 RecordsetPtr rows;
                 rs.RunSpRetRS("sp_Residents", rows, &residentsOfP1, false);
             }},
            {"GetRS",
             [this] {
                 RecordsetPtr rows;
                 rs.GetRS("SELECT * FROM tblResident", rows, true);
             }},
            {"ExecuteRS", [this] { rs.ExecuteRS("UPDATE tblResident SET name = name"); }},
            {"RSRequery",
             [this] { rs.RSRequery(*test::RecordsetWithSource("SELECT id FROM tblResident")); }},
            {"RSUpdateBatch",
             [this] {
                 RecordsetPtr rows;
                 rs.GetRS("SELECT * FROM tblResident", rows, true);
                 rs.RSUpdateBatch(rows, true);
             }},
            {"CloseRS",
             [this] {
                 RecordsetPtr rows;
                 rs.GetRS("SELECT * FROM tblResident", rows, false);
                 rs.CloseRS(rows);
             }},
        };
    }
};

// Without a transaction, every operation leaves the connection closed and released.
TEST_F(WrapperLifecycle, NoConnectionOutlivesAnOperation) {
    for (auto& [name, operation] : Operations()) {
        int opened = GetConnectionStats().opened;
        operation();
        EXPECT_FALSE(rs.IsConnectionOpen()) << name;
        EXPECT_EQ(GetConnectionStats().open, 0) << name;
        EXPECT_GT(GetConnectionStats().opened, opened) << name;
    }
    EXPECT_TRUE(rs.TestConnection());
    EXPECT_EQ(GetConnectionStats().open, 0);
}

// Between BeginTX and CommitTX every operation uses the one open connection; CloseRS keeps it.
TEST_F(WrapperLifecycle, TransactionKeepsOneConnection) {
    rs.BeginTX();
    ASSERT_TRUE(rs.TXPending());
    int opened = GetConnectionStats().opened;
    for (auto& [name, operation] : Operations()) {
        operation();
        EXPECT_TRUE(rs.IsConnectionOpen()) << name;
        EXPECT_EQ(GetConnectionStats().open, 1) << name;
    }
    EXPECT_EQ(GetConnectionStats().opened, opened);
    rs.CommitTX();
    EXPECT_FALSE(rs.TXPending());
    EXPECT_FALSE(rs.IsConnectionOpen());
    EXPECT_EQ(GetConnectionStats().open, 0);
}

// A committed transaction persists; a rolled-back one leaves no trace.
TEST_F(WrapperLifecycle, CommitPersistsAndRollbackDoesNot) {
    rs.BeginTX();
    rs.ExecuteRS("INSERT INTO tblResident (property, name) VALUES ('P9', 'Kept')");
    rs.CommitTX();
    EXPECT_EQ(Count("name = 'Kept'"), "1");

    rs.BeginTX();
    rs.ExecuteRS("INSERT INTO tblResident (property, name) VALUES ('P9', 'Dropped')");
    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, "P9");
    params.Add("@Name", adVarChar, 30, adParamInput, "Also dropped");
    rs.RunSP("sp_AddResident", &params);
    RecordsetPtr rows;
    rs.GetRS("SELECT count(*) AS n FROM tblResident WHERE property = 'P9'", rows, false);
    EXPECT_EQ(rows->Value("n"), Variant(3));  // the transaction sees its own rows
    rs.RollbackTX();
    EXPECT_FALSE(rs.TXPending());
    EXPECT_FALSE(rs.IsConnectionOpen());
    EXPECT_EQ(Count("property = 'P9'"), "1");
}

// RSCloseAll rolls back a pending transaction and closes; without a connection it does nothing.
TEST_F(WrapperLifecycle, CloseAllRollsBack) {
    rs.RSCloseAll();
    rs.BeginTX();
    rs.ExecuteRS("DELETE FROM tblResident");
    rs.RSCloseAll();
    EXPECT_FALSE(rs.TXPending());
    EXPECT_FALSE(rs.IsConnectionOpen());
    EXPECT_EQ(GetConnectionStats().open, 0);
    EXPECT_EQ(Count(), "3");
}

// Destroying the wrapper with a transaction pending rolls it back and closes the connection.
TEST_F(WrapperLifecycle, DestroyingRollsBack) {
    {
        clsRecordset other;
        other.SetConnectionString(db.ConnectionString());
        other.BeginTX();
        other.ExecuteRS("DELETE FROM tblResident");
    }
    EXPECT_EQ(GetConnectionStats().open, 0);
    EXPECT_EQ(Count(), "3");
}

// A failing operation inside a transaction keeps the transaction and its connection.
TEST_F(WrapperLifecycle, FailureInsideTransactionKeepsIt) {
    rs.BeginTX();
    rs.ExecuteRS("INSERT INTO tblResident (property, name) VALUES ('P9', 'Kept')");
    CaughtComError([&] { rs.ExecuteRS("INSERT INTO nowhere VALUES (1)"); });
    EXPECT_TRUE(rs.TXPending());
    EXPECT_TRUE(rs.IsConnectionOpen());
    rs.CommitTX();
    EXPECT_EQ(Count("name = 'Kept'"), "1");
}

// A second BeginTX fails with 3212 and leaves the first transaction in place.
TEST_F(WrapperLifecycle, NestedBeginFailsAndKeepsTheTransaction) {
    rs.BeginTX();
    ComError error = CaughtComError([&] { rs.BeginTX(); });
    EXPECT_EQ(error.Number(), 3212);
    EXPECT_EQ(error.Description(), "cannot start a transaction within a transaction");
    EXPECT_TRUE(rs.TXPending());
    EXPECT_TRUE(rs.IsConnectionOpen());
    rs.RollbackTX();
}

// TestConnection uses a connection of its own and never drops a pending transaction.
TEST_F(WrapperLifecycle, TestConnectionLeavesTheTransactionAlone) {
    rs.BeginTX();
    rs.ExecuteRS("DELETE FROM tblResident WHERE property = 'P2'");
    EXPECT_TRUE(rs.TestConnection());
    EXPECT_TRUE(rs.TXPending());
    rs.CommitTX();
    EXPECT_EQ(Count("property = 'P2'"), "0");
}

// The stored string carries the provider suffix and the timeout becomes 600 seconds.
TEST_F(WrapperLifecycle, ConnectionStringGetsTheProviderSuffix) {
    clsRecordset wrapper;
    wrapper.SetConnectionString("Server=a;Database=b");
    EXPECT_EQ(wrapper.ConnectionString(), "Server=a;Database=b;Provider=SQLOLEDB.1");
    EXPECT_EQ(wrapper.CommandTimeout(), 600);
}

// GetRSUseShape opens a separate connection with "Data Provider" and runs the SQL plainly.
TEST_F(WrapperLifecycle, ShapeUsesItsOwnConnection) {
    test::InstrumentedBackendScope backend;
    rs.BeginTX();
    int opened = GetConnectionStats().opened;
    RecordsetPtr rows;
    EXPECT_TRUE(rs.GetRSUseShape("SELECT name FROM tblResident ORDER BY id", rows));
    EXPECT_EQ(rows->Value(0), Variant("Ann Lee"));
    EXPECT_EQ(rows->LockType(), adLockReadOnly);
    EXPECT_EQ(GetConnectionStats().opened, opened + 1);
    EXPECT_EQ(GetConnectionStats().open, 1);  // only the transaction's
    rs.RollbackTX();
}

// The texts sent: RunSP and RunSpRetRS append the argument text; without a list, the name alone.
TEST_F(WrapperLifecycle, TextCallsSendTheClassicText) {
    test::InstrumentedBackendScope backend;
    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, "P1");
    params.Add("@Days", adInteger, 4, adParamInput, 7);
    RecordsetPtr rows;
    rs.RunSpRetRS("sp_Residents", rows, &params, false);
    rs.RunSpRetRS("sp_Nothing", rows, nullptr, false);
    rs.RunSP("sp_Residents", &params);
    EXPECT_EQ(test::InstrumentedBackend::texts,
              (std::vector<std::string>{"sp_Residents @Property='P1',@Days=7", "sp_Nothing",
                                        "sp_Residents @Property='P1',@Days=7"}));
}

// Rows come back disconnected with the asked-for lock type; no rows give a closed recordset
// (RunSpRetRS, GetRS) or nothing (RunSPRetRSOutParams).
TEST_F(WrapperLifecycle, RecordsetsComeBackAsTheCallersExpect) {
    RecordsetPtr rows;
    EXPECT_TRUE(rs.RunSpRetRS("sp_Residents", rows, &residentsOfP1, true));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->LockType(), adLockBatchOptimistic);
    EXPECT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(rows->Value("days"), Variant(7));
    EXPECT_TRUE(rs.RunSpRetRS("sp_Nothing", rows, nullptr, false));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->State(), adStateClosed);
    EXPECT_TRUE(rs.GetRS("DELETE FROM tblResident WHERE 0", rows, false));
    EXPECT_EQ(rows->State(), adStateClosed);

    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, "P1");
    params.Add("@Count", adInteger, 4, adParamOutput, Variant::Missing());
    EXPECT_TRUE(rs.RunSPRetRSOutParams("sp_Count", &params, rows, false));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->LockType(), adLockReadOnly);
    EXPECT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(params.GetValue("@Count"), Variant(2));
    EXPECT_TRUE(rs.RunSPRetRSOutParams("sp_Nothing", nullptr, rows, false));
    EXPECT_FALSE(rows);
}

// RunSPReturnValue copies outputs back by name; a lookup without a match gives NULL.
TEST_F(WrapperLifecycle, OutputsAreCopiedBack) {
    SPParams params;
    params.Add("@Description", adVarChar, 30, adParamInput, "Bo Park");
    params.Add("@Name", adVarChar, 30, adParamOutput, Variant::Missing());
    EXPECT_TRUE(rs.RunSPReturnValue("sp_GetName", params));
    EXPECT_EQ(params.GetValue("@Name"), Variant("Bo Park"));
    params.Item("@Description").SetValue("Nobody");
    EXPECT_TRUE(rs.RunSPReturnValue("sp_GetName", params));
    EXPECT_TRUE(params.GetValue("@Name").IsNull());
}

// RSRequery runs the recordset's source again and shows rows added since.
TEST_F(WrapperLifecycle, RequerySeesNewRows) {
    RecordsetPtr rows;
    rs.RunSpRetRS("sp_Residents", rows, &residentsOfP1, false);
    ASSERT_EQ(rows->RecordCount(), 2);
    db.Execute("INSERT INTO tblResident (property, name) VALUES ('P1', 'New One')");
    EXPECT_TRUE(rs.RSRequery(*rows));
    EXPECT_EQ(rows->RecordCount(), 3);
    EXPECT_EQ(GetConnectionStats().open, 0);
}

}  // namespace
}  // namespace hlreports
