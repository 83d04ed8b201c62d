// Focus and keys: the tab order a user walks, validation on leaving a control, the order of
// focus events, key preview with Enter sent on as Tab, and what unswallowed keys do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/ExpectComError.h"
#include "ui/Form.h"

namespace hlreports {
namespace {

using test::RaisesComError;
using Events = std::vector<std::string>;

std::string FocusName(const Form& form) {
    return form.FocusedControl() ? form.FocusedControl()->DisplayName() : "(none)";
}

// Tab skips hidden, disabled, hidden-container, other-page, no-stop controls, labels, frames
// and the unselected buttons of an option group; it wraps; Shift-Tab walks back.
TEST(FormFocus, TabOrderSkipsWhatAUserCannotReach) {
    Form form("frmX");
    form.Add(ControlKind::TextBox, "txtFirst");
    form.Add(ControlKind::Label, "lblA");
    form.Add(ControlKind::TextBox, "txtHidden").SetVisible(false);
    Control& hiddenFrame = form.Add(ControlKind::Frame, "fraHidden").SetVisible(false);
    form.Add(ControlKind::TextBox, "txtInHidden").SetContainer(hiddenFrame);
    form.Add(ControlKind::TextBox, "txtDisabled").SetEnabled(false);
    Control& offFrame = form.Add(ControlKind::Frame, "fraOff").SetEnabled(false);
    form.Add(ControlKind::CheckBox, "chkInOff").SetContainer(offFrame);
    Control& tabs = form.Add(ControlKind::TabControl, "tabA").SetTabCaptions({"A", "B"});
    tabs.SetTabStop(false);
    form.Add(ControlKind::TextBox, "txtPage0").SetContainer(tabs, 0);
    form.Add(ControlKind::TextBox, "txtPage1").SetContainer(tabs, 1);
    Control& group = form.Add(ControlKind::Frame, "fraGroup");
    form.Add(ControlKind::OptionButton, "optA").SetContainer(group);
    form.Add(ControlKind::OptionButton, "optB").SetContainer(group).SetValue(true);
    form.Add(ControlKind::TextBox, "txtNoStop").SetTabStop(false);
    form.Add(ControlKind::CommandButton, "cmdOK");

    form.Present();
    Events walked{FocusName(form)};
    for (int i = 0; i < 4; ++i) {
        form.PressKey(KeyTab);
        walked.push_back(FocusName(form));
    }
    EXPECT_EQ(walked, (Events{"txtFirst", "txtPage0", "optB", "cmdOK", "txtFirst"}));
    form.MoveFocus(false);
    EXPECT_EQ(FocusName(form), "cmdOK");
    tabs.SetSelectedTab(1);
    form.Get("txtFirst").SetFocus();
    form.PressKey(KeyTab);
    EXPECT_EQ(FocusName(form), "txtPage1");
}

// Leaving a control fires Validate, LostFocus, GotFocus in that order; a cancel keeps the focus.
TEST(FormFocus, ValidateThenLostThenGot) {
    Form form("frmX");
    Events events;
    Control& first = form.Add(ControlKind::TextBox, "DateBox0");
    Control& second = form.Add(ControlKind::TextBox, "DateBox1");
    Control& cancel = form.Add(ControlKind::CommandButton, "btnCancel").SetCausesValidation(false);
    bool refuse = true;
    first.handlers.validate = [&](bool& keep) {
        events.push_back("validate DateBox0");
        keep = refuse;
    };
    first.handlers.lostFocus = [&] { events.push_back("lost DateBox0"); };
    second.handlers.gotFocus = [&] { events.push_back("got DateBox1"); };
    cancel.handlers.gotFocus = [&] { events.push_back("got btnCancel"); };
    form.Present();
    EXPECT_FALSE(second.SetFocus());
    EXPECT_EQ(FocusName(form), "DateBox0");
    refuse = false;
    EXPECT_TRUE(second.SetFocus());
    EXPECT_TRUE(first.SetFocus());
    refuse = true;
    EXPECT_TRUE(cancel.SetFocus());  // a Cancel button does not validate what it leaves
    EXPECT_EQ(events, (Events{"validate DateBox0", "validate DateBox0", "lost DateBox0",
                              "got DateBox1", "lost DateBox0", "got btnCancel"}));
}

// The focus goes only where a user could put it; the refusal names the form and control.
TEST(FormFocus, SetFocusRefusesUnreachableControls) {
    Form form("frmRepCriteria");
    Control& hidden = form.Add(ControlKind::DatePicker, "datDate3").SetVisible(false);
    Control& label = form.Add(ControlKind::Label, "lblDesc");
    Control& disabled = form.Add(ControlKind::GridCombo, "cboCombo", 1).SetEnabled(false);
    EXPECT_TRUE(RaisesComError([&] { hidden.SetFocus(); }, 5, "HLReports",
                               "Invalid procedure call or argument: 'datDate3' of form "
                               "'frmRepCriteria' is hidden"));
    EXPECT_TRUE(RaisesComError([&] { label.SetFocus(); }, 5, "HLReports",
                               "Invalid procedure call or argument: 'lblDesc' of form "
                               "'frmRepCriteria' cannot take the focus"));
    EXPECT_TRUE(RaisesComError([&] { disabled.SetFocus(); }, 5, "HLReports",
                               "Invalid procedure call or argument: 'cboCombo(1)' of form "
                               "'frmRepCriteria' is disabled"));
}

// With key preview the form sees Enter first, swallows it and sends Tab: the focus moves and
// the focused button is never pressed.
TEST(FormFocus, EnterBecomesTabThroughKeyPreview) {
    Form form("frmX");
    Events events;
    form.Add(ControlKind::TextBox, "txtA");
    Control& button = form.Add(ControlKind::CommandButton, "cmdPreview");
    form.Add(ControlKind::TextBox, "txtB");
    button.handlers.click = [&] { events.push_back("click"); };
    button.handlers.keyPress = [&](int& key) {
        events.push_back("button key " + std::to_string(key));
    };
    form.handlers.keyPress = [&](int& key) {
        events.push_back("form key " + std::to_string(key));
        if (key == KeyEnter) {
            key = 0;
            form.SendKey(KeyTab);
        }
    };
    form.SetKeyPreview(true);
    form.Present();
    form.PressKey(KeyEnter);
    EXPECT_EQ(FocusName(form), "cmdPreview");
    form.PressKey(KeyEnter);
    EXPECT_EQ(FocusName(form), "txtB");
    EXPECT_EQ(events, (Events{"form key 13", "form key 13"}));

    // Without preview the same Enter reaches the button and presses it.
    form.SetKeyPreview(false);
    button.SetFocus();
    form.PressKey(KeyEnter);
    EXPECT_EQ(events.back(), "click");
    EXPECT_EQ(events[events.size() - 2], "button key 13");
}

// Keys nobody swallows edit text (Backspace takes a whole character) or press buttons.
TEST(FormFocus, UnswallowedKeysDoTheirWork) {
    Form form("frmX");
    Control& text = form.Add(ControlKind::TextBox, "txtListText0");
    Control& check = form.Add(ControlKind::CheckBox, "chk1");
    int changes = 0;
    text.handlers.change = [&] { ++changes; };
    text.handlers.keyPress = [](int& key) {
        if (key == 'x') {
            key = 0;
        }
    };
    form.Present();
    text.SetText("Caf\xC3\xA9");
    for (int key : {KeyBackspace, int{'e'}, int{'x'}, int{'!'}}) {
        form.PressKey(key);
    }
    EXPECT_EQ(text.Text(), "Cafe!");
    EXPECT_EQ(changes, 4);
    check.SetFocus();
    form.PressKey(KeySpace);
    EXPECT_TRUE(check.IsChecked());
    form.PressKey('a');  // no effect on a check box
    EXPECT_TRUE(check.IsChecked());
}

// Showing fires Activate before the first control gets the focus; Activate may pick it itself.
TEST(FormFocus, PresentActivatesThenFocuses) {
    Form form("frmX");
    Events events;
    Control& first = form.Add(ControlKind::TextBox, "txtA");
    form.Add(ControlKind::TextBox, "txtB");
    form.handlers.activate = [&] { events.push_back("activate " + FocusName(form)); };
    first.handlers.gotFocus = [&] { events.push_back("got txtA"); };
    form.Present();
    EXPECT_TRUE(form.IsVisible());
    EXPECT_EQ(events, (Events{"activate (none)", "got txtA"}));

    Form other("frmY");
    other.Add(ControlKind::TextBox, "txtA");
    Control& chosen = other.Add(ControlKind::TextBox, "txtB");
    other.handlers.activate = [&] { chosen.SetFocus(); };
    other.Present();
    EXPECT_EQ(other.FocusedControl(), &chosen);
}

}  // namespace
}  // namespace hlreports
