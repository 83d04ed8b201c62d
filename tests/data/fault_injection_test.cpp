// Fault injection: a backend that fails its Nth call. Whatever call fails, every operation ends
// in its documented error and no connection stays open outside a transaction; a transaction that
// fails part-way never commits part of its work.
#include <gtest/gtest.h>

#include "data/DataFixture.h"
#include "data/DataTestHelpers.h"
#include "recordset/AdoTypes.h"

namespace hlreports {
namespace {

using test::CaughtComError;
using test::InstrumentedBackend;
using test::InstrumentedBackendScope;

struct FaultCase {
    const char* operation;
    int32_t number;
    std::function<void(clsRecordset&)> call;
};

class FaultInjection : public test::WrapperTest {
  protected:
    std::vector<FaultCase> Cases() {
        return {
            {"RunSPReturnValue", 3201,
             [](clsRecordset& w) {
                 SPParams params;
                 params.Add("@Description", adVarChar, 30, adParamInput, "Ann Lee");
                 params.Add("@Name", adVarChar, 30, adParamOutput, Variant::Missing());
                 w.RunSPReturnValue("sp_GetName", params);
             }},
            {"RunSPRetRSOutParams", 3202,
             [](clsRecordset& w) {
                 RecordsetPtr rows;
                 w.RunSPRetRSOutParams("sp_Nothing", nullptr, rows, false);
             }},
            {"ExecuteRS", 3205,
             [](clsRecordset& w) { w.ExecuteRS("UPDATE tblResident SET name = name"); }},
            {"RunSP", 3206, [](clsRecordset& w) { w.RunSP("sp_Nothing", nullptr); }},
            {"RunSpRetRS", 3207,
             [](clsRecordset& w) {
                 RecordsetPtr rows;
                 w.RunSpRetRS("sp_Nothing", rows, nullptr, false);
             }},
            {"GetRS", 3208,
             [](clsRecordset& w) {
                 RecordsetPtr rows;
                 w.GetRS("SELECT 1 AS x", rows, false);
             }},
            {"GetRSUseShape", 3209,
             [](clsRecordset& w) {
                 RecordsetPtr rows;
                 w.GetRSUseShape("SELECT 1 AS x", rows);
             }},
            {"TestConnection", 3211, [](clsRecordset& w) { w.TestConnection(); }},
            {"BeginTX", 3212, [](clsRecordset& w) { w.BeginTX(); }},
            {"RSRequery", 3216,
             [](clsRecordset& w) { w.RSRequery(*test::RecordsetWithSource("SELECT 1 AS x")); }},
        };
    }
};

// For every operation and every call that can fail: the operation's number, and nothing open.
TEST_F(FaultInjection, EveryFailingCallEndsInTheDocumentedError) {
    for (const FaultCase& row : Cases()) {
        for (int failAt = 1;; ++failAt) {
            InstrumentedBackendScope backend(failAt);
            clsRecordset wrapper;
            wrapper.SetConnectionString(db.ConnectionString());
            try {
                row.call(wrapper);
            } catch (const ComError& error) {
                EXPECT_EQ(error.Number(), row.number)
                    << row.operation << " failing call " << failAt;
                EXPECT_EQ(error.Source(), std::string("clsRecordset.") + row.operation)
                    << row.operation;
                EXPECT_NE(error.Description().find("injected failure"), std::string::npos)
                    << row.operation;
                EXPECT_FALSE(wrapper.IsConnectionOpen())
                    << row.operation << " failing call " << failAt;
                EXPECT_EQ(GetConnectionStats().open, 0)
                    << row.operation << " failing call " << failAt;
                continue;
            }
            EXPECT_GT(failAt, 1) << row.operation << " never reached the backend";
            EXPECT_EQ(wrapper.IsConnectionOpen(), wrapper.TXPending()) << row.operation;
            break;
        }
    }
}

// A transaction whose Nth call fails: the caller's RSCloseAll leaves nothing open and nothing of
// the transaction in the database, unless the commit itself went through.
TEST_F(FaultInjection, FailedTransactionCommitsNothing) {
    for (int failAt = 1;; ++failAt) {
        test::TestDatabase fresh("CREATE TABLE tblLog (entry varchar(10));");
        InstrumentedBackendScope backend(failAt);
        clsRecordset wrapper;
        wrapper.SetConnectionString(fresh.ConnectionString());
        bool committed = false;
        try {
            wrapper.BeginTX();
            wrapper.ExecuteRS("INSERT INTO tblLog VALUES ('one')");
            wrapper.ExecuteRS("INSERT INTO tblLog VALUES ('two')");
            wrapper.CommitTX();
            committed = true;
        } catch (const ComError&) {
            wrapper.RSCloseAll();
        }
        EXPECT_FALSE(wrapper.TXPending()) << "failing call " << failAt;
        EXPECT_EQ(GetConnectionStats().open, 0) << "failing call " << failAt;
        EXPECT_EQ(fresh.QueryText("SELECT count(*) FROM tblLog"), committed ? "2" : "0")
            << "failing call " << failAt;
        if (committed) {
            break;
        }
    }
}

// A rollback that fails still ends the transaction and closes the connection (3221, 3222).
TEST_F(FaultInjection, FailingRollbackStillCloses) {
    const std::pair<const char*, std::function<void(clsRecordset&)>> cases[] = {
        {"clsRecordset.RollbackTX", [](clsRecordset& w) { w.RollbackTX(); }},
        {"clsRecordset.RSCloseAll", [](clsRecordset& w) { w.RSCloseAll(); }},
    };
    for (const auto& [source, finish] : cases) {
        InstrumentedBackendScope backend;
        clsRecordset wrapper;
        wrapper.SetConnectionString(db.ConnectionString());
        wrapper.BeginTX();
        wrapper.ExecuteRS("DELETE FROM tblResident");
        InstrumentedBackend::failAt = InstrumentedBackend::calls + 1;  // the rollback
        ComError error = CaughtComError([&] { finish(wrapper); });
        EXPECT_EQ(error.Source(), source);
        EXPECT_EQ(error.Number(), std::string(source) == "clsRecordset.RollbackTX" ? 3221 : 3222);
        EXPECT_FALSE(wrapper.TXPending()) << source;
        EXPECT_FALSE(wrapper.IsConnectionOpen()) << source;
        EXPECT_EQ(GetConnectionStats().open, 0) << source;
        EXPECT_EQ(Count(), "3") << source;  // closing the connection rolled back
    }
}

// A failing batch update reports 3215, keeps the recordset's changes and closes the connection.
TEST_F(FaultInjection, FailingUpdateBatchKeepsPendingChanges) {
    RecordsetPtr rows;
    rs.GetRS("SELECT id, name FROM tblResident ORDER BY id", rows, true);
    rows->SetValue("name", Variant("Edited"));
    rows->Update();
    InstrumentedBackendScope backend(2);  // open succeeds, UpdateBatch fails
    ComError error = CaughtComError([&] { rs.RSUpdateBatch(rows, false); });
    EXPECT_EQ(error.Number(), 3215);
    EXPECT_EQ(error.Description(), "injected failure in UpdateBatch");
    ASSERT_TRUE(rows);
    EXPECT_TRUE(rows->HasPendingChanges());
    EXPECT_EQ(GetConnectionStats().open, 0);
}

}  // namespace
}  // namespace hlreports
