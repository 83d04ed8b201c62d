// The wrapper's error table: every operation raises its own number and source with the
// database's description, " SP:"/" SQL:" and the statement, and leaves no connection open.
#include <gtest/gtest.h>

#include "data/DataFixture.h"
#include "data/DataTestHelpers.h"
#include "data/clsRecordsetParams.h"
#include "recordset/AdoTypes.h"
#include "runtime/Err.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

using test::CaughtComError;

struct ErrorCase {
    const char* operation;
    std::function<void(clsRecordset&, const std::string& missingFile)> call;
    int32_t number;
    const char* source;
    std::string description;  // "{file}" stands for the missing file
};

class WrapperErrors : public test::WrapperTest {};

// Each operation's failure carries its number, source and description with the statement suffix.
TEST_F(WrapperErrors, EveryOperationRaisesItsOwnNumberAndSource) {
    RecordsetPtr rows;
    SPParams params;
    params.Add("@Description", adVarChar, 30, adParamInput, "x");
    const ErrorCase cases[] = {
        {"RunSPReturnValue",
         [&](clsRecordset& w, auto&) { w.RunSPReturnValue("sp_Missing", params); }, 3201,
         "clsRecordset.RunSPReturnValue",
         "Could not find stored procedure 'sp_Missing'. SP:sp_Missing"},
        {"RunSPRetRSOutParams",
         [&](clsRecordset& w, auto&) { w.RunSPRetRSOutParams("sp_Missing", nullptr, rows, false); },
         3202, "clsRecordset.RunSPRetRSOutParams",
         "Could not find stored procedure 'sp_Missing'. SP:sp_Missing"},
        {"ExecuteRS", [](clsRecordset& w, auto&) { w.ExecuteRS("DELETE FROM nowhere"); }, 3205,
         "clsRecordset.ExecuteRS", "no such table: nowhere SQL:DELETE FROM nowhere"},
        {"RunSP", [&](clsRecordset& w, auto&) { w.RunSP("sp_Missing", &params); }, 3206,
         "clsRecordset.RunSP", "Could not find stored procedure 'sp_Missing'. SP:sp_Missing"},
        {"RunSpRetRS",
         [&](clsRecordset& w, auto&) { w.RunSpRetRS("sp_Missing", rows, nullptr, false); }, 3207,
         "clsRecordset.RunSpRetRS", "Could not find stored procedure 'sp_Missing'. SP:sp_Missing"},
        {"GetRS", [&](clsRecordset& w, auto&) { w.GetRS("SELECT * FROM nowhere", rows, false); },
         3208, "clsRecordset.GetRS", "no such table: nowhere SQL:SELECT * FROM nowhere"},
        {"GetRSUseShape",
         [&](clsRecordset& w, auto&) { w.GetRSUseShape("SELECT * FROM nowhere", rows); }, 3209,
         "clsRecordset.GetRSUseShape", "no such table: nowhere SQL:SELECT * FROM nowhere"},
        {"TestConnection",
         [](clsRecordset& w, const std::string& file) {
             w.SetConnectionString("Server=(embedded);Database=" + file);
             w.TestConnection();
         },
         3211, "clsRecordset.TestConnection", "the database file '{file}' does not exist"},
        {"BeginTX",
         [](clsRecordset& w, const std::string& file) {
             w.SetConnectionString("Server=(embedded);Database=" + file);
             w.BeginTX();
         },
         3212, "clsRecordset.BeginTX", "the database file '{file}' does not exist"},
        {"RSUpdateBatch",
         [](clsRecordset& w, auto&) {
             RecordsetPtr none;
             w.RSUpdateBatch(none, false);
         },
         3215, "clsRecordset.RSUpdateBatch", "there is no recordset to update"},
        {"RSRequery",
         [](clsRecordset& w, auto&) {
             w.RSRequery(*test::RecordsetWithSource("SELECT * FROM nowhere"));
         },
         3216, "clsRecordset.RSRequery", "no such table: nowhere"},
        {"CommitTX", [](clsRecordset& w, auto&) { w.CommitTX(); }, 3219, "clsRecordset.CommitTX",
         "no transaction is pending"},
        {"RollbackTX", [](clsRecordset& w, auto&) { w.RollbackTX(); }, 3221,
         "clsRecordset.RollbackTX", "no transaction is pending"},
    };
    std::string missingFile = (db.Dir() / "missing.db").string();
    for (const ErrorCase& row : cases) {
        clsRecordset wrapper;
        wrapper.SetConnectionString(db.ConnectionString());
        ComError error = CaughtComError([&] { row.call(wrapper, missingFile); });
        std::string description = ReplaceAll(row.description, "{file}", missingFile);
        EXPECT_EQ(error.Number(), row.number) << row.operation;
        EXPECT_EQ(error.Source(), row.source) << row.operation;
        EXPECT_EQ(error.Description(), description) << row.operation;
        EXPECT_EQ(Err().Number(), row.number) << row.operation << ": the error stays pending";
        EXPECT_EQ(Err().Description(), description) << row.operation;
        EXPECT_FALSE(wrapper.IsConnectionOpen()) << row.operation;
        EXPECT_EQ(GetConnectionStats().open, 0) << row.operation;
    }
}

// A successful operation clears an error left pending by an earlier one.
TEST_F(WrapperErrors, SuccessClearsThePendingError) {
    CaughtComError([&] { rs.ExecuteRS("DELETE FROM nowhere"); });
    ASSERT_EQ(Err().Number(), 3205);
    EXPECT_TRUE(rs.ExecuteRS("DELETE FROM tblResident WHERE 0"));
    EXPECT_FALSE(Err().IsPending());
}

// Creating the parameters raises 3203; inside a call it reaches the caller as the call's error.
TEST_F(WrapperErrors, CreateParamsRaises3203) {
    SPParams params;
    params.Add("@Description", adVarChar, 30, adParamInput, VariantArray(0, 2));
    ComError direct = CaughtComError([&] { CreateParams(params); });
    EXPECT_EQ(direct.Number(), 3203);
    EXPECT_EQ(direct.Source(), "clsRecordset.CreateParams");
    EXPECT_EQ(direct.Description(),
              "parameter @Description holds an array or object, which cannot be a parameter value");
    ComError viaCall = CaughtComError([&] { rs.RunSPReturnValue("sp_GetName", params); });
    EXPECT_EQ(viaCall.Number(), 3201);
    EXPECT_EQ(viaCall.Description(), direct.Description() + " SP:sp_GetName");
    SPParams badDirection;
    badDirection.Add("@A", adInteger, 4, 9, 1);
    EXPECT_EQ(CaughtComError([&] { CreateParams(badDirection); }).Description(),
              "parameter @A has the unknown direction 9");
}

// Copying outputs back to a name that is not in the list raises 3220 with the collection's text.
TEST_F(WrapperErrors, GetOutputParamsRaises3220) {
    SPParams params;
    std::vector<ProcedureArgument> arguments{{"@Gone", adInteger, 4, adParamOutput, Variant()}};
    ComError error = CaughtComError([&] { GetOutputParams(arguments, {Variant(1)}, params); });
    EXPECT_EQ(error.Number(), 3220);
    EXPECT_EQ(error.Source(), "clsRecordset.GetOutputParams");
    EXPECT_EQ(error.Description(), "Invalid procedure call or argument");
}

}  // namespace
}  // namespace hlreports
