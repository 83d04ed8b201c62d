// AnswerFile: the parsed form of an answer file, the script that plays a run's dialogs without
// a screen (docs/answer-files.md):
//     {"dialogs": [{"caption": "Report Criteria", "do": [["set", "datDate1", "2024-01-01"],
//                                                        ["click", "cmdPreview"]]}]}
// Loading checks the whole structure (keys, verbs, argument counts and types, control names),
// so a file that loads can only fail while playing on what the dialogs themselves hold. Errors:
// 20602 unreadable file, 20603 not JSON (with line and column), 20604 not an answer file (with
// dialog and action numbers, counted from 1); source "ScriptedUi", the file named in the text.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"
#include "ui/Control.h"

namespace hlreports {

enum class AnswerVerb { Set, Click, Pick, Key, KeyDown, Focus, Tab, Close };

struct AnswerAction {
    AnswerVerb verb = AnswerVerb::Click;
    // Every verb but close names a control; key and keydown may leave it out (the focused
    // control).
    std::optional<ControlReference> control;
    // set: the value (text, number or boolean); pick: the rows ("#2" or a value, as text);
    // key, keydown: the key code; tab: the tab number or caption.
    std::vector<Variant> arguments;
    std::string written;  // the action as the file wrote it, for messages
};

struct DialogAnswers {
    std::optional<std::string> caption;
    std::vector<AnswerAction> actions;
};

class AnswerFile {
  public:
    static AnswerFile Load(const std::filesystem::path& path);
    // origin names the text in messages (a file name, "--answers", "test").
    static AnswerFile Parse(std::string_view json, std::string origin);

    const std::string& Origin() const { return origin_; }
    const std::vector<DialogAnswers>& Dialogs() const { return dialogs_; }

  private:
    std::string origin_;
    std::vector<DialogAnswers> dialogs_;
};

}  // namespace hlreports
