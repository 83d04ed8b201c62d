// ScriptedUi: the driver that plays an answer file. Each form shown modally takes the next
// dialog entry: its caption, when given, must match; its actions run in order as a user's
// would (a click or a set first moves the focus, which validates the control that loses it;
// when that validation refuses, the action is dropped, exactly as the user's click would be);
// when they are done the form must have been hidden. Message boxes are recorded, answered as
// RecordingUi answers them, and written to the message stream as "title: text".
// docs/answer-files.md describes the format, every action and every error (20605..20611,
// source "ScriptedUi").
#pragma once

#include <cstddef>
#include <iostream>
#include <ostream>

#include "ui/AnswerFile.h"
#include "ui/Ui.h"

namespace hlreports {

class ScriptedUi : public RecordingUi {
  public:
    // The stream must outlive the driver.
    explicit ScriptedUi(AnswerFile answers, std::ostream& messageStream = std::cerr);

    int32_t MsgBox(const std::string& text, int32_t style, const std::string& title) override;
    void ShowModal(Form& form) override;
    // Recorded and written to the message stream as "help: <page>".
    void ShowHelpPage(const std::filesystem::path& page) override;

    const AnswerFile& Answers() const { return answers_; }
    // Dialog entries not yet used; a host may treat leftovers as a script that went astray.
    std::size_t DialogsLeft() const { return answers_.Dialogs().size() - nextDialog_; }

  private:
    AnswerFile answers_;
    std::ostream& messageStream_;
    std::size_t nextDialog_ = 0;
};

}  // namespace hlreports
