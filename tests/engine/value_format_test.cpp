// Printed values: column formats, formula display text and the format names a file may use.
#include <gtest/gtest.h>

#include "engine/ValueFormat.h"

namespace hlreports::test {
namespace {

// Each format prints numbers, dates, Null and values it cannot take as documented.
TEST(ValueFormat, FormatsPrintAsDocumented) {
    struct Case {
        Variant value;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {Variant(1250.5), "", "1250.5"},
        {Variant(1250.5), "text", "1250.5"},
        {Variant(1250.5), "integer", "1,251"},
        {Variant(-1250.5), "integer", "-1,251"},
        {Variant(1249.4999), "integer", "1,249"},
        {Variant(1234567.891), "number", "1,234,567.89"},
        {Variant(1250.5), "number:3", "1,250.500"},
        {Variant(0.5), "number:0", "1"},
        {Variant(0.000123), "number:5", "0.00012"},
        {Variant(9.9999), "number:2", "10.00"},
        {Variant(1e20), "number:0", "100,000,000,000,000,000,000"},
        {Variant(0.0), "currency", "$0.00"},
        {Variant(-35.0), "currency", "-$35.00"},
        {Variant(-0.001), "currency", "$0.00"},
        {Variant(999.995), "currency", "$1,000.00"},
        {Variant::Currency(12345678), "currency", "$1,234.57"},
        {Variant(int32_t{-1234}), "number:0", "-1,234"},
        {Variant("12.5"), "currency", "$12.50"},
        {Variant("n/a"), "currency", "n/a"},
        {Variant(true), "currency", "True"},
        {Variant::Null(), "currency", ""},
        {Variant(), "number", ""},
        {Variant(Date::FromYmd(2024, 1, 31)), "", "1/31/2024"},
        {Variant(Date::FromYmdHms(2024, 1, 31, 14, 30, 0)), "date", "1/31/2024"},
        {Variant(Date::FromYmd(2024, 1, 31)), "date:mmmm d, yyyy", "January 31, 2024"},
        {Variant("2024-01-31"), "date", "1/31/2024"},
        {Variant("someday"), "date", "someday"},
        {Variant(1250.5), "date", "1250.5"},
        {Variant::Null(), "date", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " of " + c.value.DisplayText());
        const std::optional<ValueFormat> format =
            *c.format ? ParseValueFormat(c.format) : ValueFormat{};
        ASSERT_TRUE(format.has_value());
        EXPECT_EQ(FormatValue(c.value, *format), c.expected);
    }
}

Variant Exact(const char* text) {
    return Variant(*Decimal::Parse(text));
}

// Decimals print from their exact digits, rounded half away from zero on all of them: no digit
// invented or lost past a double's 15.
TEST(ValueFormat, DecimalsPrintEveryDigit) {
    struct Case {
        Variant value;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {Exact("-999999999999.999999"), "", "-999999999999.999999"},
        {Exact("-999999999999.999999"), "number:6", "-999,999,999,999.999999"},
        {Exact("-999999999999.999999"), "number:5", "-1,000,000,000,000.00000"},
        {Exact("9999999999999999999999999999"), "integer", "9,999,999,999,999,999,999,999,999,999"},
        {Exact("79228162514264337593543950335"), "number:0",
         "79,228,162,514,264,337,593,543,950,335"},
        {Exact("-79228162514264337593543950335"), "currency",
         "-$79,228,162,514,264,337,593,543,950,335.00"},
        {Exact(".9999999999999999999999999999"), "", "0.9999999999999999999999999999"},
        {Exact(".9999999999999999999999999999"), "number:10", "1.0000000000"},
        {Exact("0.12345678905"), "number:10", "0.1234567891"},
        {Exact("0.0000000000000000000000000001"), "", "0.0000000000000000000000000001"},
        {Exact("0.0000000000000000000000000001"), "number:10", "0.0000000000"},
        {Exact("-0.0000000000000000000000000001"), "currency", "$0.00"},
        {Exact("0.0000"), "number:2", "0.00"},
        {Exact("-0"), "", "0"},
        {Exact("2.5"), "integer", "3"},
        {Exact("-2.5"), "integer", "-3"},
        {Exact("999.995"), "currency", "$1,000.00"},
        {Exact("12.50"), "text", "12.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " of " + c.value.DisplayText());
        const std::optional<ValueFormat> format =
            *c.format ? ParseValueFormat(c.format) : ValueFormat{};
        ASSERT_TRUE(format.has_value());
        EXPECT_EQ(FormatValue(c.value, *format), c.expected);
    }
}

// Only the documented format names read; anything else is no format (and a load error).
TEST(ValueFormat, UnknownFormatNamesDoNotRead) {
    for (const char* spec :
         {"money", "Currency", "number:", "number:11", "number:-1", "number:2x", "date:", ""}) {
        SCOPED_TRACE(spec);
        EXPECT_FALSE(ParseValueFormat(spec).has_value());
    }
}

// A formula prints without the quotes of one string literal; anything else prints as written.
TEST(ValueFormat, FormulaDisplayText) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"\"D:\\Data\"", "D:\\Data"},
        {"'single'", "single"},
        {"\"say \"\"hi\"\"\"", "say \"hi\""},
        {"\"a\" + \"b\"", "\"a\" + \"b\""},
        {"\"\"", ""},
        {"\"", "\""},
        {"{Table.Field} * 2", "{Table.Field} * 2"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormulaDisplayText(c.text), c.expected);
    }
}

}  // namespace
}  // namespace hlreports::test
