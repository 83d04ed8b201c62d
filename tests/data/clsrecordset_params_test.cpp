// The argument text of a parameter list: the classic form, with quoted values that cannot end
// their quotes and numeric values that must be numbers.
#include <gtest/gtest.h>

#include "data/DataFixture.h"
#include "data/DataTestHelpers.h"
#include "data/clsRecordsetParams.h"
#include "recordset/AdoTypes.h"
#include "runtime/Err.h"

namespace hlreports {
namespace {

using test::CaughtComError;

struct TextCase {
    const char* what;
    std::vector<std::tuple<const char*, int32_t, int32_t, Variant>>
        params;  // name, type, direction, value
    const char* expected;
};

SPParams ListOf(const std::vector<std::tuple<const char*, int32_t, int32_t, Variant>>& rows) {
    SPParams params;
    for (const auto& [name, type, direction, value] : rows) {
        params.Add(name, type, 10, direction, value);
    }
    return params;
}

// Inputs only, in list order; text and dates quoted with apostrophes doubled; numbers normalised.
TEST(ParamsToString, WritesTheClassicText) {
    const TextCase cases[] = {
        {"classic",
         {{"@Property", adVarChar, adParamInput, "P1"}, {"@Days", adInteger, adParamInput, 7}},
         "@Property='P1',@Days=7"},
        {"outputs skipped",
         {{"@Name", adVarChar, adParamOutput, Variant::Missing()},
          {"@Days", adSmallInt, adParamInput, Variant::Integer(3)}},
         "@Days=3"},
        {"no inputs", {{"@Name", adVarChar, adParamOutput, Variant::Missing()}}, ""},
        {"apostrophes doubled",
         {{"@Name", adVarChar, adParamInput, "O'Brien"}},
         "@Name='O''Brien'"},
        {"quote cannot escape",
         {{"@Name", adVarChar, adParamInput, "x'; DROP TABLE t; --"}},
         "@Name='x''; DROP TABLE t; --'"},
        {"date as ISO",
         {{"@From", adDBDate, adParamInput, Date::FromYmd(2024, 1, 31)}},
         "@From='2024-01-31'"},
        {"date text as ISO",
         {{"@From", adDBDate, adParamInput, "1/31/2024"}},
         "@From='2024-01-31'"},
        {"date with time",
         {{"@At", adDBTimeStamp, adParamInput, Date::FromYmdHms(2024, 1, 31, 9, 5, 0)}},
         "@At='2024-01-31 09:05:00'"},
        {"numeric text normalised",
         {{"@Amount", adDouble, adParamInput, " $1,250.50 "}},
         "@Amount=1250.5"},
        {"double", {{"@Rate", adDouble, adParamInput, 0.1}}, "@Rate=0.1"},
        {"decimal keeps every digit",
         {{"@Amount", adNumeric, adParamInput, *Decimal::Parse("-999999999999.999999")}},
         "@Amount=-999999999999.999999"},
        {"decimal trailing zeros dropped",
         {{"@Amount", adDecimal, adParamInput, *Decimal::Parse("1250.500")}},
         "@Amount=1250.5"},
        {"numeric text keeps every digit",
         {{"@Amount", adDecimal, adParamInput, ".9999999999999999999999999999"}},
         "@Amount=0.9999999999999999999999999999"},
        {"64-bit key text exact",
         {{"@Key", adBigInt, adParamInput, "9223372036854775807"}},
         "@Key=9223372036854775807"},
        {"boolean", {{"@Flag", adBoolean, adParamInput, true}}, "@Flag=-1"},
        {"numeric null", {{"@Days", adInteger, adParamInput, Variant::Null()}}, "@Days=NULL"},
        {"text null as empty text",
         {{"@Name", adVarChar, adParamInput, Variant::Null()}},
         "@Name=''"},
        {"date null as empty text",
         {{"@From", adDBDate, adParamInput, Variant::Null()}},
         "@From=''"},
        {"date-time null as empty text",
         {{"@At", adDBTimeStamp, adParamInput, Variant::Null()}},
         "@At=''"},
        {"money null", {{"@Amount", adCurrency, adParamInput, Variant::Null()}}, "@Amount=NULL"},
        {"empty text", {{"@Name", adVarChar, adParamInput, Variant()}}, "@Name=''"},
        {"other text types quoted", {{"@Name", adVarWChar, adParamInput, "a'b"}}, "@Name='a''b'"},
    };
    for (const TextCase& row : cases) {
        EXPECT_EQ(clsRecordset::ParamsToString(ListOf(row.params)), row.expected) << row.what;
    }
}

// A numeric parameter whose value is no number raises 3204 naming the parameter and the value.
TEST(ParamsToString, NonNumericValueOfNumericTypeRaises3204) {
    const std::pair<Variant, const char*> cases[] = {
        {Variant("seven"), "parameter @Days has the value 'seven', which is not a number"},
        {Variant("7; DROP TABLE t"),
         "parameter @Days has the value '7; DROP TABLE t', which is not a number"},
        {Variant(), "parameter @Days has the value '', which is not a number"},
        {Variant(Date::FromYmd(2024, 1, 31)),
         "parameter @Days has the value '1/31/2024', which is not a number"},
    };
    for (const auto& [value, message] : cases) {
        SPParams params;
        params.Add("@Days", adInteger, 4, adParamInput, value);
        ComError error = CaughtComError([&] { clsRecordset::ParamsToString(params); });
        EXPECT_EQ(error.Number(), 3204);
        EXPECT_EQ(error.Source(), "clsRecordset.ParamsToString");
        EXPECT_EQ(error.Description(), message);
    }
}

// An array or object is refused by the text road as by the command road, for every type, with
// the same description: it never goes out as an empty text.
TEST(ParamsToString, ArrayOrObjectIsRefusedLikeTheCommandRoad) {
    const Variant array(VariantArray(0, 1));
    for (const int32_t type : {adVarChar, adDBDate, adDBTimeStamp, adInteger, adChar}) {
        SPParams params;
        params.Add("@Key", type, 10, adParamInput, array);
        ComError text = CaughtComError([&] { clsRecordset::ParamsToString(params); });
        EXPECT_EQ(text.Number(), 3204) << type;
        EXPECT_EQ(text.Description(),
                  "parameter @Key holds an array or object, which cannot be a parameter value")
            << type;
        ComError command = CaughtComError([&] { CreateParams(params); });
        EXPECT_EQ(command.Number(), 3203) << type;
        EXPECT_EQ(command.Description(), text.Description()) << type;
    }
}

class WrapperParams : public test::WrapperTest {};

// A name with an apostrophe survives the text road both ways, and a hostile value stays a value.
TEST_F(WrapperParams, ApostrophesRoundTripThroughTheTextRoad) {
    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, "P7");
    params.Add("@Name", adVarChar, 30, adParamInput, "O'Brien");
    EXPECT_TRUE(rs.RunSP("sp_AddResident", &params));
    params.Item("@Name").SetValue("'); DELETE FROM tblResident--");
    EXPECT_TRUE(rs.RunSP("sp_AddResident", &params));
    RecordsetPtr rows;
    SPParams p7;
    p7.Add("@Property", adVarChar, 10, adParamInput, "P7");
    EXPECT_TRUE(rs.RunSpRetRS("sp_Residents", rows, &p7, false));
    ASSERT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(rows->Value("name"), Variant("O'Brien"));
    rows->MoveNext();
    EXPECT_EQ(rows->Value("name"), Variant("'); DELETE FROM tblResident--"));
    EXPECT_EQ(Count(), "5");
}

// Through RunSP the 3204 text reaches the caller as 3206 with the procedure appended.
TEST_F(WrapperParams, NonNumericValueFailsTheCall) {
    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, "P1");
    params.Add("@Days", adInteger, 4, adParamInput, "7 OR 1=1");
    ComError error = CaughtComError([&] { rs.RunSP("sp_Residents", &params); });
    EXPECT_EQ(error.Number(), 3206);
    EXPECT_EQ(error.Source(), "clsRecordset.RunSP");
    EXPECT_EQ(error.Description(),
              "parameter @Days has the value '7 OR 1=1', which is not a number SP:sp_Residents");
    EXPECT_FALSE(rs.IsConnectionOpen());
}

}  // namespace
}  // namespace hlreports
