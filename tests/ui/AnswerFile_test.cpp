// Loading answer files: the parsed actions, and every way a file can be rejected before it plays.
#include <gtest/gtest.h>

#include "runtime/ExpectComError.h"
#include "support/TempDir.h"
#include "ui/AnswerFile.h"

namespace hlreports {
namespace {

using test::RaisesComError;

// Each verb keeps its control, its arguments and its text as written.
TEST(AnswerFile, ParsesEveryAction) {
    const auto file = AnswerFile::Parse(R"js({"comment": "sample", "dialogs": [
        {"caption": "Report Criteria", "do": [
            ["set", "datDate1", "2024-01-01"], ["set", "chk1", true], ["set", "txtAmt", 12],
            ["click", "optSort2"], ["pick", "grdResident", "R1", "#2", 7],
            ["key", 13], ["key", "txtAmt", 9], ["focus", "cboCombo(1)"],
            ["tab", "tabWOSelect", 1], ["tab", "tabWOSelect", "SC Dates"], ["close"]]},
        {"do": []}, {}]})js",
                                        "test");
    EXPECT_EQ(file.Origin(), "test");
    ASSERT_EQ(file.Dialogs().size(), 3u);
    EXPECT_EQ(file.Dialogs()[0].caption, "Report Criteria");
    EXPECT_FALSE(file.Dialogs()[1].caption.has_value());
    EXPECT_TRUE(file.Dialogs()[2].actions.empty());
    const auto& actions = file.Dialogs()[0].actions;
    ASSERT_EQ(actions.size(), 11u);
    EXPECT_EQ(actions[0].verb, AnswerVerb::Set);
    EXPECT_EQ(actions[0].control->name, "datDate1");
    EXPECT_EQ(actions[0].arguments[0], Variant("2024-01-01"));
    EXPECT_EQ(actions[1].arguments[0], Variant(true));
    EXPECT_EQ(actions[2].arguments[0], Variant(int32_t{12}));
    EXPECT_EQ(actions[4].arguments,
              (std::vector<Variant>{Variant("R1"), Variant("#2"), Variant("7")}));
    EXPECT_EQ(actions[5].verb, AnswerVerb::Key);
    EXPECT_FALSE(actions[5].control.has_value());
    EXPECT_EQ(actions[6].control->name, "txtAmt");
    EXPECT_EQ(actions[7].control->index, 1);
    EXPECT_EQ(actions[9].arguments[0], Variant("SC Dates"));
    EXPECT_EQ(actions[10].verb, AnswerVerb::Close);
    EXPECT_EQ(actions[4].written, R"js(["pick","grdResident","R1","#2",7])js");
}

// Text that is no JSON is refused with its line and column.
TEST(AnswerFile, MalformedJsonNamesThePosition) {
    const char* text = "{\"dialogs\": [\n  {\"do\": [[\"click\" \"cmdPreview\"]]}\n]}";
    EXPECT_TRUE(RaisesComError([&] { AnswerFile::Parse(text, "answers.json"); }, 20603,
                               "ScriptedUi",
                               "answer file 'answers.json' is not valid JSON: line 2, column 31: "
                               "syntax error while parsing array - unexpected string literal; "
                               "expected ']'"));
}

// A number beyond a double's range is refused as bad JSON, not let through as a crash.
TEST(AnswerFile, NumberOverflowIsMalformed) {
    EXPECT_TRUE(RaisesComError(
        [] { AnswerFile::Parse(R"js({"dialogs": [{"do": [["key", 1e999]]}]})js", "a.json"); },
        20603, "ScriptedUi",
        "answer file 'a.json' is not valid JSON: number overflow parsing '1e999'"));
}

// JSON that is no answer file is refused with the dialog and action that are wrong.
TEST(AnswerFile, StructureErrorsNameDialogAndAction) {
    struct Row {
        const char* json;
        const char* text;
    };
    const Row rows[] = {
        {R"js([])js", "answer file 'f': the file must hold an object with a \"dialogs\" list"},
        {R"js({"dialog": []})js", "answer file 'f': unknown key \"dialog\""},
        {R"js({"dialogs": [{"captoin": "x"}]})js",
         "answer file 'f', dialog 1: unknown key \"captoin\""},
        {R"js({"dialogs": [{"caption": 3}]})js",
         "answer file 'f', dialog 1: \"caption\" must be a text"},
        {R"js({"dialogs": [{}, {"do": {}}]})js",
         "answer file 'f', dialog 2: \"do\" must be a list of actions"},
        {R"js({"dialogs": [{"do": [["clik", "x"]]}]})js",
         "answer file 'f', dialog 1, action 1: unknown action \"clik\" (known: set, click, pick, "
         "key, keydown, focus, tab, close)"},
        {R"js({"dialogs": [{"do": [["click", "a"], "click"]}]})js",
         "answer file 'f', dialog 1, action 2: an action must be a list that starts with its "
         "name, not \"click\""},
        {R"js({"dialogs": [{"do": [["set", "chk1"]]}]})js",
         "answer file 'f', dialog 1, action 1: [\"set\",\"chk1\"] does not have the form "
         "[\"set\", control, value]"},
        {R"js({"dialogs": [{"do": [["set", "chk1", null]]}]})js",
         "answer file 'f', dialog 1, action 1: the value must be a text, a number or true/false, "
         "not null"},
        {R"js({"dialogs": [{"do": [["click", "cboCombo(x)"]]}]})js",
         "answer file 'f', dialog 1, action 1: \"cboCombo(x)\" is not a control name (write "
         "\"chk1\" or \"cboCombo(1)\")"},
        {R"js({"dialogs": [{"do": [["key", 300]]}]})js",
         "answer file 'f', dialog 1, action 1: a key code is a number from 1 to 255 (13 Enter, 9 "
         "Tab, 27 Escape), not 300"},
        {R"js({"dialogs": [{"do": [["pick", "grd", [1]]]}]})js",
         "answer file 'f', dialog 1, action 1: a row is a value or \"#index\", not [1]"},
        {R"js({"dialogs": [{"do": [["tab", "tabA", -1]]}]})js",
         "answer file 'f', dialog 1, action 1: a tab is a number from 0 or a caption, not -1"},
        {R"js({"dialogs": [{"do": [["close", "now"]]}]})js",
         "answer file 'f', dialog 1, action 1: [\"close\",\"now\"] does not have the form "
         "[\"close\"]"},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(RaisesComError([&] { AnswerFile::Parse(row.json, "f"); }, 20604, "ScriptedUi",
                                   row.text))
            << row.json;
    }
}

// Values nested deeper than an answer file ever needs are refused while parsing, before any
// error text could serialise them (a million levels would overflow the stack); 16 still load.
TEST(AnswerFile, DeepNestingIsRefused) {
    const auto nested = [](int depth) {
        return R"({"dialogs": [{"do": [["set", "txt", )" + std::string(depth, '[') +
               std::string(depth, ']') + "]]}]}";
    };
    // The value's own arrays start at level 5; 11 more keep the whole file at 16.
    EXPECT_TRUE(RaisesComError([&] { AnswerFile::Parse(nested(11), "f"); }, 20604, "ScriptedUi",
                               "answer file 'f', dialog 1, action 1: the value must be a text, a "
                               "number or true/false, not [[[[[[[[[[[]]]]]]]]]]]"));
    for (const int depth : {12, 1000000}) {
        EXPECT_TRUE(RaisesComError([&] { AnswerFile::Parse(nested(depth), "f"); }, 20604,
                                   "ScriptedUi",
                                   "answer file 'f': values are nested more than 16 levels deep"))
            << depth;
    }
}

// A file loads by path and is named by it; a missing file says why it cannot be read.
TEST(AnswerFile, LoadsFromAFile) {
    test::TempDir dir;
    const auto path =
        dir.WriteFile("answers.json", R"js({"dialogs": [{"do": [["click", "cmdOK"]]}]})js");
    const auto file = AnswerFile::Load(path);
    EXPECT_EQ(file.Origin(), path.string());
    EXPECT_EQ(file.Dialogs().size(), 1u);
    const auto missing = dir / "none.json";
    EXPECT_TRUE(RaisesComError(
        [&] { AnswerFile::Load(missing); }, 20602, "ScriptedUi",
        "answer file '" + missing.string() + "' cannot be read: No such file or directory"));
}

}  // namespace
}  // namespace hlreports
