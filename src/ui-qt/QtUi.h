// QtUi: the Ui driver of the desktop. Forms show as modal Qt windows (FormWindow), message boxes
// as Qt message boxes with the model's title, icon and buttons, and the mouse pointer follows
// the model (an hourglass while the component works). With a recorder, everything the person
// does in the dialogs is written down as an answer file (ui/AnswerRecorder.h).
//
// Closing a window from its title bar counts as the model's close (Cancel in the component's
// dialogs), as the scripted driver's "close" does. A dialog's error raised inside an event ends
// its window and reaches the caller of ShowModal unchanged.
// Needs a QApplication (QtApplication.h); the windows are shown on its platform, so tests run
// them on the offscreen platform.
#pragma once

#include <functional>

#include "ui/AnswerRecorder.h"
#include "ui/Ui.h"

namespace hlreports {

class FormWindow;

class QtUi : public Ui {
  public:
    // The recorder may be null; it must outlive the driver.
    explicit QtUi(AnswerRecorder* recorder = nullptr);
    ~QtUi() override;

    int32_t MsgBox(const std::string& text, int32_t style, const std::string& title) override;
    void SetMousePointer(int32_t pointer) override;
    int32_t GetMousePointer() const override { return mousePointer_; }
    void ShowModal(Form& form) override;

    // Called with each window once it is on screen and before its modal wait: screenshots and
    // tests drive or capture the window from here.
    std::function<void(Form&, FormWindow&)> onShown;

  private:
    AnswerRecorder* recorder_;
    int32_t mousePointer_ = vbDefault;
};

}  // namespace hlreports
