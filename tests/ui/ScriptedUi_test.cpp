// Playing answer files: a whole dialog answered as a user would, and every playing error.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "runtime/ExpectComError.h"
#include "runtime/Session.h"
#include "ui/SampleDialog.h"
#include "ui/ScriptedUi.h"

namespace hlreports {
namespace {

using test::GridDialog;
using test::RaisesComError;
using test::SampleDialog;

class ScriptedUiTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetSession(); }
    void TearDown() override { ResetSession(); }

    ScriptedUi& Install(std::string_view json) {
        auto ui = std::make_shared<ScriptedUi>(AnswerFile::Parse(json, "answers.json"), messages);
        TheSession().ui = ui;
        return *ui;
    }

    std::ostringstream messages;
};

// A full dialog: dates in both notations, an option, a check box, a picked row whose handler
// fills the second list, a row by index, typed text, Enter as Tab, and Preview closing it.
TEST_F(ScriptedUiTest, PlaysADialogLikeAUser) {
    ScriptedUi& ui = Install(R"js({"dialogs": [{"caption": "Sample Criteria", "do": [
        ["set", "datDate1", "2024-01-01"], ["key", 13],
        ["set", "datDate2", "1/31/2024"], ["click", "optSort2"], ["set", "chk1", true],
        ["pick", "cboCombo(0)", "1/12/2024"], ["set", "cboCombo(1)", "#1"],
        ["set", "txtAmount", 12.5], ["click", "cmdPreview"]]}]})js");
    SampleDialog dialog;
    bool datDate2HadFocus = false;
    dialog.Get("datDate2").handlers.gotFocus = [&] { datDate2HadFocus = true; };
    dialog.ShowModal();
    EXPECT_TRUE(dialog.result);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_TRUE(datDate2HadFocus);
    EXPECT_EQ(dialog.Get("datDate1").Value().ToDate(), Date::FromYmd(2024, 1, 1));
    EXPECT_EQ(dialog.Get("datDate2").Value().ToDate(), Date::FromYmd(2024, 1, 31));
    EXPECT_TRUE(dialog.Get("optSort2").IsChecked());
    EXPECT_FALSE(dialog.Get("optSort1").IsChecked());
    EXPECT_EQ(dialog.Get("chk1").Value().ToLong(), 1);
    EXPECT_EQ(dialog.Get("cboCombo", 0).Value().ToString(), "1/12/2024");
    EXPECT_EQ(dialog.Get("cboCombo", 1).Value().ToString(), "B2");
    EXPECT_EQ(dialog.Get("txtAmount").Text(), "12.5");
    EXPECT_EQ(ui.DialogsLeft(), 0u);
    EXPECT_EQ(messages.str(), "");
}

// A refused validation drops the click exactly as a user's; the message goes out as
// "title: text"; Cancel, which does not validate, still closes.
TEST_F(ScriptedUiTest, ValidationRefusalDropsTheClick) {
    ScriptedUi& ui = Install(R"js({"dialogs": [{"do": [
        ["click", "cmdPreview"], ["set", "txtAmount", "abc"], ["click", "cmdPreview"],
        ["click", "cmdCancel"]]}]})js");
    SampleDialog dialog;
    dialog.ShowModal();
    EXPECT_FALSE(dialog.result);
    EXPECT_EQ(messages.str(),
              "HLS-Reports: You must select a date.\nHearthline: Please enter a number.\n");
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[1].title, "Hearthline");
    EXPECT_EQ(ui.Messages()[1].text, "Please enter a number.");
}

// A button that opens another modal dialog takes the next entry in the middle of its own.
TEST_F(ScriptedUiTest, NestedDialogTakesTheNextEntry) {
    Install(R"js({"dialogs": [
        {"caption": "Sample Criteria", "do": [["click", "cmdPreview"],
                                               ["pick", "cboCombo(0)", "#0"], ["click", "cmdPreview"]]},
        {"caption": "Pick Residents", "do": [["tab", "tabPages", "by resident"],
                                              ["pick", "grdResident", "R3", "#0"], ["close"]]}]})js");
    SampleDialog dialog;
    GridDialog picker;
    dialog.Get("cmdPreview").handlers.click = [&,
                                               original = dialog.Get("cmdPreview").handlers.click] {
        if (picker.IsLoaded()) {
            picker.ShowModal();
            return;
        }
        original();
    };
    dialog.ShowModal();
    EXPECT_TRUE(dialog.result);
    EXPECT_EQ(picker.Get("grdResident").SelectedRows(), (std::vector<int>{2, 0}));
    EXPECT_EQ(picker.events,
              (std::vector<std::string>{"tab from 0", "picked 2", "picked 0", "unload"}));
}

// Every playing error names the dialog and what was wrong, and the dialog ends hidden.
TEST_F(ScriptedUiTest, PlayingErrors) {
    struct Row {
        const char* actions;
        int32_t number;
        const char* text;
    };
    const Row rows[] = {
        {R"js([["click", "cmdPrint"]])js", 20609,
         "dialog 'Sample Criteria' has no control 'cmdPrint'"},
        {R"js([["set", "datDate1", "2024-02-30"]])js", 20610,
         "dialog 'Sample Criteria': control 'datDate1' cannot take \"2024-02-30\": it is not a "
         "date (write 2024-01-31 or 1/31/2024)"},
        {R"js([["set", "datDate1", 20240101]])js", 20610,
         "dialog 'Sample Criteria': control 'datDate1' cannot take 20240101: it is not a date "
         "(write 2024-01-31 or 1/31/2024)"},
        {R"js([["set", "chk1", 2]])js", 20610,
         "dialog 'Sample Criteria': control 'chk1' cannot take 2: a check box takes 0, 1, true or "
         "false"},
        {R"js([["set", "optSort2", false]])js", 20610,
         "dialog 'Sample Criteria': control 'optSort2' cannot take False: an option button is set "
         "with true; choosing another one clears it"},
        {R"js([["pick", "cboCombo(0)", "2/2/2024"]])js", 20610,
         "dialog 'Sample Criteria': control 'cboCombo(0)' has no row \"2/2/2024\" in its value "
         "column 0"},
        {R"js([["set", "cboCombo(0)", "#3"]])js", 20610,
         "dialog 'Sample Criteria': control 'cboCombo(0)' has no row #3 (3 rows)"},
        {R"js([["pick", "cboCombo(0)", "#0", "#1"]])js", 20611,
         "dialog 'Sample Criteria': control 'cboCombo(0)' takes one row, not 2 (action "
         "[\"pick\",\"cboCombo(0)\",\"#0\",\"#1\"])"},
        {R"js([["set", "datDate3", "2024-01-01"]])js", 20611,
         "dialog 'Sample Criteria': control 'datDate3' is hidden (action "
         "[\"set\",\"datDate3\",\"2024-01-01\"])"},
        {R"js([["pick", "cboCombo(1)", "#0"]])js", 20611,
         "dialog 'Sample Criteria': control 'cboCombo(1)' is disabled (action "
         "[\"pick\",\"cboCombo(1)\",\"#0\"])"},
        {R"js([["set", "lblDate1", "x"]])js", 20611,
         "dialog 'Sample Criteria': control 'lblDate1' is a Label, which cannot be set (action "
         "[\"set\",\"lblDate1\",\"x\"])"},
        {R"js([["focus", "fraSortOpts"]])js", 20611,
         "dialog 'Sample Criteria': control 'fraSortOpts' is a Frame, which cannot take the focus "
         "(action [\"focus\",\"fraSortOpts\"])"},
        {R"js([["tab", "chk1", 0]])js", 20611,
         "dialog 'Sample Criteria': control 'chk1' is a CheckBox, which has no tabs (action "
         "[\"tab\",\"chk1\",0])"},
        {R"js([["set", "chk1", 1]])js", 20607,
         "dialog 'Sample Criteria' is still open after its answers"},
        {R"js([["click", "cmdCancel"], ["click", "cmdPreview"], ["click", "chk1"]])js", 20608,
         "dialog 'Sample Criteria' closed before its answers were all played: action 2 "
         "[\"click\",\"cmdPreview\"] and 1 more are left"},
    };
    for (const auto& row : rows) {
        Install(std::string(R"js({"dialogs": [{"do": )js") + row.actions + "}]}");
        SampleDialog dialog;
        EXPECT_TRUE(RaisesComError([&] { dialog.ShowModal(); }, row.number, "ScriptedUi", row.text))
            << row.actions;
        EXPECT_FALSE(dialog.IsVisible()) << row.actions;
    }
}

// A rejected action changes nothing: a bad second row leaves the grid's selection as it was.
TEST_F(ScriptedUiTest, RejectedPickChangesNothing) {
    Install(R"js({"dialogs": [{"do": [["tab", "tabPages", 1], ["pick", "grdResident", "R1"],
                                    ["pick", "grdResident", "R2", "R9"]]}]})js");
    GridDialog picker;
    EXPECT_TRUE(RaisesComError([&] { picker.ShowModal(); }, 20610, "ScriptedUi"));
    EXPECT_EQ(picker.Get("grdResident").SelectedRows(), (std::vector<int>{0}));
}

// Dialogs are answered in order: a caption that differs, or one dialog too many, is an error.
TEST_F(ScriptedUiTest, EntriesMatchTheDialogsThatOpen) {
    ScriptedUi& ui =
        Install(R"js({"dialogs": [{"caption": "Sample Criteria", "do": [["click", "cmdCancel"]]},
                                             {"caption": "Report Criteria", "do": []}]})js");
    SampleDialog first;
    first.ShowModal();
    SampleDialog second;
    EXPECT_TRUE(RaisesComError([&] { second.ShowModal(); }, 20606, "ScriptedUi",
                               "dialog 'Sample Criteria' opened where answer file 'answers.json' "
                               "expects 'Report Criteria' (dialog 2)"));
    EXPECT_FALSE(second.IsVisible());
    EXPECT_EQ(ui.DialogsLeft(), 0u);
    GridDialog third;
    EXPECT_TRUE(RaisesComError([&] { third.ShowModal(); }, 20605, "ScriptedUi",
                               "dialog 'Pick Residents' opened, but answer file 'answers.json' has "
                               "no answers left for it (2 dialogs answered)"));
}

// Message boxes go out as "title: text", the default title standing in for an empty one.
TEST_F(ScriptedUiTest, MessageBoxLines) {
    ScriptedUi& ui = Install(R"js({"dialogs": []})js");
    EXPECT_EQ(TheUi().MsgBox("You must select a date.", vbOKOnly, "HLS-Reports"), vbOK);
    EXPECT_EQ(TheUi().MsgBox("Line one\nline two", vbYesNo, ""), vbYes);
    EXPECT_EQ(messages.str(),
              "HLS-Reports: You must select a date.\nHLReports: Line one\nline two\n");
    EXPECT_EQ(ui.Messages().size(), 2u);
}

}  // namespace
}  // namespace hlreports
