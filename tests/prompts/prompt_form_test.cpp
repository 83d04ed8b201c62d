// frmBlankCriteria with the line adder and the saver: every line kind's controls, captions, sizes
// and tab order; a whole answer file reaching every prompt; the property/unit interlock and its
// messages; validation; Cancel; a report with more prompts than the form holds.
#include <gtest/gtest.h>

#include "prompts/PromptsFixture.h"
#include "prompts/frmBlankCriteria.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

const char* EveryLineKind =
    "<parameter name=\"QZPROMPT(Intro)\" prompt=\"Pick the properties.\" type=\"11\"/>"
    "<parameter name=\"QZLIST(Property Selection)\" type=\"11\" multi=\"true\"/>"
    "<parameter name=\"QZLIST(Unit Selection)\" type=\"11\" multi=\"true\"/>"
    "<parameter name=\"Amount_Due\" type=\"7\"/>"
    "<parameter name=\"@Rent\" prompt=\"Rent_Between\" type=\"8\" range=\"true\"/>"
    "<parameter name=\"Include_Notice\" type=\"9\"/>"
    "<parameter name=\"QZPREFILL(Start_Date)\" type=\"10\"/>"
    "<parameter name=\"HLPROPERTYPERIODENDDATE(Period_End)\" type=\"10\"/>"
    "<parameter name=\"Sort_By\" type=\"11\"><default>Unit</default><default>Name</default>"
    "</parameter>";

class PromptFormTest : public PromptsTest {
  protected:
    std::shared_ptr<CoreReport> report;
    frmBlankCriteria form;

    void Build(const std::string& parameters = EveryLineKind) {
        report = LoadReport(parameters, PropertyFormula());
        if (auto sortBy = FindParameter("Sort_By")) {
            sortBy->SetCurrentValue(Variant("Name"));
        }
        TheSession().settings.periodEndDate = *Date::Parse("2024-02-28");
        ASSERT_TRUE(form.SetParams(report->Parameters(), report, "OAK", "Custom"));
    }
    std::shared_ptr<CoreParameter> FindParameter(const std::string& name) {
        for (const auto& parameter : report->Parameters()) {
            if (parameter->Name() == name) {
                return parameter;
            }
        }
        return nullptr;
    }
    std::vector<Variant> Values(const std::string& name) {
        std::vector<Variant> values;
        for (const auto& value : FindParameter(name)->CurrentValues()) {
            values.push_back(value.start);
            if (value.isRange) {
                values.push_back(value.end);
            }
        }
        return values;
    }
    void Play(const std::string& json) {
        UseAnswers(json);
        form.ShowModal();
    }
    std::vector<std::string> MessageTexts() {
        std::vector<std::string> texts;
        for (const auto& message : dynamic_cast<RecordingUi&>(TheUi()).Messages()) {
            texts.push_back(message.title + ": " + message.text);
        }
        return texts;
    }
};

// Each line kind makes its controls with their names, kinds, captions, sizes, positions and
// tab indexes; the buttons follow the prompts in tab order.
TEST_F(PromptFormTest, LineKindsAndTabOrder) {
    Build();
    const struct {
        const char* name;
        ControlKind kind;
        const char* caption;
        int32_t left, top, width, height;
        int tabIndex;  // -1: not checked
    } cases[] = {
        {"Label0Dot0", ControlKind::Label, "Pick the properties.", 300, 250, 8220, 195, -1},
        {"Label1Dot0", ControlKind::Label, "Property Selection", 300, 731, 2700, 195, -1},
        {"txtListText0", ControlKind::TextBox, "", 3200, 671, 1200, 315, 0},
        {"btnList0", ControlKind::CommandButton, "List...", 4600, 671, 855, 315, 1},
        {"Label1Dot1", ControlKind::Label, "Name Oak Terrace", 3200, 1060, 0, 195, -1},
        {"txtListText1", ControlKind::TextBox, "", 3200, 1331, 1200, 315, 2},
        {"btnList1", ControlKind::CommandButton, "List...", 4600, 1331, 855, 315, 3},
        {"Label3Dot0", ControlKind::Label, "Amount Due", 300, 2051, 2700, 195, -1},
        {"Data3Dot0", ControlKind::TextBox, "", 3200, 1990, 1500, 315, 4},
        {"Label4Dot0", ControlKind::Label, "Rent Between", 300, 2601, 2700, 195, -1},
        {"Data4Dot0", ControlKind::TextBox, "", 3200, 2541, 1500, 315, 5},
        {"Label4Dot1", ControlKind::Label, "To", 4900, 2601, 180, 195, -1},
        {"Data4Dot1", ControlKind::TextBox, "", 5280, 2541, 1500, 315, 6},
        {"Data5Dot0", ControlKind::CheckBox, "", 3200, 2930, 1500, 315, 7},
        {"Label6Dot0", ControlKind::Label, "Start Date", 300, 3581, 2700, 195, -1},
        {"DateBox0", ControlKind::TextBox, "", 3200, 3520, 1500, 315, 8},
        {"Calendar0", ControlKind::CommandButton, "", 4800, 3440, 495, 495, -1},
        {"DateBox1", ControlKind::TextBox, "", 3200, 4110, 1500, 315, 9},
        {"Data8Dot0", ControlKind::ComboBox, "", 3200, 4660, 860, 315, 10},
        {"btnPrint", ControlKind::CommandButton, "&Print", -1, -1, -1, -1, 11},
        {"btnPreview", ControlKind::CommandButton, "P&review", -1, -1, -1, -1, 12},
        {"btnCancel", ControlKind::CommandButton, "&Cancel", -1, -1, -1, -1, 13},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Control& control = form.Get(c.name);
        EXPECT_EQ(control.Kind(), c.kind);
        EXPECT_EQ(control.Caption(), c.caption);
        EXPECT_TRUE(control.IsVisible());
        if (c.left >= 0) {
            EXPECT_EQ(control.Left(), c.left);
            EXPECT_EQ(control.Top(), c.top);
            EXPECT_EQ(control.Width(), c.width);
            EXPECT_EQ(control.Height(), c.height);
            EXPECT_EQ(control.Container(), &form.Get("pbScrolled"));
        }
        if (c.tabIndex >= 0) {
            EXPECT_EQ(control.TabIndex(), c.tabIndex);
        }
    }
    EXPECT_EQ(form.LineCount(), 9);
    EXPECT_EQ(form.Get("txtListText0").Text(), "OAK");    // the property list starts with it
    EXPECT_EQ(form.Get("DateBox1").Text(), "2/29/2024");  // the period end of a leap February
    EXPECT_EQ(form.Get("Data8Dot0").Text(), "Name");
    EXPECT_EQ(form.Get("Data8Dot0").List().RowCount(), 2);
    EXPECT_FALSE(form.Get("txtListText2").IsVisible());
    EXPECT_FALSE(form.Get("DateBox2").IsVisible());
    // 5210 twips of lines do not fit the 5055 high frame: the vertical bar scrolls them.
    EXPECT_TRUE(form.Get("vsScroll").IsVisible());
    EXPECT_EQ(form.Get("vsScroll").Max(), 5210 - 5055 + 75 + 255);
    EXPECT_FALSE(form.Get("hsScroll").IsVisible());
    // Each line's input answers to the parameter's name.
    EXPECT_EQ(form.Find("{?Amount_Due}"), &form.Get("Data3Dot0"));
    EXPECT_EQ(form.Find("{?@Rent}(1)"), &form.Get("Data4Dot1"));
    EXPECT_EQ(form.Find("{?qzlist(unit selection)}(1)"), &form.Get("btnList1"));
    EXPECT_EQ(form.Find("{?QZPREFILL(Start_Date)}(1)"), &form.Get("Calendar0"));
}

// One answer file reaches every prompt by parameter name, the pickers by rows and buttons and
// the calendar by its button; Preview saves each value by its type.
TEST_F(PromptFormTest, AnswerFileReachesEveryPrompt) {
    Build();
    Play(R"js({"dialogs": [
      {"caption": "Report Criteria", "do": [
        ["click", "{?QZLIST(Property Selection)}(1)"],
        ["click", "{?QZLIST(Unit Selection)}(1)"],
        ["set", "{?Amount_Due}", "12.5"],
        ["set", "{?@Rent}", "500"], ["set", "{?@Rent}(1)", 900],
        ["click", "{?Include_Notice}"],
        ["set", "{?QZPREFILL(Start_Date)}", "010224"],
        ["click", "{?HLPROPERTYPERIODENDDATE(Period_End)}(1)"],
        ["set", "{?Sort_By}", "Unit"],
        ["click", "btnPreview"]]},
      {"caption": "Property Selection", "do": [["pick", "grdDBList", "OAK", "PINE"],
                                               ["click", "btnOK"]]},
      {"caption": "Unit Selection", "do": [["click", "btnAll"], ["click", "btnOK"]]},
      {"caption": "Select a Date", "do": [["set", "MonthView1", "2024-03-15"],
                                          ["click", "MonthView1"]]}]})js");
    EXPECT_TRUE(form.Result());
    EXPECT_TRUE(MessageTexts().empty()) << MessageTexts().front();
    EXPECT_EQ(Values("QZPROMPT(Intro)"), std::vector<Variant>{Variant("  ")});
    EXPECT_EQ(Values("QZLIST(Property Selection)"),
              (std::vector<Variant>{Variant("OAK"), Variant("PINE")}));
    EXPECT_EQ(Values("QZLIST(Unit Selection)"), std::vector<Variant>{Variant("")});
    EXPECT_EQ(Values("Amount_Due"), std::vector<Variant>{Variant(12.5)});
    EXPECT_EQ(Values("@Rent"), (std::vector<Variant>{Variant(500.0), Variant(900.0)}));
    EXPECT_EQ(Values("Include_Notice"), std::vector<Variant>{Variant(true)});
    EXPECT_EQ(Values("QZPREFILL(Start_Date)"),
              std::vector<Variant>{Variant(*Date::Parse("2024-01-02"))});
    EXPECT_EQ(Values("HLPROPERTYPERIODENDDATE(Period_End)"),
              std::vector<Variant>{Variant(*Date::Parse("2024-03-15"))});
    EXPECT_EQ(Values("Sort_By"), std::vector<Variant>{Variant("Unit")});
    EXPECT_EQ(LastUnitListArgument(), "'OAK','PINE'");
}

// The interlock's three messages: a unit list before any property; a property the user may not
// see; units dropped by a property change block Preview until the unit box is cleared.
TEST_F(PromptFormTest, PropertyUnitInterlock) {
    Build();
    Play(R"js({"dialogs": [
      {"do": [
        ["set", "txtListText0", ""],
        ["click", "btnList1"],
        ["set", "txtListText0", "CEDAR"],
        ["focus", "txtListText1"],
        ["set", "txtListText0", "pine"],
        ["set", "txtListText1", "A01"],
        ["set", "txtListText0", "OAK"],
        ["focus", "Data3Dot0"],
        ["click", "btnPreview"],
        ["set", "txtListText1", ""],
        ["click", "btnPreview"]]}]})js");
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{
                  "Hearthline: Property field is blank. Select a Property before selecting a Unit.",
                  "Hearthline: Property Selection is invalid or the necessary security permissions "
                  "are not available.",
                  "Hearthline: Property Selection changed.  Units must be reselected, or to "
                  "report on all units, clear the Unit Selection field."}));
    EXPECT_TRUE(form.Result());
    EXPECT_EQ(Values("QZLIST(Property Selection)"), std::vector<Variant>{Variant("OAK")});
    EXPECT_EQ(Values("QZLIST(Unit Selection)"), std::vector<Variant>{Variant("")});
}

// Validation stops at the first bad answer with its message and keeps the form open; Print has
// sent the request to the printer even when the answers were refused.
TEST_F(PromptFormTest, ValidationMessages) {
    Build();
    Play(R"js({"dialogs": [
      {"do": [
        ["set", "{?Amount_Due}", "twelve"],
        ["click", "btnPrint"],
        ["set", "{?Amount_Due}", ""],
        ["set", "{?Sort_By}", "Size"],
        ["click", "btnPreview"],
        ["set", "{?Sort_By}", "Unit"],
        ["set", "{?QZPREFILL(Start_Date)}", "13/45/2024"],
        ["click", "btnPreview"],
        ["set", "{?QZPREFILL(Start_Date)}", "2/1/24"],
        ["click", "btnPreview"]]}]})js");
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Hearthline: Please enter a number.",
                                        "Hearthline: Please select a value from the list.",
                                        "Hearthline: You must enter a valid date."}));
    EXPECT_EQ(TheSession().settings.destination, irToPrinter);
    EXPECT_TRUE(form.Result());
    EXPECT_EQ(Values("Amount_Due"), std::vector<Variant>{Variant(0.0)});
    EXPECT_EQ(Values("QZPREFILL(Start_Date)"),
              std::vector<Variant>{Variant(*Date::Parse("2024-02-01"))});
}

// Cancel (and the close box) hides the form with Result false, 20545 pending, the prompt area
// reset and no parameter touched.
TEST_F(PromptFormTest, CancelLeaves20545) {
    for (const char* action : {R"(["click", "btnCancel"])", R"(["close"])"}) {
        SCOPED_TRACE(action);
        frmBlankCriteria cancelled;
        report = LoadReport(EveryLineKind, PropertyFormula());
        cancelled.SetParams(report->Parameters(), report, "OAK", "Custom");
        UseAnswers(std::string(R"({"dialogs": [{"do": [["set", "{?Amount_Due}", "5"], )") + action +
                   "]}]}");
        cancelled.ShowModal();
        EXPECT_FALSE(cancelled.Result());
        EXPECT_EQ(Err().Number(), 20545);
        EXPECT_EQ(cancelled.Find("Data3Dot0"), nullptr);
        EXPECT_FALSE(cancelled.Get("txtListText0").IsVisible());
        EXPECT_FALSE(FindParameter("Amount_Due")->HasCurrentValue());
    }
}

// More list or date prompts than the form holds: an error naming the parameter, nothing built.
TEST_F(PromptFormTest, TooManyPromptsBuildNothing) {
    std::string lists;
    for (int i = 0; i < 6; ++i) {
        lists += "<parameter name=\"QZLIST(L" + std::to_string(i) + ")\" type=\"11\"/>";
    }
    std::string dates = "<parameter name=\"Span\" type=\"10\" range=\"true\"/>";
    for (int i = 0; i < 4; ++i) {
        dates += "<parameter name=\"D" + std::to_string(i) + "\" type=\"16\"/>";
    }
    const struct {
        std::string parameters;
        const char* description;
    } cases[] = {
        {lists,
         "The prompt form holds at most 5 list prompts; parameter {?QZLIST(L5)} is one "
         "too many"},
        {dates, "The prompt form holds at most 5 date inputs; parameter {?D3} is one too many"},
    };
    for (const auto& c : cases) {
        frmBlankCriteria full;
        report = LoadReport(c.parameters);
        try {
            full.SetParams(report->Parameters(), report, "OAK", "Custom");
            ADD_FAILURE() << "built";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Description(), c.description);
        }
        EXPECT_EQ(full.Find("Label0Dot0"), nullptr);
        EXPECT_FALSE(full.Get("DateBox0").IsVisible());
    }
}

// Refused list SQL stops the build with 3302 carrying the keyword check's text, and nothing
// stays built.
TEST_F(PromptFormTest, RefusedListSqlStopsTheBuild) {
    report = LoadReport(
        "<parameter name=\"Amount\" type=\"7\"/>"
        "<parameter name=\"QZLIST(Owners)\" type=\"11\"/>",
        "<formula name=\"Owners\">\"SELECT a, b FROM t; DROP TABLE t\"</formula>");
    try {
        form.SetParams(report->Parameters(), report, "OAK", "Custom");
        ADD_FAILURE() << "built";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), 3302);
        EXPECT_EQ(error.Description(),
                  " DROP  is not allowed in formula Owners  Command was SELECT a, b FROM t; DROP "
                  "TABLE t");
    }
    EXPECT_EQ(form.Find("Data0Dot0"), nullptr);
}

// A focus move to a line below the viewport scrolls it into view; one already in view does not
// scroll.
TEST_F(PromptFormTest, FocusScrollsIntoView) {
    Build();
    ui->scripts.push_back([&](Form& shown) {
        shown.SetFocus(shown.Get("Data8Dot0"));
        EXPECT_EQ(shown.Get("vsScroll").Value().ToLong(), 4660 + 315 - 4905);
        EXPECT_EQ(shown.Get("pbScrolled").Top(), -(4660 + 315 - 4905));
        shown.SetFocus(shown.Get("txtListText1"));
        EXPECT_EQ(shown.Get("pbScrolled").Top(), -(4660 + 315 - 4905));
        shown.Get("btnCancel").Click();
    });
    form.ShowModal();
}

}  // namespace
}  // namespace hlreports::test
