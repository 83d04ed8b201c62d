// The command line's values: --criteria JSON to a Variant, --param values to PrintRS's array.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "hlreports/HostValues.h"

namespace hlreports::test {
namespace {

using host::CriteriaFromJson;
using host::ParameterArray;

VariantArray List(const std::vector<Variant>& items) {
    VariantArray array(0, static_cast<int>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
        array.At(static_cast<int>(i)) = items[i];
    }
    return array;
}

VariantArray Table(int rows, int columns, const std::vector<std::vector<Variant>>& items) {
    VariantArray array(0, rows, 0, columns);
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (std::size_t j = 0; j < items[i].size(); ++j) {
            array.At(static_cast<int>(i), static_cast<int>(j)) = items[i][j];
        }
    }
    return array;
}

// Scalars keep their kind (integers beyond a Long become doubles); arrays and arrays of arrays
// start at 0 in every dimension, short rows leave their last columns Empty.
TEST(CriteriaFromJson, ConvertsEachShape) {
    const struct {
        const char* json;
        Variant expected;
    } cases[] = {
        {"42", Variant(42)},
        {"-2147483648", Variant(INT32_MIN)},
        {"3000000000", Variant(3000000000.0)},
        {"2.5", Variant(2.5)},
        {R"("O'Brien")", Variant("O'Brien")},
        {"true", Variant(true)},
        {"null", Variant::Null()},
        {R"([1, "a", null, false])",
         Variant(List({Variant(1), Variant("a"), Variant::Null(), Variant(false)}))},
        {"[]", Variant(List({}))},
        {R"([["1001", 2], ["1002"]])",
         Variant(Table(2, 2, {{Variant("1001"), Variant(2)}, {Variant("1002")}}))},
        {"[[]]", Variant(Table(1, 0, {}))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        EXPECT_EQ(CriteriaFromJson(c.json), c.expected);
    }
}

// A value outside the four shapes is refused with a message naming the problem.
TEST(CriteriaFromJson, RefusesOtherShapes) {
    const struct {
        const char* json;
        const char* messageStart;
    } cases[] = {
        {"", "--criteria is not JSON: "},
        {"[1,", "--criteria is not JSON: "},
        {"'a'", "--criteria is not JSON: "},
        {"[1, 1.5e3000]", "--criteria is not JSON: "},
        {R"({"a": 1})", "--criteria: an element must be a text, a number, true/false or null"},
        {R"([1, {"a": 1}])", "--criteria: an element must be a text, a number, true/false or null"},
        {"[1, [2]]", "--criteria: an element must be a text, a number, true/false or null"},
        {"[[[1]]]", "--criteria: an element must be a text, a number, true/false or null"},
        {"[[1], 2]", "--criteria: every row of a two-dimensional value must be an array"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        try {
            CriteriaFromJson(c.json);
            ADD_FAILURE() << "accepted";
        } catch (const std::invalid_argument& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(c.messageStart)) << error.what();
        }
    }
}

// A small text cannot ask for billions of padded values: rows x widest row is limited, and the
// limit itself is still accepted.
TEST(CriteriaFromJson, LimitsTheValuesOfATwoDimensionalArray) {
    const auto rows = [](std::size_t count, std::size_t wide) {
        std::string json = "[[" + std::string(wide * 2 - 1, '0');
        for (std::size_t i = 1; i < wide; ++i) {
            json[2 + i * 2 - 1] = ',';
        }
        json += "]";
        for (std::size_t i = 1; i < count; ++i) {
            json += ",[]";
        }
        return json + "]";
    };
    try {
        CriteriaFromJson(rows(100000, 100000));
        ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(),
                     "--criteria: a two-dimensional value of 100000 rows and 100000 columns has "
                     "more than 1000000 values");
    }
    const Variant atLimit = CriteriaFromJson(rows(1000, 1000));
    EXPECT_EQ(atLimit.AsArray().UpperBound(1), 999);
    EXPECT_EQ(atLimit.AsArray().UpperBound(2), 999);
}

// Value i goes to element (i, 1) of an (n x 2) array from 0, column 0 stays Empty; no values
// give Null, which PrintRS takes as "set no parameter".
TEST(ParameterArray, PutsValuesInTheSecondColumn) {
    const struct {
        std::vector<std::string> values;
        Variant expected;
    } cases[] = {
        {{}, Variant::Null()},
        {{"OAK"}, Variant(Table(1, 2, {{Variant(), Variant("OAK")}}))},
        {{"", "12/31/2026"},
         Variant(Table(2, 2, {{Variant(), Variant("")}, {Variant(), Variant("12/31/2026")}}))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values.size());
        EXPECT_EQ(ParameterArray(c.values), c.expected);
    }
}

}  // namespace
}  // namespace hlreports::test
