// Text helpers, the pending error and the session's lifetime.
#include <gtest/gtest.h>

#include "runtime/ExpectComError.h"
#include "runtime/Session.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

using test::RaisesComError;

// Quoting doubles every apostrophe, so a quoted value can never end the SQL string early.
TEST(Text, Quoting) {
    EXPECT_EQ(SqlQuoted("O'Brien"), "'O''Brien'");
    EXPECT_EQ(SqlQuoted(""), "''");
    EXPECT_EQ(SqlQuoted("'; DROP TABLE x; --"), "'''; DROP TABLE x; --'");
    EXPECT_EQ(DoubleApostrophes("''"), "''''");
    EXPECT_EQ(DoubleApostrophes("plain"), "plain");
}

// Split as the classic function: empty text gives no items, n separators give n+1 items.
TEST(Text, Split) {
    using Items = std::vector<std::string>;
    EXPECT_EQ(Split("", ","), Items{});
    EXPECT_EQ(Split("a", ","), Items{"a"});
    EXPECT_EQ(Split("a,,b", ","), (Items{"a", "", "b"}));
    EXPECT_EQ(Split(",", ","), (Items{"", ""}));
    EXPECT_EQ(Split("a,b,", ","), (Items{"a", "b", ""}));
    EXPECT_EQ(Split("a::b", "::"), (Items{"a", "b"}));
    EXPECT_EQ(Split("a,b", ""), Items{"a,b"});
    EXPECT_EQ(Join({"a", "", "b"}, ","), "a,,b");
    EXPECT_EQ(Join({}, ","), "");
}

// Case-insensitive helpers fold ASCII letters only and leave other bytes alone.
TEST(Text, CaseInsensitiveHelpers) {
    EXPECT_TRUE(EqualsIgnoreCase("Server", "SERVER"));
    EXPECT_FALSE(EqualsIgnoreCase("Server", "Serve"));
    EXPECT_TRUE(StartsWithIgnoreCase("QZLIST(abc", "qzlist("));
    EXPECT_FALSE(StartsWithIgnoreCase("QZ", "QZLIST("));
    EXPECT_EQ(FindIgnoreCase("Driver=x;SERVER=a", "server"), 9u);
    EXPECT_EQ(FindIgnoreCase("abcabc", "ABC", 1), 3u);
    EXPECT_EQ(FindIgnoreCase("abc", "d"), std::string::npos);
    EXPECT_EQ(FindIgnoreCase("abc", "a", 10), std::string::npos);
    EXPECT_EQ(FindIgnoreCase("abc", "", 1), 1u);
    EXPECT_TRUE(ContainsIgnoreCase("select * from T", "FROM"));
    EXPECT_EQ(ToUpperAscii("straße"), "STRAßE");
    EXPECT_EQ(ToLowerAscii("ÄBC"), "Äbc");
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

class ErrTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetSession(); }
    void TearDown() override { ResetSession(); }
};

// A pending error stays until cleared and does not throw; Raise records and throws.
TEST_F(ErrTest, PendingClearAndRaise) {
    EXPECT_FALSE(Err().IsPending());
    Err().SetPending(ErrorNumber::UserCancelled, "frmRepCriteria", "Cancelled");
    EXPECT_TRUE(Err().IsPending());
    EXPECT_EQ(Err().Number(), 20545);
    EXPECT_EQ(Err().Source(), "frmRepCriteria");
    EXPECT_EQ(Err().Description(), "Cancelled");
    Err().Clear();
    EXPECT_FALSE(Err().IsPending());
    EXPECT_EQ(Err().Source(), "");
    EXPECT_EQ(Err().Description(), "");

    EXPECT_TRUE(RaisesComError([] { Err().Raise(3206, "clsRecordset.RunSP", "bad"); }, 3206,
                               "clsRecordset.RunSP", "bad"));
    EXPECT_EQ(Err().Number(), 3206);

    Err().SetPending(ComError(9, "HLReports", "Subscript out of range"));
    EXPECT_EQ(Err().Number(), 9);
    EXPECT_EQ(Err().Description(), "Subscript out of range");
}

// A trapped procedure re-raises under its own number and source with the original text.
TEST_F(ErrTest, ReraiseKeepsTheDescription) {
    const auto trapped = [](auto&& failing, std::string_view suffix) {
        try {
            failing();
        } catch (...) {
            Reraise(3206, "clsRecordset.RunSP", suffix);
        }
    };
    EXPECT_TRUE(RaisesComError(
        [&] {
            trapped([] { throw ComError(-2147217900, "Provider", "Syntax error"); }, " SP:sp_X");
        },
        3206, "clsRecordset.RunSP", "Syntax error SP:sp_X"));
    EXPECT_EQ(Err().Number(), 3206);
    EXPECT_EQ(Err().Description(), "Syntax error SP:sp_X");
    EXPECT_TRUE(RaisesComError([&] { trapped([] { throw std::runtime_error("disk full"); }, ""); },
                               3206, "clsRecordset.RunSP", "disk full"));
}

// ResetSession replaces the session whole: settings, pending error and shared objects.
TEST_F(ErrTest, ResetSessionGivesAFreshSession) {
    TheSession().settings.reportName = "Rent Roll";
    TheSession().settings.criteria = Variant(int32_t{7});
    TheSession().settings.destination = irToPrinter;
    Err().SetPending(20545, "x", "y");
    ResetSession();
    EXPECT_EQ(TheSession().settings.reportName, "");
    EXPECT_TRUE(TheSession().settings.criteria.IsEmpty());
    EXPECT_EQ(TheSession().settings.destination, irtowindow);
    EXPECT_TRUE(TheSession().settings.periodEndDate.IsZero());
    EXPECT_FALSE(Err().IsPending());
    EXPECT_EQ(&Err(), &TheSession().err);
}

// The session's shared objects are released on reset, and may still reach the session then.
TEST_F(ErrTest, ResetReleasesSharedObjectsSafely) {
    struct Probe {
        bool* released;
        ~Probe() {
            *released = true;
            TheSession().settings.userName = "set while releasing";
        }
    };
    bool released = false;
    auto probe = std::make_shared<Probe>(Probe{&released});
    // Held as the settings' criteria object would be held by a higher layer: through a handle.
    struct Holder : ComObject {
        std::shared_ptr<Probe> probe;
    };
    auto holder = std::make_shared<Holder>();
    holder->probe = std::move(probe);
    TheSession().settings.criteria = Variant(std::shared_ptr<ComObject>(std::move(holder)));
    ResetSession();
    EXPECT_TRUE(released);
    EXPECT_EQ(TheSession().settings.userName, "set while releasing");
}

}  // namespace
}  // namespace hlreports
