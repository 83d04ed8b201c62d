// The recording driver, the unattended answers and the session's driver.
#include <gtest/gtest.h>

#include <memory>

#include "runtime/ExpectComError.h"
#include "runtime/Session.h"
#include "ui/Form.h"
#include "ui/Ui.h"

namespace hlreports {
namespace {

using test::RaisesComError;

class UiTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetSession(); }
    void TearDown() override { ResetSession(); }
};

// An unattended box takes the answer that ends the question, whatever icon it carries.
TEST(UnattendedAnswer, AffirmativeButtonOfEachSet) {
    struct Row {
        int32_t style;
        int32_t answer;
    };
    const Row rows[] = {
        {vbOKOnly, vbOK},
        {vbOKOnly + vbExclamation, vbOK},
        {vbOKCancel + vbQuestion, vbOK},
        {vbAbortRetryIgnore, vbIgnore},
        {vbYesNoCancel, vbYes},
        {vbYesNo + vbCritical, vbYes},
        {vbRetryCancel, vbCancel},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(UnattendedAnswer(row.style), row.answer) << row.style;
    }
}

// Every box and every pointer request is kept in order; an empty title shows the default.
TEST(RecordingUi, RecordsBoxesAndPointers) {
    RecordingUi ui;
    EXPECT_EQ(ui.MsgBox("You must select a date.", vbOKOnly, "HLS-Reports"), vbOK);
    EXPECT_EQ(ui.MsgBox("Delete it?", vbYesNo + vbQuestion, ""), vbYes);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].title, "HLS-Reports");
    EXPECT_EQ(ui.Messages()[1].title, "HLReports");
    EXPECT_EQ(ui.Messages()[1].text, "Delete it?");
    EXPECT_EQ(ui.Messages()[1].style, vbYesNo + vbQuestion);
    ui.SetMousePointer(vbHourglass);
    ui.SetMousePointer(vbHourglass);
    ui.SetMousePointer(vbDefault);
    EXPECT_EQ(ui.PointerHistory(), (std::vector<int32_t>{11, 11, 0}));
    EXPECT_EQ(ui.GetMousePointer(), vbDefault);
}

// Without an installed driver UI calls fail clearly; a recording driver cannot show a form.
TEST_F(UiTest, ShowingNeedsADriverWithAScreen) {
    Form form("frmRepCriteria", "Report Criteria");
    EXPECT_TRUE(RaisesComError([&] { form.ShowModal(); }, 20600, "HLReports",
                               "No user interface is installed: message boxes and dialogs cannot "
                               "be shown"));
    TheSession().ui = std::make_shared<RecordingUi>();
    EXPECT_TRUE(RaisesComError([&] { form.ShowModal(); }, 20601, "RecordingUi",
                               "Cannot show form 'frmRepCriteria' ('Report Criteria'): the "
                               "recording user interface has no screen and no answers"));
    EXPECT_FALSE(form.IsVisible());
    form.Present();
    EXPECT_TRUE(RaisesComError([&] { form.ShowModal(); }, 400, "HLReports",
                               "Form already displayed; can't show modally (form "
                               "'frmRepCriteria')"));
}

// Closing by the title bar asks first; unloading hides and forgets the focus.
TEST(FormLifecycle, CloseRequestAndUnload) {
    Form form("frmClassicInterfaceStatus");
    form.Add(ControlKind::TextBox, "txtA");
    bool allow = false;
    int unloads = 0;
    form.handlers.queryUnload = [&](bool& cancel) { cancel = !allow; };
    form.handlers.unload = [&] { ++unloads; };
    form.Present();
    form.RequestClose();
    EXPECT_TRUE(form.IsVisible());
    allow = true;
    form.RequestClose();
    EXPECT_FALSE(form.IsVisible());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.FocusedControl(), nullptr);
    EXPECT_EQ(unloads, 1);
}

}  // namespace
}  // namespace hlreports
