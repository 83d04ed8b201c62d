// RecordingUi, the unattended answers and the session's driver; see Ui.h.
#include "ui/Ui.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fmt/format.h>

#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "ui/Form.h"
#include "ui/UiErrors.h"

namespace hlreports {

MsgBoxAnswer UnattendedAnswer(int32_t style) {
    switch (style & 7) {
        case vbAbortRetryIgnore:
            return vbIgnore;
        case vbYesNoCancel:
        case vbYesNo:
            return vbYes;
        case vbRetryCancel:
            return vbCancel;
        default:
            return vbOK;
    }
}

std::string ShownMessageBoxTitle(std::string_view title) {
    return std::string(title.empty() ? DefaultMessageBoxTitle : title);
}

int32_t RecordingUi::MsgBox(const std::string& text, int32_t style, const std::string& title) {
    messages_.push_back({text, ShownMessageBoxTitle(title), style});
    return UnattendedAnswer(style);
}

void RecordingUi::SetMousePointer(int32_t pointer) {
    mousePointer_ = pointer;
    pointerHistory_.push_back(pointer);
}

void RecordingUi::ShowModal(Form& form) {
    throw ComError(UiError::NoScreen, std::string(UiError::RecordingUiSource),
                   fmt::format("Cannot show form '{}' ('{}'): the recording user interface has no "
                               "screen and no answers",
                               form.Name(), form.Caption()));
}

void RecordingUi::ShowHelpPage(const std::filesystem::path& page) {
    helpPages_.push_back(page);
}

// Twice forked, so that the browser outlives nothing of ours and leaves no child to reap; a
// failure to start it shows nothing, as a browser that does not come up shows nothing either.
void Ui::ShowHelpPage(const std::filesystem::path& page) {
    const pid_t child = fork();
    if (child == 0) {
        if (fork() == 0) {
            const std::string argument = page.string();
            execlp("xdg-open", "xdg-open", argument.c_str(), static_cast<char*>(nullptr));
        }
        _exit(0);
    }
    if (child > 0) {
        waitpid(child, nullptr, 0);
    }
}

Ui& TheUi() {
    const auto& ui = TheSession().ui;
    if (!ui) {
        throw ComError(UiError::NoUserInterface, std::string(UiError::ModelSource),
                       "No user interface is installed: message boxes and dialogs cannot be "
                       "shown");
    }
    return *ui;
}

}  // namespace hlreports
