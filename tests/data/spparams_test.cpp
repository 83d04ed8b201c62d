// SPParams: order, keys ignoring case, the collection's error numbers and texts.
#include <gtest/gtest.h>

#include "data/DataTestHelpers.h"

#include "data/SPParams.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"

namespace hlreports {
namespace {

using test::CaughtComError;

// Enumeration, Item(position) and Count follow insertion order, which is the order of the call.
TEST(SPParams, KeepsInsertionOrder) {
    SPParams params;
    params.Add("@Zeta", adVarChar, 10, adParamInput, "z");
    params.Add("@Alpha", adInteger, 4, adParamInput, 1);
    params.Add("@Mid", adDouble, 8, adParamOutput, Variant::Missing());
    std::vector<std::string> names;
    for (const SPParam& parameter : params) {
        names.push_back(parameter.name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"@Zeta", "@Alpha", "@Mid"}));
    EXPECT_EQ(params.Count(), 3);
    EXPECT_EQ(params.Item(2).name(), "@Alpha");
    EXPECT_EQ(params.Item(1).Size(), 10);
    EXPECT_EQ(params.Item(3).Direction(), adParamOutput);
}

// A second Add of a name (in any case) raises 457 with the collection's text and keeps the first.
TEST(SPParams, DuplicateKeyRaises457AndKeepsTheFirst) {
    SPParams params;
    params.Add("@Property", adVarChar, 10, adParamInput, "P1");
    ComError error =
        CaughtComError([&] { params.Add("@PROPERTY", adVarChar, 10, adParamInput, "P2"); });
    EXPECT_EQ(error.Number(), 457);
    EXPECT_EQ(error.Description(),
              "This key is already associated with an element of this collection");
    EXPECT_EQ(params.Count(), 1);
    EXPECT_EQ(params.GetValue("@Property"), Variant("P1"));
}

// Unknown names and positions outside 1..Count raise 5 "Invalid procedure call or argument".
TEST(SPParams, UnknownKeyRaises5) {
    SPParams params;
    params.Add("@A", adInteger, 4, adParamInput, 1);
    for (auto action : std::vector<std::function<void()>>{
             [&] { params.Item("@B"); }, [&] { params.Item(0); }, [&] { params.Item(2); }}) {
        ComError error = CaughtComError(action);
        EXPECT_EQ(error.Number(), 5);
        EXPECT_EQ(error.Description(), "Invalid procedure call or argument");
    }
}

// Lookups ignore case; a name never added gives Empty, an output added without value is Missing.
TEST(SPParams, GetValueByNameIgnoringCase) {
    SPParams params;
    params.Add("@Description", adVarChar, 30, adParamInput, "Rent Roll");
    params.Add("@Name", adVarChar, 30, adParamOutput, Variant::Missing());
    EXPECT_EQ(params.GetValue("@description"), Variant("Rent Roll"));
    EXPECT_TRUE(params.GetValue("@Name").IsMissing());
    EXPECT_TRUE(params.GetValue("@Nobody").IsEmpty());
    params.Item("@NAME").SetValue("rentroll.rpt");
    EXPECT_EQ(params.GetValue("@Name"), Variant("rentroll.rpt"));
}

// Clear empties the list so that the same names can be added again.
TEST(SPParams, ClearEmptiesTheList) {
    SPParams params;
    params.Add("@A", adInteger, 4, adParamInput, 1);
    params.Clear();
    EXPECT_EQ(params.Count(), 0);
    params.Add("@A", adInteger, 4, adParamInput, 2);
    EXPECT_EQ(params.GetValue("@A"), Variant(2));
}

}  // namespace
}  // namespace hlreports
