// The handlers every criteria window shares: Enter moves on as Tab does, and the close box runs
// the window's own cancel and leaves unloading to it.
#include <gtest/gtest.h>

#include "service/CriteriaWindowHabits.h"

namespace hlreports {
namespace {

TEST(CriteriaWindowHabits, EnterActsAsTabAndTheCloseBoxCancels) {
    Form form("frmTest", "Test Criteria");
    Control& first = form.Add(ControlKind::TextBox, "txtFirst");
    Control& second = form.Add(ControlKind::TextBox, "txtSecond");
    int cancels = 0;
    ApplyCriteriaWindowHabits(form, [&] { ++cancels; });
    form.Present();
    ASSERT_EQ(form.FocusedControl(), &first);

    form.PressKey(KeyEnter);
    EXPECT_EQ(form.FocusedControl(), &second);
    EXPECT_EQ(second.Text(), "");  // the Enter itself was swallowed

    form.RequestClose();
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(form.IsLoaded());  // the cancel decides what happens to the window
}

}  // namespace
}  // namespace hlreports
