// Parameter values: pending until applied, ranges, replacing, clearing, and the errors that keep
// a value from being dropped silently.
#include <gtest/gtest.h>

#include "engine/EngineFixtures.h"

namespace hlreports::test {
namespace {

CoreParameter MakeParameter(bool isRange, bool isMultiValue, std::string name = "Batch ID") {
    return CoreParameter(std::move(name), "Batch", CoreValueString, isRange, isMultiValue, {});
}

std::vector<Variant> Starts(const std::vector<CoreParameter::Value>& values) {
    std::vector<Variant> starts;
    for (const auto& value : values) {
        starts.push_back(value.start);
    }
    return starts;
}

// Added values stay pending until ApplyValues, which makes them current in the order added.
TEST(CoreParameter, AddedValuesPendUntilApplied) {
    CoreParameter parameter = MakeParameter(false, true);
    parameter.AddCurrentValue(Variant("B1"));
    parameter.AddCurrentValue(Variant("B2"));
    parameter.AddCurrentValue(Variant("B3"));
    EXPECT_FALSE(parameter.HasCurrentValue());
    EXPECT_FALSE(parameter.ValuesApplied());
    EXPECT_TRUE(parameter.CurrentValue().IsEmpty());
    EXPECT_EQ(parameter.PendingValues().size(), 3u);
    parameter.ApplyValues();
    EXPECT_TRUE(parameter.HasCurrentValue());
    EXPECT_TRUE(parameter.ValuesApplied());
    EXPECT_TRUE(parameter.PendingValues().empty());
    EXPECT_EQ(Starts(parameter.CurrentValues()),
              (std::vector<Variant>{Variant("B1"), Variant("B2"), Variant("B3")}));
    EXPECT_EQ(parameter.CurrentValue(), Variant("B1"));
}

// A second apply replaces the values of the first; an apply with nothing pending keeps them.
TEST(CoreParameter, ApplyReplacesAndEmptyApplyKeeps) {
    CoreParameter parameter = MakeParameter(false, true);
    parameter.AddCurrentValue(Variant("old"));
    parameter.ApplyValues();
    parameter.AddCurrentValue(Variant("new"));
    parameter.ApplyValues();
    EXPECT_EQ(Starts(parameter.CurrentValues()), (std::vector<Variant>{Variant("new")}));
    parameter.ApplyValues();
    EXPECT_EQ(Starts(parameter.CurrentValues()), (std::vector<Variant>{Variant("new")}));
}

// SetCurrentValue replaces every value at once, pending ones included, and counts as applied.
TEST(CoreParameter, SetCurrentValueReplacesEverything) {
    CoreParameter parameter = MakeParameter(false, true);
    parameter.AddCurrentValue(Variant("a"));
    parameter.ApplyValues();
    parameter.AddCurrentValue(Variant("pending"));
    parameter.SetCurrentValue(Variant(int32_t{42}));
    EXPECT_TRUE(parameter.PendingValues().empty());
    EXPECT_TRUE(parameter.ValuesApplied());
    EXPECT_EQ(Starts(parameter.CurrentValues()), (std::vector<Variant>{Variant(int32_t{42})}));
}

// ClearCurrentValues drops current and pending values.
TEST(CoreParameter, ClearDropsCurrentAndPending) {
    CoreParameter parameter = MakeParameter(false, true);
    parameter.SetCurrentValue(Variant("a"));
    parameter.AddCurrentValue(Variant("b"));
    parameter.ClearCurrentValues();
    EXPECT_FALSE(parameter.HasCurrentValue());
    EXPECT_TRUE(parameter.PendingValues().empty());
    EXPECT_FALSE(parameter.ValuesApplied());
}

// Ranges keep start and end; CurrentValue is the first range's start.
TEST(CoreParameter, RangesKeepBothEnds) {
    CoreParameter parameter = MakeParameter(true, true);
    parameter.AddCurrentRange(Variant("A"), Variant("M"));
    parameter.AddCurrentValue(Variant("Z"));
    parameter.ApplyValues();
    ASSERT_EQ(parameter.CurrentValues().size(), 2u);
    EXPECT_TRUE(parameter.CurrentValues()[0].isRange);
    EXPECT_EQ(parameter.CurrentValues()[0].end, Variant("M"));
    EXPECT_FALSE(parameter.CurrentValues()[1].isRange);
    EXPECT_TRUE(parameter.CurrentValues()[1].end.IsEmpty());
    EXPECT_EQ(parameter.CurrentValue(), Variant("A"));
}

// Values the parameter cannot take are errors 20513 naming it; nothing already current is lost.
TEST(CoreParameter, RejectedValuesRaise20513) {
    CoreParameter ranged = MakeParameter(false, true);
    const ComError range =
        CaughtComError([&] { ranged.AddCurrentRange(Variant("A"), Variant("B")); });
    EXPECT_EQ(range.Number(), 20513);
    EXPECT_EQ(range.Source(), "CoreParameter.AddCurrentRange");
    EXPECT_EQ(range.Description(), "Parameter Batch ID takes no ranges");
    EXPECT_TRUE(ranged.PendingValues().empty());

    CoreParameter single = MakeParameter(false, false, "Sent By");
    single.SetCurrentValue(Variant("kept"));
    single.AddCurrentValue(Variant("a"));
    single.AddCurrentValue(Variant("b"));
    const ComError many = CaughtComError([&] { single.ApplyValues(); });
    EXPECT_EQ(many.Number(), 20513);
    EXPECT_EQ(many.Source(), "CoreParameter.ApplyValues");
    EXPECT_EQ(many.Description(), "Parameter Sent By takes one value; 2 were given");
    EXPECT_EQ(Starts(single.CurrentValues()), (std::vector<Variant>{Variant("kept")}));
    EXPECT_EQ(single.PendingValues().size(), 2u);
}

// A single-value parameter takes one added value; values are kept as given, not converted.
TEST(CoreParameter, SingleValueAndValuesKeptAsGiven) {
    CoreParameter date("StartDate", "", CoreValueDate, false, false, {});
    date.AddCurrentValue(Variant("1/31/2024"));
    date.ApplyValues();
    EXPECT_EQ(date.CurrentValue(), Variant("1/31/2024"));
    EXPECT_EQ(date.ParameterName(), "{?StartDate}");
}

}  // namespace
}  // namespace hlreports::test
