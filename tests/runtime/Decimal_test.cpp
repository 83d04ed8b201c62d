// The exact decimal: reading and writing digit for digit over the classic range, precision and
// scale checks that never round, and Variant conversions of the Decimal kind.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "runtime/Decimal.h"
#include "runtime/ExpectComError.h"
#include "runtime/Variant.h"
#include "support/DecimalText.h"

namespace hlreports {
namespace {

using test::RaisesComError;

using test::Dec;

// Text reads exactly and writes back with every digit of its scale, over the whole range.
TEST(Decimal, TextRoundTripsExactlyOverTheRange) {
    struct Row {
        const char* input;
        const char* written;
        int scale;
    };
    const Row rows[] = {
        {"-999999999999.999999", "-999999999999.999999", 6},
        {"9999999999999999999999999999", "9999999999999999999999999999", 0},
        {".9999999999999999999999999999", "0.9999999999999999999999999999", 28},
        {"79228162514264337593543950335", "79228162514264337593543950335", 0},
        {"-79228162514264337593543950335", "-79228162514264337593543950335", 0},
        {"0.0000000000000000000000000001", "0.0000000000000000000000000001", 28},
        {"-0.0000000000000000000000000001", "-0.0000000000000000000000000001", 28},
        {"7.9228162514264337593543950335", "7.9228162514264337593543950335", 28},
        {"0.00", "0.00", 2},
        {"-0", "0", 0},
        {"-0.000", "0.000", 3},
        {"  +12.50 ", "12.50", 2},
        {"1E+3", "1000", 0},
        {"1.5e-3", "0.0015", 4},
        {"12.", "12", 0},
        // Fractional zeros beyond scale 28 carry no digit and may go.
        {"1.00000000000000000000000000000000", "1.0000000000000000000000000000", 28},
        {"10.0000000000000000000000000000", "10.000000000000000000000000000", 27},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        const Decimal value = Dec(row.input);
        EXPECT_EQ(value.ToString(), row.written);
        EXPECT_EQ(value.Scale(), row.scale);
        EXPECT_EQ(Dec(value.ToString().c_str()), value);
        EXPECT_EQ(Decimal::Unpack(value.Pack()).ToString(), row.written);
    }
}

// Text that is no number, or that would need rounding or more than 96 bits, gives no value.
TEST(Decimal, RefusesWhatItCannotHoldExactly) {
    for (const char* text : {"",
                             " ",
                             "-",
                             ".",
                             "abc",
                             "1.2.3",
                             "1e",
                             "1e+",
                             "--1",
                             "1,000",
                             "$5",
                             "0x10",
                             "1 2",
                             "79228162514264337593543950336",
                             "100000000000000000000000000000",
                             "0.00000000000000000000000000001",
                             "1E+29",
                             "1E-29",
                             "nan",
                             "inf"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(Decimal::Parse(text).has_value());
    }
}

// Equality and order are by value across scales and signs.
TEST(Decimal, ComparesByValue) {
    EXPECT_EQ(Dec("1.5"), Dec("1.50"));
    EXPECT_EQ(Dec("-0"), Dec("0.000"));
    EXPECT_LT(Dec("-79228162514264337593543950335"), Dec("-1"));
    EXPECT_LT(Dec("0.0000000000000000000000000001"), Dec("0.0000000000000000000000000002"));
    EXPECT_LT(Dec("-2.5"), Dec("-2.49"));
    EXPECT_GT(Dec("12.01"), Dec("12.009999999999999999999999"));
    EXPECT_GT(Dec("79228162514264337593543950335"), Dec("7922816251426433759354395033.5"));
}

// A value fits a column only when no non-zero digit falls beyond its scale and its whole part
// has at most precision - scale digits; fitting writes it at the column's scale.
TEST(Decimal, FitsPrecisionAndScaleWithoutRounding) {
    struct Row {
        const char* value;
        int precision;
        int scale;
        const char* fitted;  // nullptr: does not fit
    };
    const Row rows[] = {
        {"-999999999999.999999", 18, 6, "-999999999999.999999"},
        {"-1000000000000.000000", 18, 6, nullptr},
        {"9999999999999999999999999999", 28, 0, "9999999999999999999999999999"},
        {"79228162514264337593543950335", 28, 0, nullptr},
        {"0.9999999999999999999999999999", 28, 28, "0.9999999999999999999999999999"},
        {"1.0000000000000000000000000000", 28, 28, nullptr},
        {"12.345", 5, 2, nullptr},
        {"12.340", 5, 2, "12.34"},
        {"5", 5, 2, "5.00"},
        {"999.99", 5, 2, "999.99"},
        {"1000", 5, 2, nullptr},
        {"1.5", 0, 0, "1.5"},  // precision 0 declares nothing
        {"0", 1, 0, "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        const std::optional<Decimal> fitted = Dec(row.value).FittedTo(row.precision, row.scale);
        if (row.fitted == nullptr) {
            EXPECT_FALSE(fitted.has_value());
        } else {
            ASSERT_TRUE(fitted.has_value());
            EXPECT_EQ(fitted->ToString(), row.fitted);
        }
    }
}

// Doubles come in through their shortest text; rounding happens only where asked, half to even.
TEST(Decimal, DoublesAndRounding) {
    EXPECT_EQ(Decimal::FromDouble(0.1)->ToString(), "0.1");
    EXPECT_EQ(Decimal::FromDouble(-1.2345)->ToString(), "-1.2345");
    EXPECT_EQ(Decimal::FromDouble(1e-28)->ToString(), "0.0000000000000000000000000001");
    EXPECT_EQ(Decimal::FromDouble(1e20)->ToString(), "100000000000000000000");
    EXPECT_FALSE(Decimal::FromDouble(1e30).has_value());
    EXPECT_FALSE(Decimal::FromDouble(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_DOUBLE_EQ(Dec("-999999999999.999999").ToDouble(), -999999999999.999999);
    EXPECT_EQ(Dec("2.5").RoundedTo(0).ToString(), "2");
    EXPECT_EQ(Dec("3.5").RoundedTo(0).ToString(), "4");
    EXPECT_EQ(Dec("-2.55").RoundedTo(1).ToString(), "-2.6");
    EXPECT_EQ(Dec("1.23456").RoundedTo(4).ToString(), "1.2346");
}

// As a Variant a decimal is a number: CStr writes its digits without trailing zeros, whole
// conversions round half to even exactly, and out-of-range conversions raise Overflow.
TEST(Decimal, VariantConversions) {
    const Variant big(Dec("9999999999999999999999999999"));
    EXPECT_EQ(big.Kind(), VariantKind::Decimal);
    EXPECT_TRUE(big.IsNumeric());
    EXPECT_EQ(big.ToString(), "9999999999999999999999999999");
    EXPECT_EQ(Variant(Dec("12.50")).ToString(), "12.5");
    EXPECT_EQ(Variant(Dec("0.00")).ToString(), "0");
    EXPECT_EQ(Variant(Dec("2147483647.4999999999999")).ToLong(), 2147483647);
    EXPECT_EQ(Variant(Dec("-2.5")).ToInteger(), -2);
    EXPECT_EQ(Variant(Dec("1.00005")).ToCurrencyScaled(), 10000);
    EXPECT_EQ(Variant(Dec("-922337203685477.5808")).ToCurrencyScaled(),
              std::numeric_limits<int64_t>::min());
    EXPECT_FALSE(Variant(Dec("0.000")).ToBoolean());
    EXPECT_TRUE(Variant(Dec("0.0000000000000000000000000001")).ToBoolean());
    EXPECT_TRUE(RaisesComError([&] { (void)big.ToLong(); }, 6, "HLReports", "Overflow"));
    EXPECT_TRUE(RaisesComError([&] { (void)big.ToCurrencyScaled(); }, 6));
    EXPECT_EQ(Variant("-999999999999.999999").ToDecimal().ToString(), "-999999999999.999999");
    EXPECT_EQ(Variant::Currency(-78900).ToDecimal().ToString(), "-7.8900");
    EXPECT_EQ(Variant(true).ToDecimal().ToString(), "-1");
    EXPECT_TRUE(RaisesComError([] { (void)Variant(1e30).ToDecimal(); }, 6));
    EXPECT_TRUE(RaisesComError([] { (void)Variant("abc").ToDecimal(); }, 13));
    EXPECT_TRUE(RaisesComError([] { (void)Variant::Null().ToDecimal(); }, 94));
    EXPECT_EQ(Variant(Dec("1.5")), Variant(Dec("1.50")));
    EXPECT_NE(Variant(Dec("1.5")), Variant(1.5));
}

}  // namespace
}  // namespace hlreports
