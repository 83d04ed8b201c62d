// Conversions of Variant: rounding, overflow edges, Null/Empty/Missing and text forms.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "runtime/ExpectComError.h"
#include "runtime/Variant.h"

namespace hlreports {
namespace {

using test::RaisesComError;

// CInt rounds half to even and overflows only after rounding.
TEST(VariantConversion, ToIntegerRoundsHalfEvenAndChecksRange) {
    struct Row {
        double input;
        int expected;
        bool overflow;
    };
    const Row rows[] = {
        {2.5, 2, false},           {3.5, 4, false},     {-2.5, -2, false},
        {-3.5, -4, false},         {0.5, 0, false},     {1.5, 2, false},
        {2.4999, 2, false},        {2.5001, 3, false},  {32767.0, 32767, false},
        {32767.4, 32767, false},   {32767.5, 0, true},  {-32768.0, -32768, false},
        {-32768.5, -32768, false}, {-32768.6, 0, true}, {40000.0, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        const Variant value(row.input);
        if (row.overflow) {
            EXPECT_TRUE(
                RaisesComError([&] { (void)value.ToInteger(); }, 6, "HLReports", "Overflow"));
        } else {
            EXPECT_EQ(value.ToInteger(), row.expected);
        }
    }
}

// CLng rounds half to even within the 32-bit range and overflows outside it.
TEST(VariantConversion, ToLongRoundsHalfEvenAndChecksRange) {
    EXPECT_EQ(Variant(2147483647.4).ToLong(), 2147483647);
    EXPECT_EQ(Variant(-2147483648.5).ToLong(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(Variant(100000.5).ToLong(), 100000);
    EXPECT_EQ(Variant(100001.5).ToLong(), 100002);
    EXPECT_TRUE(RaisesComError([] { (void)Variant(2147483647.5).ToLong(); }, 6));
    EXPECT_TRUE(RaisesComError([] { (void)Variant(-2147483649.0).ToLong(); }, 6));
    EXPECT_TRUE(RaisesComError(
        [] { (void)Variant(std::numeric_limits<double>::quiet_NaN()).ToLong(); }, 6));
    EXPECT_TRUE(RaisesComError([] { (void)Variant(int32_t{40000}).ToInteger(); }, 6));
}

// Currency converts to whole numbers half to even, exactly, without passing through a double.
TEST(VariantConversion, CurrencyToWholeNumbers) {
    EXPECT_EQ(Variant::Currency(25000).ToInteger(), 2);  // 2.5
    EXPECT_EQ(Variant::Currency(35000).ToInteger(), 4);  // 3.5
    EXPECT_EQ(Variant::Currency(-25000).ToLong(), -2);   // -2.5
    EXPECT_EQ(Variant::Currency(25001).ToLong(), 3);     // 2.5001
    EXPECT_EQ(Variant::Currency(-25001).ToLong(), -3);
    EXPECT_TRUE(RaisesComError([] { (void)Variant::Currency(327675000).ToInteger(); }, 6));
    EXPECT_EQ(Variant::FromCurrencyValue(1.23456).ToCurrencyScaled(), 12346);
    EXPECT_EQ(Variant::FromCurrencyValue(0.00005).ToCurrencyScaled(), 0);  // half to even
    EXPECT_TRUE(RaisesComError([] { (void)Variant::FromCurrencyValue(1e16); }, 6));
}

// Null fails every conversion with 94; Missing, arrays and objects with 13; Empty is zero.
TEST(VariantConversion, NullEmptyMissingAndNonScalars) {
    using Conversion = std::function<void(const Variant&)>;
    const std::pair<const char*, Conversion> conversions[] = {
        {"ToString", [](const Variant& v) { (void)v.ToString(); }},
        {"ToInteger", [](const Variant& v) { (void)v.ToInteger(); }},
        {"ToLong", [](const Variant& v) { (void)v.ToLong(); }},
        {"ToDouble", [](const Variant& v) { (void)v.ToDouble(); }},
        {"ToBoolean", [](const Variant& v) { (void)v.ToBoolean(); }},
        {"ToDate", [](const Variant& v) { (void)v.ToDate(); }},
        {"ToCurrencyScaled", [](const Variant& v) { (void)v.ToCurrencyScaled(); }},
    };
    const std::pair<Variant, int32_t> failing[] = {
        {Variant::Null(), 94},
        {Variant::Missing(), 13},
        {Variant(VariantArray(0, 2)), 13},
        {Variant(std::make_shared<ComObject>()), 13},
    };
    for (const auto& [name, convert] : conversions) {
        for (const auto& [value, number] : failing) {
            SCOPED_TRACE(name);
            SCOPED_TRACE(static_cast<int>(value.Kind()));
            EXPECT_TRUE(RaisesComError([&] { convert(value); }, number));
        }
    }
    EXPECT_TRUE(RaisesComError([] { (void)Variant::Null().ToLong(); }, 94, "HLReports",
                               "Invalid use of Null"));
    const Variant empty;
    EXPECT_EQ(empty.ToString(), "");
    EXPECT_EQ(empty.ToInteger(), 0);
    EXPECT_EQ(empty.ToDouble(), 0.0);
    EXPECT_FALSE(empty.ToBoolean());
    EXPECT_TRUE(empty.ToDate().IsZero());
    EXPECT_EQ(empty.ToCurrencyScaled(), 0);
}

// Text converts when it reads as a number, in the forms the classic runtime accepts.
TEST(VariantConversion, NumberTextForms) {
    const std::pair<const char*, double> accepted[] = {
        {"42", 42},
        {"  42  ", 42},
        {"-7", -7},
        {"+7", 7},
        {"999,999.00", 999999},
        {"1,234,567", 1234567},
        {"$12.50", 12.5},
        {"-$5", -5},
        {"$-5", -5},
        {"(5)", -5},
        {"1.5E3", 1500},
        {"1e-2", 0.01},
        {".5", 0.5},
        {"5.", 5},
        {"\t3\n", 3},
        {"- 4", -4},
    };
    for (const auto& [text, expected] : accepted) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(Variant(text).ToDouble(), expected);
        EXPECT_TRUE(Variant(text).IsNumeric());
    }
    const char* rejected[] = {"",   "   ", "abc", "12abc", "1.2.3", "--5", ",5",   ".",
                              "1e", "$",   "inf", "nan",   "0x10",  "5 5", "(-5)", "1e+"};
    for (const char* text : rejected) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(RaisesComError([&] { (void)Variant(text).ToDouble(); }, 13, "HLReports",
                                   "Type mismatch"));
        EXPECT_FALSE(Variant(text).IsNumeric());
    }
    EXPECT_EQ(Variant("2.5").ToInteger(), 2);
    EXPECT_TRUE(RaisesComError([] { (void)Variant("1e400").ToDouble(); }, 6));
    EXPECT_DOUBLE_EQ(Variant("1e-400").ToDouble(), 0.0);
}

// CBool takes True/False in any case and numbers; True is -1 as a number.
TEST(VariantConversion, Booleans) {
    EXPECT_TRUE(Variant("TRUE").ToBoolean());
    EXPECT_TRUE(Variant(" true ").ToBoolean());
    EXPECT_FALSE(Variant("False").ToBoolean());
    EXPECT_TRUE(Variant("-1").ToBoolean());
    EXPECT_FALSE(Variant("0").ToBoolean());
    EXPECT_TRUE(Variant(0.1).ToBoolean());
    EXPECT_TRUE(Variant::Currency(1).ToBoolean());
    EXPECT_TRUE(RaisesComError([] { (void)Variant("Yes").ToBoolean(); }, 13));
    EXPECT_EQ(Variant(true).ToInteger(), -1);
    EXPECT_EQ(Variant(false).ToLong(), 0);
    EXPECT_EQ(Variant(true).ToString(), "True");
    EXPECT_EQ(Variant(false).ToString(), "False");
}

// CStr of numbers: 15 significant digits, no trailing zeros, exponent form at the edges.
TEST(VariantConversion, NumberToString) {
    const std::pair<double, const char*> rows[] = {
        {0.1, "0.1"},
        {1234.5, "1234.5"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {1e20, "1E+20"},
        {1e15, "1E+15"},
        {123456789012345.0, "123456789012345"},
        {0.0001, "0.0001"},
        {0.000015, "1.5E-05"},
        {-0.0, "0"},
        {-2.5, "-2.5"},
        {100.0, "100"},
    };
    for (const auto& [value, expected] : rows) {
        EXPECT_EQ(Variant(value).ToString(), expected);
    }
    EXPECT_EQ(Variant(int32_t{-12}).ToString(), "-12");
    EXPECT_EQ(Variant::Integer(-32768).ToString(), "-32768");
    EXPECT_EQ(Variant::Currency(12345).ToString(), "1.2345");
    EXPECT_EQ(Variant::Currency(12300).ToString(), "1.23");
    EXPECT_EQ(Variant::Currency(-50000).ToString(), "-5");
    EXPECT_EQ(Variant::Currency(std::numeric_limits<int64_t>::min()).ToString(),
              "-922337203685477.5808");
}

// CStr and CDate of dates: short date, date with time, time alone on the zero day.
TEST(VariantConversion, DateToStringAndBack) {
    EXPECT_EQ(Variant(Date::FromYmd(2007, 3, 5)).ToString(), "3/5/2007");
    EXPECT_EQ(Variant(Date::FromYmdHms(2007, 3, 5, 14, 30, 0)).ToString(), "3/5/2007 2:30:00 PM");
    EXPECT_EQ(Variant(Date::FromYmdHms(1899, 12, 30, 14, 30, 0)).ToString(), "2:30:00 PM");
    EXPECT_EQ(Variant(Date()).ToString(), "12:00:00 AM");
    EXPECT_EQ(Variant("3/5/2007").ToDate(), Date::FromYmd(2007, 3, 5));
    EXPECT_EQ(Variant(39146.0).ToDate(), Date::FromYmd(2007, 3, 5));
    EXPECT_EQ(Variant(Date::FromYmd(2007, 3, 5)).ToDouble(), 39146.0);
    EXPECT_TRUE(RaisesComError([] { (void)Variant("2/30/2007").ToDate(); }, 13));
    EXPECT_TRUE(RaisesComError([] { (void)Variant(1e9).ToDate(); }, 6));
    EXPECT_TRUE(Variant("March 5, 2007").IsDate());
    EXPECT_FALSE(Variant("hello").IsDate());
    EXPECT_FALSE(Variant(39146.0).IsDate());
    EXPECT_FALSE(Variant(Date::FromYmd(2007, 3, 5)).IsNumeric());
}

// IsNumeric as the classic function: Empty counts, Null and Missing do not.
TEST(VariantConversion, IsNumericByKind) {
    EXPECT_TRUE(Variant().IsNumeric());
    EXPECT_TRUE(Variant(true).IsNumeric());
    EXPECT_TRUE(Variant::Currency(1).IsNumeric());
    EXPECT_FALSE(Variant::Null().IsNumeric());
    EXPECT_FALSE(Variant::Missing().IsNumeric());
    EXPECT_FALSE(Variant(VariantArray(0, 1)).IsNumeric());
}

// DisplayText shows "" for Null and Missing and the day number of an impossible date, and refuses
// arrays and objects with 13 rather than pass them off as an empty text.
TEST(VariantConversion, DisplayTextRefusesWhatHasNoText) {
    EXPECT_EQ(Variant::Null().DisplayText(), "");
    EXPECT_EQ(Variant::Missing().DisplayText(), "");
    EXPECT_TRUE(RaisesComError([] { (void)Variant(VariantArray(0, 1)).DisplayText(); }, 13));
    EXPECT_TRUE(
        RaisesComError([] { (void)Variant(std::make_shared<ComObject>()).DisplayText(); }, 13));
    EXPECT_EQ(Variant(Date(1e12)).DisplayText(), "1000000000000");
    EXPECT_EQ(Variant(0.5).DisplayText(), "0.5");
    EXPECT_EQ(Variant("x").DisplayText(), "x");
}

// Accessors of the wrong kind raise 13; an object converts to its own class only.
TEST(VariantConversion, Accessors) {
    struct Thing : ComObject {};
    const auto thing = std::make_shared<Thing>();
    const Variant object{std::shared_ptr<ComObject>(thing)};
    EXPECT_EQ(object.AsObjectOf<Thing>(), thing);
    EXPECT_EQ(
        Variant(std::shared_ptr<ComObject>(std::make_shared<ComObject>())).AsObjectOf<Thing>(),
        nullptr);
    EXPECT_TRUE(RaisesComError([] { (void)Variant(1.0).AsObject(); }, 13));
    EXPECT_TRUE(RaisesComError([] { (void)Variant("a").AsArray(); }, 13));
}

// Equality compares kind and value: 1 (Long) is not 1.0 (Double); Null equals Null.
TEST(VariantConversion, Equality) {
    EXPECT_EQ(Variant::Null(), Variant::Null());
    EXPECT_NE(Variant(int32_t{1}), Variant(1.0));
    EXPECT_NE(Variant::Integer(1), Variant(int32_t{1}));
    EXPECT_EQ(Variant("a"), Variant(std::string("a")));
    EXPECT_NE(Variant(), Variant::Null());
    EXPECT_NE(Variant::Missing(), Variant());
}

}  // namespace
}  // namespace hlreports
