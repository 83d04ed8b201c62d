// FormWindow: one dialog model (ui/Form.h) on screen as a Qt window. The model stays the only
// truth: widgets are created from it, and after every user gesture the window re-reads it
// (Sync), so whatever the dialog's handlers changed (captions, visibility, list rows, values,
// the focus, controls added or removed) shows at once.
//
// A gesture reaches the model as an answer-file action played through PlayAction, exactly as
// the scripted driver plays a file: typing in a box is "set", a button or option "click", a
// list choice "pick", Enter/Escape/Tab "key", a mouse click into another control "focus", a
// page of a tab control "tab", the title bar's close button "close". Each action that played is
// handed to the recorder, when there is one, so a recorded session replays to the same result.
// A validation that refuses keeps the model's focus where it was, and Sync puts Qt's focus back.
//
// Geometry: twips / 15 pixels at 96 dpi, scaled by the screen's logical dpi. Widgets carry the
// control's display name ("cboCombo(1)") as their object name, for tests and screenshots.
// Errors raised by the dialog's code inside a gesture end the modal wait and are raised again by
// QtUi::ShowModal, since they must not cross Qt's event loop.
#pragma once

#include <exception>
#include <functional>
#include <map>
#include <memory>

#include <QWidget>

#include "ui/Form.h"

class QEventLoop;

namespace hlreports {

class AnswerRecorder;
struct AnswerAction;

class FormWindow final : public QWidget {
  public:
    // The recorder may be null.
    FormWindow(Form& form, AnswerRecorder* recorder);
    ~FormWindow() override;

    // Re-reads the model: creates, updates and removes widgets, then places the focus.
    void Sync();
    // The widget of a control, nullptr when it has none (yet).
    QWidget* WidgetOf(const Control& control) const;
    // Pixels per twip on this screen.
    double PixelsPerTwip() const { return pixelsPerTwip_; }

    // Runs the modal wait until the model is hidden; rethrows what a handler raised.
    void RunModal();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The property that ties a widget to its control.
    static constexpr const char* ControlProperty = "hlControl";

    struct Shown {
        ControlKind kind;
        QWidget* widget = nullptr;
        std::string listSignature;  // rows and columns last put into the widget
    };

    Form& form_;
    AnswerRecorder* recorder_;
    double pixelsPerTwip_ = 1.0 / 15.0;
    std::map<const Control*, Shown> shown_;
    bool syncing_ = false;
    std::exception_ptr failure_;
    const Control* refusedFocus_ = nullptr;  // a press's focus move that validation refused
    QEventLoop* loop_ = nullptr;

    QWidget* Create(Control& control, QWidget* parent);
    void Connect(Control& control, QWidget* widget);
    void Update(Control& control, Shown& shown);
    void UpdateList(Control& control, Shown& shown);
    QWidget* ParentFor(const Control& control);
    Control* ControlOf(QObject* object) const;
    QRect Geometry(const Control& control) const;
    // Plays one gesture on the model, records it, re-reads the model; ends the wait when the
    // model is hidden or a handler failed.
    void Play(const AnswerAction& action);
    void BackTab();
    // Runs a gesture on the model, re-reads it, and ends the wait when it is over.
    void Perform(const std::function<void()>& gesture);
    void Finish();
};

}  // namespace hlreports
