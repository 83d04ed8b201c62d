// The control collection: lookup, creation by kind and class name, removal, containers,
// visibility through containers and tab pages, tab-index renumbering.
#include <gtest/gtest.h>

#include "runtime/ExpectComError.h"
#include "ui/Form.h"

namespace hlreports {
namespace {

using test::RaisesComError;

// Lookup ignores case, reads "name(index)", and a miss names form and control (730).
TEST(FormModel, LookupByNameAndIndex) {
    Form form("frmRepCriteria");
    Control& check = form.Add(ControlKind::CheckBox, "chk1");
    Control& second = form.Add(ControlKind::GridCombo, "cboCombo", 1);
    form.Add(ControlKind::GridCombo, "cboCombo", 0);
    EXPECT_EQ(&form.Get("CHK1"), &check);
    EXPECT_EQ(&form.Get("cbocombo(1)"), &second);
    EXPECT_EQ(&form.Get("cboCombo", 1), &second);
    EXPECT_EQ(second.DisplayName(), "cboCombo(1)");
    EXPECT_EQ(form.Find("chk2"), nullptr);
    EXPECT_EQ(form.Find("cboCombo( 1)"), nullptr);

    EXPECT_TRUE(RaisesComError([&] { form.Get("chk2"); }, 730, "HLReports",
                               "Control 'chk2' not found on form 'frmRepCriteria'"));
    EXPECT_TRUE(RaisesComError([&] { form.Get("cboCombo", 2); }, 730, "HLReports",
                               "Control 'cboCombo(2)' not found on form 'frmRepCriteria'"));
    EXPECT_TRUE(RaisesComError([&] { form.Get("cboCombo"); }, 730, "HLReports",
                               "Control 'cboCombo' not found on form 'frmRepCriteria' (it is a "
                               "control array: give an index)"));
}

// A name is one control or one array; bad names and indexes are refused before anything is added.
TEST(FormModel, AddRefusesClashesAndBadNames) {
    Form form("frmX");
    form.Add(ControlKind::Label, "lblDate1");
    form.Add(ControlKind::OptionButton, "optBalance", 0);
    struct Row {
        ControlKind kind;
        const char* name;
        std::optional<int> index;
        int32_t number;
        const char* text;
    };
    const Row rows[] = {
        {ControlKind::Label,
         "LBLDATE1",
         {},
         727,
         "There is already a control with the name 'LBLDATE1' on form 'frmX'"},
        {ControlKind::OptionButton, "optBalance", 0, 727,
         "There is already a control with the name 'optBalance(0)' on form 'frmX'"},
        {ControlKind::OptionButton,
         "optBalance",
         {},
         727,
         "There is already a control with the name 'optBalance' on form 'frmX'"},
        {ControlKind::Label, "lblDate1", 3, 727,
         "There is already a control with the name 'lblDate1(3)' on form 'frmX'"},
        {ControlKind::Label,
         "1abc",
         {},
         380,
         "Invalid property value: '1abc' is not a control name (form 'frmX')"},
        {ControlKind::Label,
         "a b",
         {},
         380,
         "Invalid property value: 'a b' is not a control name (form 'frmX')"},
        {ControlKind::Label, "arr", 32768, 380,
         "Invalid property value: control array 'arr' of form 'frmX' cannot have index 32768"},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(RaisesComError([&] { form.Add(row.kind, row.name, row.index); }, row.number,
                                   "HLReports", row.text))
            << row.name;
    }
    EXPECT_EQ(form.ControlCount(), 2u);
    EXPECT_NO_THROW(form.Add(ControlKind::OptionButton, "optBalance", 1));
}

// Run-time creation maps class names (any case) to kinds, starts hidden, and counts at once.
TEST(FormModel, AddByClassName) {
    Form form("frmRepCriteria");
    Control& frame = form.Add(ControlKind::Frame, "fraGroup");
    struct Row {
        const char* className;
        ControlKind kind;
    };
    const Row rows[] = {
        {"MSComCtl2.DTPicker", ControlKind::DatePicker},
        {"vb.label", ControlKind::Label},
        {"VB.Frame", ControlKind::Frame},
        {"VB.OptionButton", ControlKind::OptionButton},
        {"VB.TextBox", ControlKind::TextBox},
        {"VB.HScrollBar", ControlKind::ScrollBar},
        {"MSComCtl2.MonthView", ControlKind::MonthView},
        {"SSDataWidgets_B_OLEDB.SSOleDBCombo", ControlKind::GridCombo},
    };
    int n = 0;
    for (const auto& row : rows) {
        Control& added = form.AddByClass(row.className, "added" + std::to_string(n++), &frame);
        EXPECT_EQ(added.Kind(), row.kind) << row.className;
        EXPECT_FALSE(added.IsVisible()) << row.className;
        EXPECT_EQ(added.Container(), &frame);
    }
    EXPECT_TRUE(form.AddByClass("VB.VScrollBar", "vsScroll").IsVertical());
    EXPECT_EQ(form.ControlCount(), 10u);
    EXPECT_TRUE(RaisesComError([&] { form.AddByClass("VB.Shape", "shp1"); }, 711, "HLReports",
                               "Invalid class string: 'VB.Shape' names no control class (adding "
                               "'shp1' to form 'frmRepCriteria')"));
    // A container that cannot hold controls leaves nothing behind.
    Control& label = form.Get("added1");
    EXPECT_TRUE(RaisesComError([&] { form.AddByClass("VB.Label", "inLabel", &label); }, 380));
    EXPECT_EQ(form.Find("inLabel"), nullptr);
    EXPECT_EQ(form.ControlCount(), 10u);
}

// Removing a container removes what it holds, and a removed focused control leaves no focus.
TEST(FormModel, RemoveTakesContentsAndFocus) {
    Form form("frmX");
    Control& frame = form.Add(ControlKind::Frame, "fraOuter");
    Control& inner = form.Add(ControlKind::PictureBox, "picInner").SetContainer(frame);
    Control& text = form.Add(ControlKind::TextBox, "txtDeep").SetContainer(inner);
    form.Add(ControlKind::TextBox, "txtOther");
    form.SetFocus(text);
    form.Remove("fraOuter");
    EXPECT_EQ(form.ControlCount(), 1u);
    EXPECT_EQ(form.FocusedControl(), nullptr);
    EXPECT_EQ(form.TabOrder().size(), 1u);
    EXPECT_EQ(form.Get("txtOther").TabIndex(), 0);
    EXPECT_TRUE(RaisesComError([&] { form.Remove("txtDeep"); }, 730));
}

// A container must be a frame, picture box or tab control of the same form, not inside the child.
TEST(FormModel, ContainerRules) {
    Form form("frmX");
    Form other("frmY");
    Control& frame = form.Add(ControlKind::Frame, "fraA");
    Control& inner = form.Add(ControlKind::Frame, "fraB").SetContainer(frame);
    Control& label = form.Add(ControlKind::Label, "lblA");
    Control& tabs = form.Add(ControlKind::TabControl, "tabA").SetTabCaptions({"One", "Two"});
    Control& foreign = other.Add(ControlKind::Frame, "fraForeign");
    EXPECT_TRUE(RaisesComError([&] { label.SetContainer(label); }, 380));
    EXPECT_TRUE(RaisesComError([&] { frame.SetContainer(inner); }, 380, "HLReports",
                               "Invalid property value: container 'fraB' lies inside this "
                               "control (control 'fraA' of form 'frmX')"));
    EXPECT_TRUE(RaisesComError([&] { label.SetContainer(foreign); }, 380));
    EXPECT_TRUE(RaisesComError([&] { label.SetContainer(tabs, 2); }, 380));
    EXPECT_TRUE(RaisesComError([&] { label.SetContainer(frame, 0); }, 380));
    tabs.SetSelectedTab(1);
    label.SetContainer(tabs);
    EXPECT_EQ(label.ContainerTab(), 1);  // lands on the page shown
    EXPECT_EQ(form.ControlsIn(frame), std::vector<Control*>{&inner});
}

// Shown and usable follow the whole container chain and the selected tab page.
TEST(FormModel, ShownAndUsableThroughContainers) {
    Form form("frmX");
    Control& frame = form.Add(ControlKind::Frame, "fraA");
    Control& tabs = form.Add(ControlKind::TabControl, "tabA").SetTabCaptions({"One", "Two"});
    tabs.SetContainer(frame);
    Control& onFirst = form.Add(ControlKind::TextBox, "txtOne").SetContainer(tabs, 0);
    Control& onSecond = form.Add(ControlKind::TextBox, "txtTwo").SetContainer(tabs, 1);
    EXPECT_TRUE(onFirst.IsShown());
    EXPECT_FALSE(onSecond.IsShown());
    tabs.SetSelectedTab(1);
    EXPECT_FALSE(onFirst.IsShown());
    EXPECT_TRUE(onSecond.IsShown());
    frame.SetVisible(false);
    EXPECT_FALSE(onSecond.IsShown());
    EXPECT_TRUE(onSecond.IsVisible());
    frame.SetEnabled(false);
    EXPECT_FALSE(onSecond.IsUsable());
    EXPECT_TRUE(onSecond.IsEnabled());
}

// Setting a tab index inserts the control there and renumbers the rest without gaps.
TEST(FormModel, TabIndexRenumbers) {
    Form form("frmX");
    Control& a = form.Add(ControlKind::TextBox, "a");
    Control& b = form.Add(ControlKind::TextBox, "b");
    Control& c = form.Add(ControlKind::TextBox, "c");
    c.SetTabIndex(0);
    EXPECT_EQ(c.TabIndex(), 0);
    EXPECT_EQ(a.TabIndex(), 1);
    EXPECT_EQ(b.TabIndex(), 2);
    a.SetTabIndex(99);
    EXPECT_EQ(a.TabIndex(), 2);
    EXPECT_EQ(b.TabIndex(), 1);
    EXPECT_TRUE(RaisesComError([&] { a.SetTabIndex(-1); }, 380));
}

// Geometry keeps twips as given; negative sizes are refused.
TEST(FormModel, GeometryInTwips) {
    Form form("frmX");
    Control& label = form.Add(ControlKind::Label, "lbl").Move(-120, 300, 2700, 255);
    EXPECT_EQ(label.Left(), -120);
    EXPECT_EQ(label.Top(), 300);
    EXPECT_EQ(label.Width(), 2700);
    EXPECT_EQ(label.Height(), 255);
    EXPECT_TRUE(RaisesComError([&] { label.SetWidth(-1); }, 380));
    EXPECT_EQ(label.ZOrder(), 0);
    form.Add(ControlKind::CheckBox, "chk").BringToFront();
    label.BringToFront();
    EXPECT_GT(label.ZOrder(), form.Get("chk").ZOrder());
}

}  // namespace
}  // namespace hlreports
