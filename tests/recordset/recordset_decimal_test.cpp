// Decimal and numeric fields keep every digit: the row store, saved XML, loading, pending
// changes, sort and filter; a value beyond the field's precision or scale is an error naming
// the field, never a rounded value.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "recordset/RecordsetTestData.h"
#include "support/DecimalText.h"

namespace hlreports::test {
namespace {

using test::Dec;

FieldInfo DecimalField(const char* name, int32_t type, int precision, int scale) {
    FieldInfo field = MakeField(name, type);
    field.precision = precision;
    field.scale = scale;
    return field;
}

struct ExactCase {
    const char* label;
    int32_t type;
    int precision;
    int scale;
    Variant value;
    const char* written;
};

class RecordsetDecimalExact : public ::testing::TestWithParam<ExactCase> {};

// The value goes into the row store, out as XML text and back in without losing a digit.
TEST_P(RecordsetDecimalExact, SavesAndLoadsEveryDigit) {
    const ExactCase& c = GetParam();
    RecordsetPtr recordset =
        MakeRecordset({DecimalField("V", c.type, c.precision, c.scale)}, {{c.value}});
    const Variant stored = recordset->Value(0);
    EXPECT_EQ(stored.Kind(), VariantKind::Decimal);
    EXPECT_EQ(stored, c.value);
    const std::string xml = recordset->SaveXml();
    EXPECT_EQ(AttributeIn(xml, "<z:row", "V"), c.written);
    RecordsetPtr loaded = Recordset::LoadXml(xml);
    EXPECT_EQ(loaded->Field(0).precision, c.precision);
    EXPECT_EQ(loaded->Field(0).scale, c.scale);
    EXPECT_EQ(loaded->Value(0), c.value) << xml;
    EXPECT_EQ(loaded->SaveXml(), xml);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RecordsetDecimalExact,
    ::testing::Values(
        ExactCase{"Numeric18x6", adNumeric, 18, 6, Dec("-999999999999.999999"),
                  "-999999999999.999999"},
        ExactCase{"Numeric28Digits", adNumeric, 28, 0, Dec("9999999999999999999999999999"),
                  "9999999999999999999999999999"},
        ExactCase{"NumericScale28", adNumeric, 28, 28, Dec(".9999999999999999999999999999"),
                  ".9999999999999999999999999999"},
        ExactCase{"NumericLargest", adNumeric, 29, 0, Dec("79228162514264337593543950335"),
                  "79228162514264337593543950335"},
        ExactCase{"NumericLowest", adNumeric, 29, 0, Dec("-79228162514264337593543950335"),
                  "-79228162514264337593543950335"},
        ExactCase{"NumericSmallestScale28", adNumeric, 28, 28,
                  Dec("0.0000000000000000000000000001"), ".0000000000000000000000000001"},
        ExactCase{"NumericNegativeSmallest", adNumeric, 28, 28,
                  Dec("-0.0000000000000000000000000001"), "-.0000000000000000000000000001"},
        ExactCase{"NumericZeroWithScale", adNumeric, 10, 4, Dec("0"), ".0000"},
        ExactCase{"NumericNegativeZero", adNumeric, 10, 2, Dec("-0.00"), ".00"},
        ExactCase{"NumericPadsToScale", adNumeric, 10, 3, Dec("12.5"), "12.500"},
        ExactCase{"DecimalLargest", adDecimal, 29, 0, Dec("79228162514264337593543950335"),
                  "79228162514264337593543950335"},
        ExactCase{"DecimalScale28", adDecimal, 28, 28, Dec(".9999999999999999999999999999"),
                  "0.9999999999999999999999999999"},
        ExactCase{"DecimalZeroWithScale", adDecimal, 10, 4, Dec("0.0000"), "0"},
        ExactCase{"DecimalNegativeZero", adDecimal, 10, 4, Dec("-0"), "0"},
        ExactCase{"DecimalNoTrailingZeros", adDecimal, 18, 6, Dec("-12.5"), "-12.5"},
        ExactCase{"VarNumericOwnScale", adVarNumeric, 0, 0, Dec("123456789012345678.123456789"),
                  "123456789012345678.123456789"},
        ExactCase{"VarNumericKeepsItsScale", adVarNumeric, 18, 4, Dec("-922337.5808"),
                  "-922337.5808"}),
    [](const ::testing::TestParamInfo<ExactCase>& param) {
        return std::string(param.param.label);
    });

// Setting a value beyond the field's precision or scale raises 3421 naming field, value,
// precision and scale; the cell keeps its old value.
TEST(RecordsetDecimal, ValueBeyondPrecisionOrScaleIsAnError) {
    struct Row {
        int precision;
        int scale;
        Variant value;
        const char* shown;
    };
    const Row rows[] = {
        {18, 6, Dec("-1000000000000.000000"), "-1000000000000"},
        {28, 28, Dec("1.0000000000000000000000000000"), "1"},
        {28, 0, Dec("79228162514264337593543950335"), "79228162514264337593543950335"},
        {5, 2, Dec("12.345"), "12.345"},
        {5, 2, Variant("1000"), "1000"},
        {5, 2, Variant(0.125), "0.125"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown);
        RecordsetPtr recordset = MakeRecordset(
            {DecimalField("Amount", adNumeric, row.precision, row.scale)}, {{Dec("0")}});
        const ComError error = ErrorFrom([&] { recordset->SetValue(0, row.value); });
        EXPECT_EQ(error.Number(), 3421);
        EXPECT_EQ(error.Source(), "Recordset.SetValue");
        EXPECT_EQ(error.Description(),
                  "Application uses a value of the wrong type for the current operation. The "
                  "field 'Amount' value " +
                      std::string(row.shown) + " does not fit precision " +
                      std::to_string(row.precision) + " and scale " + std::to_string(row.scale) +
                      ".");
        EXPECT_EQ(recordset->Value(0), Dec("0"));
    }
}

// A saved file whose value does not fit its declared precision and scale fails to load with
// 3001 naming the field; it is never rounded into the column.
TEST(RecordsetDecimal, LoadingAValueBeyondPrecisionIsAnError) {
    RecordsetPtr recordset =
        MakeRecordset({DecimalField("Amount", adNumeric, 18, 6)}, {{Dec("-999999999999.999999")}});
    std::string xml = recordset->SaveXml();
    const std::string good = "-999999999999.999999";
    xml.replace(xml.find(good), good.size(), "-1000000000000.000000");
    const ComError error = ErrorFrom([&] { (void)Recordset::LoadXml(xml); });
    EXPECT_EQ(error.Number(), 3001);
    EXPECT_EQ(error.Source(), "Recordset.LoadXml");
    EXPECT_NE(error.Description().find(
                  "field 'Amount' value -1000000000000 does not fit precision 18 and scale 6"),
              std::string::npos)
        << error.Description();
}

// Numeric text written before exact decimals (doubles with the declared scale) loads the same.
TEST(RecordsetDecimal, EarlierFilesLoadTheSame) {
    RecordsetPtr recordset = MakeRecordset({DecimalField("Amount", adNumeric, 19, 2)},
                                           {{Variant(12345.67)}, {Variant(-0.5)}, {Variant(0.0)}});
    const std::string xml = recordset->SaveXml();
    EXPECT_NE(xml.find("Amount='12345.67'"), std::string::npos);
    EXPECT_NE(xml.find("Amount='-.50'"), std::string::npos);
    EXPECT_NE(xml.find("Amount='.00'"), std::string::npos);
    RecordsetPtr loaded = Recordset::LoadXml(xml);
    EXPECT_DOUBLE_EQ(loaded->Value(0).ToDouble(), 12345.67);
    EXPECT_EQ(loaded->Value(0).ToString(), "12345.67");
}

// Pending changes keep exact originals and new values through save and load.
TEST(RecordsetDecimal, PendingChangesKeepEveryDigit) {
    RecordsetPtr recordset = MakeRecordset({DecimalField("Amount", adNumeric, 28, 0)},
                                           {{Dec("9999999999999999999999999999")}});
    recordset->SetValue(0, Dec("9999999999999999999999999998"));
    recordset->Update();
    const std::string xml = recordset->SaveXml();
    EXPECT_NE(xml.find("Amount='9999999999999999999999999999'"), std::string::npos) << xml;
    EXPECT_NE(xml.find("Amount='9999999999999999999999999998'"), std::string::npos) << xml;
    RecordsetPtr loaded = Recordset::LoadXml(xml);
    EXPECT_EQ(loaded->Value(0), Dec("9999999999999999999999999998"));
    ASSERT_EQ(loaded->PendingChanges().size(), 1U);
    EXPECT_EQ(loaded->PendingChanges()[0].originalValues[0], Dec("9999999999999999999999999999"));
}

// Sort and filter compare decimals exactly, beyond what a double can tell apart.
TEST(RecordsetDecimal, SortAndFilterCompareExactly) {
    RecordsetPtr recordset = MakeRecordset({DecimalField("Amount", adNumeric, 28, 0)},
                                           {{Dec("9999999999999999999999999999")},
                                            {Dec("9999999999999999999999999997")},
                                            {Dec("9999999999999999999999999998")}});
    recordset->SetSort("Amount DESC");
    recordset->MoveFirst();
    EXPECT_EQ(recordset->Value(0), Dec("9999999999999999999999999999"));
    recordset->MoveLast();
    EXPECT_EQ(recordset->Value(0), Dec("9999999999999999999999999997"));
    recordset->SetSort("");
    recordset->SetFilter("Amount = 9999999999999999999999999998");
    EXPECT_EQ(recordset->RecordCount(), 1);
    EXPECT_EQ(recordset->Value(0), Dec("9999999999999999999999999998"));
    recordset->SetFilter("Amount > 9999999999999999999999999997");
    EXPECT_EQ(recordset->RecordCount(), 2);
}

}  // namespace
}  // namespace hlreports::test
