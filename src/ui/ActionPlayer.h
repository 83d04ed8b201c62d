// PlayAction: one answer-file action played on a shown form as a user's gesture (see
// docs/answer-files.md, "How actions play"). Shared by the scripted driver, which plays files,
// and the Qt driver, which plays what the person does, so that a recorded session replays to
// the same result. Errors 20609..20611 (source "ScriptedUi") for an action the form cannot take;
// the dialog's own errors pass through.
#pragma once

#include "ui/AnswerFile.h"
#include "ui/Form.h"

namespace hlreports {

void PlayAction(Form& form, const AnswerAction& action);

// The modal wait ends with ShowModal, whichever way it ends.
class HideOnExit {
  public:
    explicit HideOnExit(Form& form) : form_(form) {}
    ~HideOnExit() { form_.Hide(); }
    HideOnExit(const HideOnExit&) = delete;
    HideOnExit& operator=(const HideOnExit&) = delete;

  private:
    Form& form_;
};

}  // namespace hlreports
