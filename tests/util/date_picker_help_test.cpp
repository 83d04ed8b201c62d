// The date picker under its box (click, Escape, position) and the help pages (topic, index,
// nothing installed).
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "runtime/Session.h"
#include "support/TempDir.h"
#include "ui/AnswerFile.h"
#include "ui/Form.h"
#include "ui/ScriptedUi.h"
#include "util/DatePicker.h"
#include "util/HelpUtils.h"

namespace hlreports::test {
namespace {

class PickerHelpTest : public ::testing::Test {
  protected:
    std::ostringstream messages;
    std::shared_ptr<ScriptedUi> Answers(const std::string& json) {
        auto ui = std::make_shared<ScriptedUi>(AnswerFile::Parse(json, "t"), messages);
        TheSession().ui = ui;
        return ui;
    }
    void SetUp() override { ResetSession(); }
    void TearDown() override {
        unsetenv("HLREPORTS_HELP_DIR");
        ResetSession();
    }
};

// A date click returns that date; Escape returns the box's date, or today when the box holds
// no date; the picker opens under the box, in screen twips through every container.
TEST_F(PickerHelpTest, DatePickerUnderItsBox) {
    Form host("frmHost");
    host.Move(1000, 2000, 9000, 6000);
    Control& frame = host.Add(ControlKind::Frame, "fra").Move(100, 200, 5000, 3000);
    Control& box =
        host.Add(ControlKind::TextBox, "DateBox0").SetContainer(frame).Move(300, 400, 1500, 315);
    const struct {
        const char* text;
        const char* answers;
        Date expected;
    } cases[] = {
        {"1/31/2024", R"([["set", "MonthView1", "2024-02-15"], ["click", "MonthView1"]])",
         *Date::Parse("2024-02-15")},
        {"1/31/2024", R"([["key", 27]])", *Date::Parse("2024-01-31")},
        {"no date", R"([["key", 27]])", Date::Today()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Answers(std::string(R"({"dialogs": [{"caption": "Select a Date", "do": )") + c.answers +
                "}]}");
        EXPECT_EQ(basShowDatePicker(c.text, box), c.expected);
    }
    // The position: shown through a driver that only looks.
    struct LookingUi : RecordingUi {
        int32_t left = 0, top = 0;
        void ShowModal(Form& form) override {
            left = form.Left();
            top = form.Top();
        }
    };
    auto looking = std::make_shared<LookingUi>();
    TheSession().ui = looking;
    basShowDatePicker("1/31/2024", box);
    EXPECT_EQ(looking->left, 1000 + 100 + 300);
    EXPECT_EQ(looking->top, 2000 + 200 + 400 + 315);
}

// The topic page of a context number, the index when the topic is missing, and a message naming
// the folder when there are no help pages at all; the scripted driver writes what it opened.
TEST_F(PickerHelpTest, HelpPagesFallBackToTheIndex) {
    TempDir folder;
    setenv("HLREPORTS_HELP_DIR", folder.Path().c_str(), 1);
    auto ui = Answers(R"({"dialogs": []})");
    basShowHelp(7);
    ASSERT_TRUE(ui->HelpPages().empty());
    ASSERT_EQ(ui->Messages().size(), 1U);
    EXPECT_EQ(ui->Messages()[0].title, "Hearthline");
    EXPECT_NE(ui->Messages()[0].text.find(folder.Path().string()), std::string::npos);
    folder.WriteFile("index.html", "<p>index</p>");
    folder.WriteFile("context-7.html", "<p>seven</p>");
    basShowHelp(7);
    basShowHelp(8);
    ASSERT_EQ(ui->HelpPages().size(), 2U);
    EXPECT_EQ(ui->HelpPages()[0], folder.Path() / "context-7.html");
    EXPECT_EQ(ui->HelpPages()[1], folder.Path() / "index.html");
    EXPECT_NE(messages.str().find("help: " + (folder.Path() / "index.html").string()),
              std::string::npos);
}

// The shipped pages hold the index and the list picker's topic.
TEST_F(PickerHelpTest, ShippedPagesExist) {
    EXPECT_TRUE(std::filesystem::is_regular_file(HelpFolder() / "index.html"));
    EXPECT_TRUE(std::filesystem::is_regular_file(HelpFolder() / "context-5500.html"));
}

}  // namespace
}  // namespace hlreports::test
