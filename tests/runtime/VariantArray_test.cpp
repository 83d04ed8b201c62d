// VariantArray bounds and the value semantics of arrays held in Variants.
#include <gtest/gtest.h>

#include <climits>

#include "runtime/ExpectComError.h"
#include "runtime/Variant.h"

namespace hlreports {
namespace {

using test::RaisesComError;

// Bounds other than 0 work in both dimensions; every access outside them raises 9.
TEST(VariantArray, BoundsAndSubscripts) {
    VariantArray one(1, 3);
    EXPECT_EQ(one.Dimensions(), 1);
    EXPECT_EQ(one.LowerBound(), 1);
    EXPECT_EQ(one.UpperBound(), 3);
    one.At(1) = "first";
    one.At(3) = "last";
    EXPECT_EQ(one.At(1).ToString(), "first");
    EXPECT_TRUE(one.At(2).IsEmpty());

    VariantArray two(-1, 2, 5, 3);  // (-1 To 0, 5 To 7)
    EXPECT_EQ(two.Dimensions(), 2);
    EXPECT_EQ(two.LowerBound(1), -1);
    EXPECT_EQ(two.UpperBound(1), 0);
    EXPECT_EQ(two.LowerBound(2), 5);
    EXPECT_EQ(two.UpperBound(2), 7);
    EXPECT_EQ(two.Size(), 6u);
    two.At(0, 7) = 42.0;
    two.At(-1, 5) = 1.0;
    EXPECT_EQ(two.At(0, 7).ToDouble(), 42.0);
    EXPECT_EQ(two.At(-1, 5).ToDouble(), 1.0);
    EXPECT_TRUE(two.At(-1, 7).IsEmpty());

    const std::function<void()> outOfRange[] = {
        [&] { (void)one.At(0); },         [&] { (void)one.At(4); },
        [&] { (void)one.At(1, 1); },      [&] { (void)two.At(0); },
        [&] { (void)two.At(1, 5); },      [&] { (void)two.At(-2, 5); },
        [&] { (void)two.At(0, 4); },      [&] { (void)two.At(0, 8); },
        [&] { (void)one.LowerBound(2); }, [&] { (void)two.UpperBound(3); },
        [&] { (void)one.LowerBound(0); }, [] { VariantArray(0, -1); },
        [] { VariantArray(INT_MAX, 2); },
    };
    for (std::size_t i = 0; i < std::size(outOfRange); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(RaisesComError(outOfRange[i], 9, "HLReports", "Subscript out of range"));
    }
}

// An empty array has its upper bound one below its lower bound.
TEST(VariantArray, EmptyArray) {
    const VariantArray none(0, 0);
    EXPECT_EQ(none.UpperBound(), -1);
    EXPECT_EQ(none.Size(), 0u);
    EXPECT_TRUE(RaisesComError([&] { (void)none.At(0); }, 9));
    EXPECT_EQ(VariantArray().UpperBound(), -1);
}

// Copying a Variant copies its array (nested ones too); objects stay shared.
TEST(VariantArray, CopiesAreIndependent) {
    VariantArray inner(0, 1);
    inner.At(0) = "inner";
    VariantArray outer(0, 2);
    outer.At(0) = Variant(inner);
    outer.At(1) = Variant(std::make_shared<ComObject>());
    Variant original(outer);

    Variant copy = original;
    copy.AsArray().At(0).AsArray().At(0) = "changed";
    EXPECT_EQ(original.AsArray().At(0).AsArray().At(0).ToString(), "inner");
    EXPECT_EQ(copy.AsArray().At(1).AsObject(), original.AsArray().At(1).AsObject());

    Variant assigned;
    assigned = original;
    assigned.AsArray().At(0) = 1.0;
    EXPECT_TRUE(original.AsArray().At(0).IsArray());
    EXPECT_EQ(original, Variant(outer));
    EXPECT_NE(assigned, original);

    Variant& self = assigned;
    assigned = self;
    EXPECT_EQ(assigned.AsArray().At(0).ToDouble(), 1.0);
}

// A moved-from Variant is Empty, and the move keeps the array's contents.
TEST(VariantArray, MoveLeavesEmpty) {
    Variant source(VariantArray(1, 2));
    source.AsArray().At(2) = "x";
    Variant target(std::move(source));
    EXPECT_TRUE(source.IsEmpty());  // NOLINT(bugprone-use-after-move): the state is the contract
    EXPECT_EQ(target.AsArray().At(2).ToString(), "x");
    Variant other;
    other = std::move(target);
    EXPECT_TRUE(target.IsEmpty());  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(other.AsArray().UpperBound(), 2);
}

// Array equality needs the same shape and bounds, not only the same elements.
TEST(VariantArray, EqualityComparesShape) {
    EXPECT_EQ(VariantArray(0, 2), VariantArray(0, 2));
    EXPECT_NE(VariantArray(0, 2), VariantArray(1, 2));
    EXPECT_NE(VariantArray(0, 2), VariantArray(0, 1, 0, 2));
    EXPECT_NE(VariantArray(0, 2, 0, 1), VariantArray(0, 1, 0, 2));
}

}  // namespace
}  // namespace hlreports
