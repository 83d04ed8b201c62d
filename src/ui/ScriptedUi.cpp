// ScriptedUi: the dialog loop of an answer file; each action plays through PlayAction.
#include "ui/ScriptedUi.h"

#include <fmt/format.h>

#include "runtime/ComError.h"
#include "ui/ActionPlayer.h"
#include "ui/Form.h"
#include "ui/UiErrors.h"

namespace hlreports {

namespace {

[[noreturn]] void Raise(int32_t number, std::string description) {
    throw ComError(number, std::string(UiError::ScriptedUiSource), std::move(description));
}

}  // namespace

ScriptedUi::ScriptedUi(AnswerFile answers, std::ostream& messageStream)
    : answers_(std::move(answers)), messageStream_(messageStream) {}

int32_t ScriptedUi::MsgBox(const std::string& text, int32_t style, const std::string& title) {
    const int32_t answer = RecordingUi::MsgBox(text, style, title);
    messageStream_ << Messages().back().title << ": " << text << '\n' << std::flush;
    return answer;
}

void ScriptedUi::ShowHelpPage(const std::filesystem::path& page) {
    RecordingUi::ShowHelpPage(page);
    messageStream_ << "help: " << page.string() << '\n' << std::flush;
}

void ScriptedUi::ShowModal(Form& form) {
    const auto& dialogs = answers_.Dialogs();
    if (nextDialog_ >= dialogs.size()) {
        Raise(UiError::NoAnswersLeft,
              fmt::format("dialog '{}' opened, but answer file '{}' has no answers left for it "
                          "({} dialogs answered)",
                          form.Title(), answers_.Origin(), dialogs.size()));
    }
    const std::size_t number = ++nextDialog_;
    const DialogAnswers& entry = dialogs[number - 1];
    if (entry.caption && *entry.caption != form.Caption()) {
        Raise(UiError::CaptionMismatch,
              fmt::format("dialog '{}' opened where answer file '{}' expects '{}' (dialog {})",
                          form.Title(), answers_.Origin(), *entry.caption, number));
    }
    HideOnExit hideOnExit(form);
    form.Present();
    for (std::size_t i = 0; i < entry.actions.size(); ++i) {
        const AnswerAction& action = entry.actions[i];
        if (!form.IsVisible()) {
            Raise(UiError::DialogClosedEarly,
                  fmt::format("dialog '{}' closed before its answers were all played: action {} "
                              "{} and {} more are left",
                              form.Title(), i + 1, action.written, entry.actions.size() - i - 1));
        }
        PlayAction(form, action);
        form.DeliverSentKeys();
    }
    if (form.IsVisible()) {
        Raise(UiError::DialogStillOpen,
              fmt::format("dialog '{}' is still open after its answers", form.Title()));
    }
}

}  // namespace hlreports
