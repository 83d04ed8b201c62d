// Decimals through the embedded backend: a procedure that takes and returns decimals keeps every
// digit on the way in (parameters) and out (output parameters, rows); a value beyond a declared
// precision or scale is refused naming the parameter, never rounded.
#include <gtest/gtest.h>

#include <optional>

#include "data/Connections.h"
#include "data/DataTestHelpers.h"
#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "recordset/AdoTypes.h"
#include "support/DecimalText.h"
#include "support/TestDatabase.h"

namespace hlreports {
namespace {

using test::CaughtComError;

using test::Dec;

ProcedureArgument DecimalIn(std::string name, Variant value) {
    return {std::move(name), adNumeric, 19, adParamInput, std::move(value)};
}
ProcedureArgument DecimalOut(std::string name) {
    return {std::move(name), adNumeric, 19, adParamOutput, Variant::Missing()};
}

class EmbeddedDecimals : public ::testing::Test {
  protected:
    test::TestDatabase db;
    std::unique_ptr<Connection> connection;

    void SetUp() override {
        db.AddProcedure("sp_Echo18", "@In numeric(18,6), @Out numeric(18,6) OUTPUT",
                        "SELECT @In AS \"@Out\"; SELECT @In AS Echo, typeof(@In) AS Stored;");
        db.AddProcedure("sp_Echo28", "@In decimal(28,0), @Out decimal(28,0) OUTPUT",
                        "SELECT @In AS \"@Out\";");
        db.AddProcedure("sp_EchoScale28", "@In decimal(28,28), @Out decimal(28,28) OUTPUT",
                        "SELECT @In AS \"@Out\";");
        db.AddProcedure("sp_EchoWide", "@In decimal(29,0), @Out decimal(29,0) OUTPUT",
                        "SELECT @In AS \"@Out\";");
        db.AddProcedure("sp_Row28", "@In decimal(28,0)", "SELECT @In AS Echo;");
        db.AddProcedure("sp_RowScale28", "@In decimal(28,28)", "SELECT @In AS Echo;");
        db.AddProcedure("sp_RowBig", "@In bigint", "SELECT @In AS Echo;");
        db.AddProcedure("sp_EchoBig", "@In bigint, @Out bigint OUTPUT", "SELECT @In AS \"@Out\";");
        connection = OpenConnection(db.ConnectionString());
    }
};

// Each value goes into a procedure and comes back through an output parameter unchanged.
TEST_F(EmbeddedDecimals, ProcedureTakesAndReturnsExactDecimals) {
    struct Row {
        const char* procedure;
        Variant value;
        const char* written;
    };
    const Row rows[] = {
        {"sp_Echo18", Dec("-999999999999.999999"), "-999999999999.999999"},
        {"sp_Echo18", Variant("-999999999999.999999"), "-999999999999.999999"},
        {"sp_Echo18", Dec("0.000000"), "0"},
        {"sp_Echo18", Dec("-0"), "0"},
        {"sp_Echo18", Variant(12.5), "12.5"},
        {"sp_Echo28", Dec("9999999999999999999999999999"), "9999999999999999999999999999"},
        {"sp_EchoScale28", Dec(".9999999999999999999999999999"), "0.9999999999999999999999999999"},
        {"sp_EchoScale28", Dec("0.0000000000000000000000000001"), "0.0000000000000000000000000001"},
        {"sp_EchoScale28", Dec("-0.0000000000000000000000000001"),
         "-0.0000000000000000000000000001"},
        {"sp_EchoWide", Dec("79228162514264337593543950335"), "79228162514264337593543950335"},
        {"sp_EchoWide", Dec("-79228162514264337593543950335"), "-79228162514264337593543950335"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.written);
        ProcedureResult result = connection->CallProcedure(
            row.procedure, {DecimalIn("@In", row.value), DecimalOut("@Out")});
        ASSERT_EQ(result.outputs.size(), 2U);
        EXPECT_EQ(result.outputs[1].Kind(), VariantKind::Decimal);
        EXPECT_EQ(result.outputs[1].ToString(), row.written);
    }
}

// The text road and the rows of a procedure keep the digits too.
TEST_F(EmbeddedDecimals, TextRoadAndRowsKeepEveryDigit) {
    RecordsetPtr rows = connection->OpenRecordset("sp_Echo18 @In='-999999999999.999999'");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->Value("Echo").ToString(), "-999999999999.999999");
    EXPECT_EQ(rows->Value("Stored"), Variant("text"));
    RecordsetPtr shortRows = connection->OpenRecordset("sp_Echo18 @In=12.25");
    ASSERT_TRUE(shortRows);
    EXPECT_EQ(shortRows->Value("Stored"), Variant("real"));  // numeric in SQL, still exact
}

// The wrapper's argument text writes a decimal unquoted with every digit, and the call text
// reads such a literal back exactly: no step of the text road goes through a double.
TEST_F(EmbeddedDecimals, ArgumentTextKeepsEveryDigit) {
    struct Row {
        const char* procedure;
        int32_t type;
        Variant value;
        const char* echoed;
    };
    const Row rows[] = {
        {"sp_Echo18", adNumeric, Dec("-999999999999.999999"), "-999999999999.999999"},
        {"sp_Row28", adDecimal, Dec("9999999999999999999999999999"),
         "9999999999999999999999999999"},
        {"sp_Row28", adDecimal, Variant("-9999999999999999999999999999"),
         "-9999999999999999999999999999"},
        {"sp_RowScale28", adNumeric, Dec(".9999999999999999999999999999"),
         "0.9999999999999999999999999999"},
        {"sp_RowBig", adBigInt, Variant("9223372036854775807"), "9223372036854775807"},
        {"sp_RowBig", adBigInt, Variant("-9223372036854775807"), "-9223372036854775807"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.echoed);
        SPParams params;
        params.Add("@In", row.type, 19, adParamInput, row.value);
        const std::string text = row.procedure + (" " + clsRecordset::ParamsToString(params));
        EXPECT_EQ(text.find('\''), std::string::npos) << text;
        RecordsetPtr result = connection->OpenRecordset(text);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->Value("Echo").ToString(), row.echoed);
    }
}

// A 64-bit integer parameter keeps every digit on the way in and out; one beyond the type's
// range is refused, never rounded into it.
TEST_F(EmbeddedDecimals, BigIntegerParametersKeepEveryDigit) {
    struct Row {
        Variant value;
        const char* expected;  // the output, or the refusal
    };
    const Row rows[] = {
        {Variant("9223372036854775807"), "9223372036854775807"},
        {Dec("-9223372036854775807"), "-9223372036854775807"},
        {Variant("9007199254740993"), "9007199254740993"},
        {Variant(int32_t{7}), "7"},
        {Variant("9223372036854775808"),
         "procedure sp_EchoBig: parameter @In: 9223372036854775808 is out of range for bigint"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        std::string outcome;
        try {
            ProcedureResult result = connection->CallProcedure(
                "sp_EchoBig", {{"@In", adBigInt, 8, adParamInput, row.value},
                               {"@Out", adBigInt, 8, adParamOutput, Variant::Missing()}});
            outcome = result.outputs.at(1).ToString();
        } catch (const ComError& error) {
            outcome = error.Description();
        }
        EXPECT_NE(outcome.find(row.expected), std::string::npos) << outcome;
    }
}

// A value beyond the declared precision or scale is refused, naming procedure and parameter.
TEST_F(EmbeddedDecimals, ValueBeyondPrecisionOrScaleIsRefused) {
    struct Row {
        const char* procedure;
        Variant value;
        const char* message;
    };
    const Row rows[] = {
        {"sp_Echo18", Dec("-1000000000000.000000"),
         "procedure sp_Echo18: parameter @In: '-1000000000000' does not fit decimal(18,6)"},
        {"sp_Echo18", Dec("1.0000001"),
         "procedure sp_Echo18: parameter @In: '1.0000001' does not fit decimal(18,6)"},
        {"sp_EchoScale28", Dec("1.0000000000000000000000000000"),
         "procedure sp_EchoScale28: parameter @In: '1' does not fit decimal(28,28)"},
        {"sp_Echo28", Variant("abc"), "procedure sp_Echo28: parameter @In: 'abc' is not a number"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        const ComError error = CaughtComError([&] {
            (void)connection->CallProcedure(row.procedure,
                                            {DecimalIn("@In", row.value), DecimalOut("@Out")});
        });
        EXPECT_NE(error.Description().find(row.message), std::string::npos) << error.Description();
    }
}

// A decimal column reads back exactly what SQLite holds, and a write that its numeric affinity
// would round is refused instead of losing digits.
TEST_F(EmbeddedDecimals, TableColumnsNeverLoseDigitsSilently) {
    db.Execute(
        "CREATE TABLE tblAmount (id INTEGER PRIMARY KEY, amount numeric(18,6));"
        "INSERT INTO tblAmount VALUES (1, 1.5);");
    RecordsetPtr rows = connection->OpenRecordset("SELECT id, amount FROM tblAmount");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->Value("amount"), Dec("1.5"));
    EXPECT_EQ(rows->Value("amount").Kind(), VariantKind::Decimal);
    rows->SetValue("amount", Dec("-999999999999.999999"));
    rows->Update();
    const ComError error = CaughtComError([&] { connection->UpdateBatch(*rows); });
    EXPECT_NE(error.Description().find("'-999999999999.999999' has more digits than a decimal "
                                       "column of the embedded database keeps (15)"),
              std::string::npos)
        << error.Description();
    EXPECT_EQ(db.QueryText("SELECT amount FROM tblAmount"), "1.5");
    rows->SetValue("amount", Dec("-12345.125"));
    rows->Update();
    connection->UpdateBatch(*rows);
    EXPECT_EQ(db.QueryText("SELECT amount FROM tblAmount"), "-12345.125");
}

}  // namespace
}  // namespace hlreports
