// Value text of rowset XML per field type: what SaveXml writes, and what LoadXml reads back.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "recordset/RecordsetTestData.h"

namespace hlreports::test {
namespace {

struct WriteCase {
    const char* label;
    int32_t type;
    int scale;
    Variant value;
    const char* expected;
};

FieldInfo ValueField(int32_t type, int scale) {
    FieldInfo field = MakeField("V", type);
    field.scale = scale;
    return field;
}

Date At(int y, int m, int d, int hh, int mm, double ss) {
    return Date::FromYmdHms(y, m, d, hh, mm, ss);
}

class RecordsetValueWrite : public ::testing::TestWithParam<WriteCase> {};

// Each type's value is written in the exact text stored files use, and reads back unchanged.
TEST_P(RecordsetValueWrite, WritesTheStoredTextAndReadsItBack) {
    const WriteCase& c = GetParam();
    RecordsetPtr recordset = MakeRecordset({ValueField(c.type, c.scale)}, {{c.value}});
    const Variant stored = recordset->Value(0);
    const std::string xml = recordset->SaveXml();
    EXPECT_EQ(AttributeIn(xml, "<z:row", "V"), c.expected);
    RecordsetPtr loaded = Recordset::LoadXml(xml);
    EXPECT_EQ(loaded->Field(0).type, c.type);
    EXPECT_EQ(loaded->Value(0), stored) << xml;
}

const Variant Big(std::string digits) {
    return Variant(std::move(digits));
}

INSTANTIATE_TEST_SUITE_P(
    Types, RecordsetValueWrite,
    ::testing::Values(
        WriteCase{"CurrencyMin", adCurrency, 0,
                  Variant::Currency(std::numeric_limits<int64_t>::min()), "-922337203685477.5808"},
        WriteCase{"CurrencyMax", adCurrency, 0,
                  Variant::Currency(std::numeric_limits<int64_t>::max()), "922337203685477.5807"},
        WriteCase{"CurrencyTrailingZero", adCurrency, 0, Variant::Currency(40001250), "4000.125"},
        WriteCase{"CurrencySmall", adCurrency, 0, Variant::Currency(10001), "1.0001"},
        WriteCase{"CurrencyBelowOne", adCurrency, 0, Variant::Currency(5000), "0.5"},
        WriteCase{"CurrencyZero", adCurrency, 0, Variant::Currency(0), "0"},
        WriteCase{"NumericZero", adNumeric, 2, Variant(0.0), ".00"},
        WriteCase{"NumericNegativeHalf", adNumeric, 2, Variant(-0.5), "-.50"},
        WriteCase{"NumericPlain", adNumeric, 2, Variant(12345.67), "12345.67"},
        WriteCase{"NumericNegative", adNumeric, 2, Variant(-1.23), "-1.23"},
        WriteCase{"NumericScale4", adNumeric, 4, Variant(0.01), ".0100"},
        WriteCase{"NumericScale0", adNumeric, 0, Variant(-9.0), "-9"},
        WriteCase{"DecimalZero", adDecimal, 4, Variant(0.0), "0"},
        WriteCase{"DecimalTiny", adDecimal, 28, Variant(1e-28), "0.0000000000000000000000000001"},
        WriteCase{"DecimalNegative", adDecimal, 4, Variant(-1.2345), "-1.2345"},
        WriteCase{"DoubleTenth", adDouble, 0, Variant(0.1), "0.10000000000000001"},
        WriteCase{"DoublePi", adDouble, 0, Variant(3.14159), "3.1415899999999999"},
        WriteCase{"DoubleMax", adDouble, 0, Variant(1.7976931348623157e308),
                  "1.7976931348623157E+308"},
        WriteCase{"DoubleDenormal", adDouble, 0, Variant(4.9406564584124654e-324),
                  "4.9406564584124654E-324"},
        WriteCase{"DoubleQuarter", adDouble, 0, Variant(-0.25), "-0.25"},
        WriteCase{"DoubleExact", adDouble, 0, Variant(123456789.125), "123456789.125"},
        WriteCase{"DoubleZero", adDouble, 0, Variant(0.0), "0"},
        WriteCase{"Single", adSingle, 0, Variant(-12345.25), "-12345.25"},
        WriteCase{"SingleRounded", adSingle, 0, Variant(4.325), "4.3249998"},
        WriteCase{"TimestampMilliseconds", adDBTimeStamp, 3, Variant(At(2026, 1, 2, 3, 4, 5.123)),
                  "2026-01-02T03:04:05.123000000"},
        WriteCase{"TimestampWhole", adDBTimeStamp, 0, Variant(At(2026, 1, 2, 3, 4, 5)),
                  "2026-01-02T03:04:05"},
        WriteCase{"DateYear100", adDate, 0, Variant(Date::FromYmd(100, 1, 1)),
                  "0100-01-01T00:00:00"},
        WriteCase{"DateBefore1900", adDate, 0, Variant(Date(-1.25)), "1899-12-29T06:00:00"},
        WriteCase{"DbDate", adDBDate, 0, Variant(Date::FromYmd(2026, 6, 12)), "2026-06-12"},
        WriteCase{"DbTime", adDBTime, 0, Variant(At(1899, 12, 30, 14, 30, 15)), "14:30:15"},
        WriteCase{"BooleanTrue", adBoolean, 0, Variant(true), "True"},
        WriteCase{"BooleanFalse", adBoolean, 0, Variant(false), "False"},
        WriteCase{"GuidUpperBraced", adGUID, 0, Variant("01234567-89ab-cdef-0123-456789abcdef"),
                  "{01234567-89AB-CDEF-0123-456789ABCDEF}"},
        WriteCase{"BinaryLowerHex", adVarBinary, 0, Variant("DEADbeef00"), "deadbeef00"},
        WriteCase{"TinyIntMin", adTinyInt, 0, Variant(-128), "-128"},
        WriteCase{"UnsignedTinyIntMax", adUnsignedTinyInt, 0, Variant(255), "255"},
        WriteCase{"SmallIntMin", adSmallInt, 0, Variant(-32768), "-32768"},
        WriteCase{"IntegerMin", adInteger, 0, Variant(std::numeric_limits<int32_t>::min()),
                  "-2147483648"},
        WriteCase{"UnsignedIntMax", adUnsignedInt, 0, Variant(4294967295.0), "4294967295"},
        WriteCase{"BigIntMax", adBigInt, 0, Big("9223372036854775807"), "9223372036854775807"},
        WriteCase{"BigIntMin", adBigInt, 0, Big("-9223372036854775808"), "-9223372036854775808"},
        WriteCase{"UnsignedBigIntMax", adUnsignedBigInt, 0, Big("18446744073709551615"),
                  "18446744073709551615"},
        WriteCase{"Text", adVarWChar, 0, Variant("plain"), "plain"}),
    [](const ::testing::TestParamInfo<WriteCase>& param) {
        return std::string(param.param.label);
    });

// A time that rounds up past 31 Dec 9999 stays on that day, so the text keeps four year digits
// and loads again.
TEST(RecordsetValueEdges, RoundingNeverLeavesYear9999) {
    for (const auto& [type, expected] : {std::pair{adDBTimeStamp, "9999-12-31T23:59:59.999000000"},
                                         std::pair{adDate, "9999-12-31T23:59:59"}}) {
        RecordsetPtr recordset =
            MakeRecordset({ValueField(type, 0)}, {{Variant(Date(2958465.999999995))}});
        const std::string xml = recordset->SaveXml();
        EXPECT_EQ(AttributeIn(xml, "<z:row", "V"), expected);
        EXPECT_LT(Recordset::LoadXml(xml)->Value(0).ToDate().DayNumber(), 2958466.0);
    }
}

struct ReadCase {
    const char* label;
    const char* datatype;  // attributes of s:datatype
    const char* text;
    int32_t type;
    Variant expected;
};

std::string OneFieldDocument(const std::string& datatype, const std::string& value) {
    return "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' "
           "xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882' "
           "xmlns:rs='urn:schemas-microsoft-com:rowset' "
           "xmlns:z='#RowsetSchema'><s:Schema id='RowsetSchema'><s:ElementType name='row' "
           "content='eltOnly'>"
           "<s:AttributeType name='V'><s:datatype " +
           datatype + "/></s:AttributeType></s:ElementType></s:Schema><rs:data><z:row V='" + value +
           "'/></rs:data></xml>";
}

class RecordsetValueRead : public ::testing::TestWithParam<ReadCase> {};

// Type names, their aliases and the value spellings other writers use read as the right Variant.
TEST_P(RecordsetValueRead, ReadsTheTypeAndValue) {
    const ReadCase& c = GetParam();
    RecordsetPtr recordset = Recordset::LoadXml(OneFieldDocument(c.datatype, c.text));
    EXPECT_EQ(recordset->Field(0).type, c.type);
    EXPECT_EQ(recordset->Value(0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, RecordsetValueRead,
    ::testing::Values(
        ReadCase{"IntAliasI4", "dt:type='i4'", "42", adInteger, Variant(42)},
        ReadCase{"FloatAliasR8", "dt:type='r8'", "1.5", adDouble, Variant(1.5)},
        ReadCase{"SmallIntIsInteger", "dt:type='i2'", "-7", adSmallInt, Variant::Integer(-7)},
        ReadCase{"UnsignedTinyIntIsInteger", "dt:type='ui1'", "255", adUnsignedTinyInt,
                 Variant::Integer(255)},
        ReadCase{"UnsignedIntAboveLong", "dt:type='ui4'", "4294967295", adUnsignedInt,
                 Variant(4294967295.0)},
        ReadCase{"BigIntExactIsDouble", "dt:type='i8'", "2147483648", adBigInt,
                 Variant(2147483648.0)},
        ReadCase{"BigIntInexactIsText", "dt:type='i8'", "9223372036854775807", adBigInt,
                 Variant("9223372036854775807")},
        ReadCase{"BooleanLowerCase", "dt:type='boolean'", "true", adBoolean, Variant(true)},
        ReadCase{"BooleanMinusOne", "dt:type='boolean'", "-1", adBoolean, Variant(true)},
        ReadCase{"BooleanZero", "dt:type='boolean'", "0", adBoolean, Variant(false)},
        ReadCase{"CurrencyDbType", "dt:type='number' rs:dbtype='currency'", "1250.5", adCurrency,
                 Variant::Currency(12505000)},
        ReadCase{"CurrencyTypeName", "dt:type='currency'", "-7.89", adCurrency,
                 Variant::Currency(-78900)},
        ReadCase{"NumericNoLeadingZero", "dt:type='number' rs:dbtype='numeric' rs:scale='4'",
                 ".0100", adNumeric, Variant(0.01)},
        ReadCase{"DecimalTypeName", "dt:type='decimal'", "2.5", adDecimal, Variant(2.5)},
        ReadCase{"NumberWithoutDbType", "dt:type='number'", "3.25", adVarNumeric, Variant(3.25)},
        ReadCase{"TimestampNanoseconds", "dt:type='dateTime' rs:dbtype='timestamp'",
                 "2026-01-02T03:04:05.123000000", adDBTimeStamp,
                 Variant(At(2026, 1, 2, 3, 4, 5.123))},
        ReadCase{"VariantDate", "dt:type='dateTime' rs:dbtype='variantdate'", "2001-02-03T04:05:06",
                 adDate, Variant(At(2001, 2, 3, 4, 5, 6))},
        ReadCase{"DbTime", "dt:type='time'", "14:30:15", adDBTime,
                 Variant(At(1899, 12, 30, 14, 30, 15))},
        ReadCase{"GuidBare", "dt:type='uuid'", "01234567-89ab-cdef-0123-456789abcdef", adGUID,
                 Variant("{01234567-89AB-CDEF-0123-456789ABCDEF}")},
        ReadCase{"BinaryWrapped", "dt:type='bin.hex'", "DEAD&#xd;&#xa;\t\tBEEF", adVarBinary,
                 Variant("deadbeef")},
        ReadCase{"BinaryLong", "dt:type='bin.hex' rs:long='true'", "00ff", adLongVarBinary,
                 Variant("00ff")},
        ReadCase{"AnsiFixedString", "dt:type='string' rs:dbtype='str' rs:fixedlength='true'", "A  ",
                 adChar, Variant("A  ")},
        ReadCase{"UnicodeLongString", "dt:type='string' rs:long='true'", "x", adLongVarWChar,
                 Variant("x")},
        ReadCase{"NoTypeIsLongString", "dt:maxLength='10'", "text", adLongVarWChar,
                 Variant("text")},
        ReadCase{"UnknownTypeIsString", "dt:type='dateTime.tz'", "2001-01-01T00:00:00Z",
                 adLongVarWChar, Variant("2001-01-01T00:00:00Z")},
        ReadCase{"EntityReferences", "dt:type='string'", "&apos;&quot;&amp;&lt;&gt;", adVarWChar,
                 Variant("'\"&<>")}),
    [](const ::testing::TestParamInfo<ReadCase>& param) { return std::string(param.param.label); });

struct RejectCase {
    const char* label;
    int32_t type;
    Variant value;
};

class RecordsetValueReject : public ::testing::TestWithParam<RejectCase> {};

// A value that does not fit its field fails at the assignment with 3421, leaving the row as it was.
TEST_P(RecordsetValueReject, RefusesValuesThatDoNotFit) {
    const RejectCase& c = GetParam();
    RecordsetPtr recordset = MakeRecordset({MakeField("V", c.type)}, {{Variant::Null()}});
    const ComError error = ErrorFrom([&] { recordset->SetValue(0, c.value); });
    EXPECT_EQ(error.Number(), 3421);
    EXPECT_EQ(error.Source(), "Recordset.SetValue");
    EXPECT_EQ(error.Description(),
              "Application uses a value of the wrong type for the current operation.");
    EXPECT_TRUE(recordset->Value(0).IsNull());
    EXPECT_FALSE(recordset->HasPendingChanges());
}

INSTANTIATE_TEST_SUITE_P(
    Types, RecordsetValueReject,
    ::testing::Values(RejectCase{"TinyIntOverflow", adTinyInt, Variant(128)},
                      RejectCase{"UnsignedNegative", adUnsignedTinyInt, Variant(-1)},
                      RejectCase{"IntegerFromWord", adInteger, Variant("abc")},
                      RejectCase{"BigIntFraction", adBigInt, Variant(1.5)},
                      RejectCase{"SingleOverflow", adSingle, Variant(1e300)},
                      RejectCase{"DoubleInfinity", adDouble,
                                 Variant(std::numeric_limits<double>::infinity())},
                      RejectCase{"GuidMalformed", adGUID, Variant("{1234}")},
                      RejectCase{"BinaryOddDigits", adVarBinary, Variant("abc")},
                      RejectCase{"DateFromWord", adDate, Variant("not a date")},
                      RejectCase{"DateBeyondYear9999", adDate, Variant(Date(3e6))}),
    [](const ::testing::TestParamInfo<RejectCase>& param) {
        return std::string(param.param.label);
    });

}  // namespace
}  // namespace hlreports::test
