// Values and the events they fire: option groups, check boxes, texts, dates, grid combos,
// grids with multiple selection, tab controls and scroll bars.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/ExpectComError.h"
#include "ui/Form.h"

namespace hlreports {
namespace {

using test::RaisesComError;
using Events = std::vector<std::string>;

void Record(Events& events, Control& control) {
    const std::string name = control.DisplayName();
    control.handlers.click = [&events, name] { events.push_back("click " + name); };
    control.handlers.change = [&events, name] { events.push_back("change " + name); };
    control.handlers.rowPicked = [&events, name] { events.push_back("picked " + name); };
}

// Selecting an option clears the others of its own container only, and clicks it once.
TEST(ControlEvents, OptionGroupsPerContainer) {
    Form form("frmX");
    Events events;
    Control& sort = form.Add(ControlKind::Frame, "fraSortOpts");
    Control& show = form.Add(ControlKind::Frame, "fraShowOpts");
    Control& sort1 = form.Add(ControlKind::OptionButton, "optSort1").SetContainer(sort);
    Control& sort2 = form.Add(ControlKind::OptionButton, "optSort2").SetContainer(sort);
    Control& show1 = form.Add(ControlKind::OptionButton, "optShow1").SetContainer(show);
    Control& loose = form.Add(ControlKind::OptionButton, "optLoose");
    for (Control* option : {&sort1, &sort2, &show1, &loose}) {
        Record(events, *option);
    }
    sort1.SetValue(true);
    show1.SetValue(true);
    loose.SetValue(true);
    sort2.Click();
    sort2.Click();                  // already selected: nothing
    sort2.SetValue(Variant(true));  // the same
    EXPECT_EQ(events,
              (Events{"click optSort1", "click optShow1", "click optLoose", "click optSort2"}));
    EXPECT_FALSE(sort1.IsChecked());
    EXPECT_TRUE(sort2.IsChecked());
    EXPECT_TRUE(show1.IsChecked());
    EXPECT_TRUE(loose.IsChecked());
    sort2.SetValue(false);  // clearing fires nothing and selects nothing else
    EXPECT_FALSE(sort1.IsChecked());
    EXPECT_EQ(events.size(), 4u);
}

// A check box clicks when its value changes, by code or by the user; 0, 1, 2 only.
TEST(ControlEvents, CheckBoxValueAndClick) {
    Form form("frmX");
    Events events;
    Control& check = form.Add(ControlKind::CheckBox, "chk1");
    Record(events, check);
    check.SetValue(Variant::Integer(1));
    check.SetValue(Variant(int32_t{1}));
    check.Click();
    check.SetValue(Variant::Integer(vbGrayed));
    check.Click();
    EXPECT_EQ(events, Events(4, "click chk1"));
    EXPECT_EQ(check.Value().ToLong(), vbUnchecked);  // a click clears a grayed box
    EXPECT_TRUE(RaisesComError([&] { check.SetValue(Variant(int32_t{3})); }, 380, "HLReports",
                               "Invalid property value: a check box takes 0, 1 or 2, not 3 "
                               "(control 'chk1' of form 'frmX')"));
    EXPECT_TRUE(RaisesComError([&] { check.SetText("x"); }, 380));
}

// Text and date changes fire Change only when the shown text or date really changes.
TEST(ControlEvents, ChangeFiresOnRealChanges) {
    Form form("frmX");
    Events events;
    Control& text = form.Add(ControlKind::TextBox, "txtA");
    Control& date = form.Add(ControlKind::DatePicker, "dtpFrom");
    Record(events, text);
    Record(events, date);
    text.SetText("1.00");
    text.SetText("1.00");
    text.SetValue(Variant(2.5));
    date.SetValue(Variant(Date::FromYmd(2024, 1, 31)));
    date.SetValue(Variant(Date::FromYmd(2024, 1, 31)));
    date.SetText("2/1/2024");
    EXPECT_EQ(events, (Events{"change txtA", "change txtA", "change dtpFrom", "change dtpFrom"}));
    EXPECT_EQ(text.Text(), "2.5");
    EXPECT_EQ(date.Value().ToDate(), Date::FromYmd(2024, 2, 1));
    EXPECT_EQ(date.Text(), "2/1/2024");
    EXPECT_TRUE(RaisesComError([&] { date.SetText("not a date"); }, 13));
    EXPECT_TRUE(RaisesComError([&] { form.Add(ControlKind::Label, "lbl").SetValue(1); }, 380));
}

// A grid combo's value is its value column, its text the display column; free text stands alone.
TEST(ControlEvents, GridComboValueAndText) {
    Form form("frmX");
    Events events;
    Control& combo = form.Add(ControlKind::GridCombo, "cboTLUnitStart");
    combo.SetColumns({{"SortOrder", "SortOrder"}, {"Unit", "Unit"}}).SetDisplayColumn(1);
    combo.AddItem("10\t101").AddItem("20\t102").AddItem("30\t102");
    Record(events, combo);

    combo.SetValue("20");
    EXPECT_EQ(combo.Text(), "102");
    EXPECT_EQ(combo.SelectedRow(), 1);
    combo.SetText("102");  // typed text picks the first row showing it
    EXPECT_EQ(combo.Value().ToString(), "20");
    combo.SetText("999");
    EXPECT_EQ(combo.Value().ToString(), "999");
    EXPECT_EQ(combo.SelectedRow(), -1);
    combo.SetSelectedRow(2);
    EXPECT_EQ(combo.Value().ToString(), "30");
    EXPECT_EQ(combo.Text(), "102");
    combo.PickRow(0);
    EXPECT_EQ(combo.Value().ToString(), "10");
    combo.SetValueColumn(1);
    EXPECT_EQ(combo.Value().ToString(), "101");
    EXPECT_EQ(combo.List().ColumnIndex("unit"), 1);
    EXPECT_EQ(combo.List().Column(1).caption, "Unit");
    combo.ClearList();
    EXPECT_EQ(combo.Text(), "");
    EXPECT_EQ(combo.Value().ToString(), "");
    EXPECT_EQ(combo.List().RowCount(), 0);
    EXPECT_EQ(events,
              (Events{"change cboTLUnitStart", "change cboTLUnitStart", "change cboTLUnitStart",
                      "change cboTLUnitStart", "picked cboTLUnitStart", "change cboTLUnitStart"}));
    EXPECT_TRUE(RaisesComError([&] { combo.PickRow(0); }, 380, "HLReports",
                               "Invalid property value: row 0 does not exist (0 rows) (control "
                               "'cboTLUnitStart' of form 'frmX')"));
}

// A picked row changes the text before RowPicked runs, so the handler reads the new value.
TEST(ControlEvents, RowPickedSeesTheNewValue) {
    Form form("frmX");
    Control& combo = form.Add(ControlKind::GridCombo, "cboCombo", 0);
    combo.AddItem("1/5/2024\t1/5/2024").AddItem("Prints All Unit Types\t");
    std::string seen;
    combo.handlers.rowPicked = [&] { seen = combo.Value().ToString() + "|" + combo.Text(); };
    combo.SetDroppedDown(true);
    combo.PickRow(1);
    EXPECT_EQ(seen, "Prints All Unit Types|Prints All Unit Types");
    EXPECT_FALSE(combo.IsDroppedDown());
    EXPECT_EQ(combo.List().Cell(1, 1), "");
    EXPECT_EQ(combo.List().ColumnCount(), 2);
}

// A multi-select grid keeps its bookmarks in selection order without repeats.
TEST(ControlEvents, MultiSelectGrid) {
    Form form("frmX");
    Control& grid = form.Add(ControlKind::Grid, "grdDBList");
    grid.AddItem("P1\tP1\tOak").AddItem("P2\tP2\tElm").AddItem("P3\tP3\tAsh");
    grid.SetRowSelection(RowSelectionKind::Multiple);
    grid.SelectRow(2).SelectRow(0).SelectRow(2);
    EXPECT_EQ(grid.SelectedRows(), (std::vector<int>{2, 0}));
    grid.PickRow(1);
    EXPECT_EQ(grid.SelectedRows(), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(grid.SelectedRow(), 1);
    EXPECT_EQ(grid.Value().ToString(), "P2");
    grid.DeselectRow(0);
    EXPECT_FALSE(grid.IsRowSelected(0));
    grid.SetRowSelection(RowSelectionKind::Single);
    EXPECT_EQ(grid.SelectedRows(), (std::vector<int>{2}));
    grid.PickRow(0);
    EXPECT_EQ(grid.SelectedRows(), (std::vector<int>{0}));
    grid.ClearList();
    EXPECT_TRUE(grid.SelectedRows().empty());
    EXPECT_EQ(grid.SelectedRow(), -1);
    EXPECT_TRUE(RaisesComError([&] { grid.SelectRow(0); }, 380));
}

// Tab controls report the previous tab; scroll bars keep their value inside the range.
TEST(ControlEvents, TabsAndScrollBars) {
    Form form("frmX");
    Control& tabs = form.Add(ControlKind::TabControl, "tabTransLedg");
    tabs.SetTabCaptions({"By Unit", "By Resident"});
    std::vector<int> previous;
    tabs.handlers.tabChange = [&](int tab) { previous.push_back(tab); };
    tabs.SetSelectedTab(1).SetSelectedTab(1).SetSelectedTab(0);
    EXPECT_EQ(previous, (std::vector<int>{0, 1}));
    EXPECT_TRUE(RaisesComError([&] { tabs.SetSelectedTab(2); }, 380));

    Control& scroll = form.Add(ControlKind::ScrollBar, "vsScroll");
    int changes = 0;
    scroll.handlers.change = [&] { ++changes; };
    scroll.SetRange(0, 900).SetValue(600);
    scroll.SetRange(0, 300);  // the value follows the shrinking range
    EXPECT_EQ(scroll.Value().ToLong(), 300);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(RaisesComError([&] { scroll.SetValue(301); }, 380));
    EXPECT_TRUE(RaisesComError([&] { form.Add(ControlKind::TextBox, "t").SetRange(0, 1); }, 380,
                               "HLReports",
                               "Invalid property value: a range belongs to a ScrollBar, not to a "
                               "TextBox (control 't' of form 'frmX')"));
}

// A handler may remove its own control (and the callback it runs from) safely.
TEST(ControlEvents, HandlerRemovesItsControl) {
    Form form("frmX");
    Control& button = form.Add(ControlKind::CommandButton, "btnList0");
    std::string captured = "kept alive by the copy";
    button.handlers.click = [&form, captured] {
        form.Remove("btnList0");
        EXPECT_EQ(captured, "kept alive by the copy");
    };
    button.Click();
    EXPECT_EQ(form.Find("btnList0"), nullptr);
}

}  // namespace
}  // namespace hlreports
