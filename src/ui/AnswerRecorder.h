// AnswerRecorder: writes down what a person does in the dialogs as an answer file
// (docs/answer-files.md) that the scripted driver replays to the same result. A driver calls
// BeginDialog when a form opens, Played after each action it played successfully through
// PlayAction, and EndDialog when the form's modal wait ends; dialogs opened from inside another
// get their own entry in opening order, and the outer dialog's later actions still go to the
// outer entry, which is how the scripted driver reads them back.
//
// Typing into a box produces one "set" per keystroke; consecutive sets of the same control keep
// only the last one, so the file holds what was entered, not every intermediate text.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ui/AnswerFile.h"

namespace hlreports {

class Form;

// An action as a file would write it; `written` holds its JSON text.
AnswerAction MakeAnswerAction(AnswerVerb verb, std::optional<ControlReference> control,
                              std::vector<Variant> arguments);

class AnswerRecorder {
  public:
    void BeginDialog(const Form& form);
    void Played(const AnswerAction& action);
    void EndDialog();

    const std::vector<DialogAnswers>& Dialogs() const { return dialogs_; }
    // The answer file's JSON text, one action per line.
    std::string Json() const;
    // Whole or not at all (runtime/PartialFile.h); std::runtime_error naming the file.
    void Save(const std::filesystem::path& file) const;

  private:
    std::vector<DialogAnswers> dialogs_;
    std::vector<std::size_t> open_;  // indexes into dialogs_, innermost last
};

}  // namespace hlreports
