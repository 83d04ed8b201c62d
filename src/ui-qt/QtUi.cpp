// QtUi: message boxes, the pointer and the modal wait of a form; see QtUi.h.
#include "ui-qt/QtUi.h"

#include <QApplication>
#include <QMessageBox>

#include "ui-qt/FormWindow.h"
#include "ui/ActionPlayer.h"
#include "ui/Form.h"

namespace hlreports {
namespace {

QMessageBox::Icon IconOf(int32_t style) {
    switch (style & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

struct ButtonAnswer {
    QMessageBox::StandardButton button;
    MsgBoxAnswer answer;
};

std::vector<ButtonAnswer> ButtonsOf(int32_t style) {
    switch (style & 7) {
        case vbOKCancel:
            return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
        case vbAbortRetryIgnore:
            return {{QMessageBox::Abort, vbAbort},
                    {QMessageBox::Retry, vbRetry},
                    {QMessageBox::Ignore, vbIgnore}};
        case vbYesNoCancel:
            return {{QMessageBox::Yes, vbYes},
                    {QMessageBox::No, vbNo},
                    {QMessageBox::Cancel, vbCancel}};
        case vbYesNo:
            return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
        case vbRetryCancel:
            return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
        default:
            return {{QMessageBox::Ok, vbOK}};
    }
}

}  // namespace

QtUi::QtUi(AnswerRecorder* recorder) : recorder_(recorder) {}

QtUi::~QtUi() {
    if (mousePointer_ == vbHourglass) {
        QApplication::restoreOverrideCursor();
    }
}

int32_t QtUi::MsgBox(const std::string& text, int32_t style, const std::string& title) {
    QMessageBox box(IconOf(style), QString::fromStdString(ShownMessageBoxTitle(title)),
                    QString::fromStdString(text));
    const std::vector<ButtonAnswer> buttons = ButtonsOf(style);
    QMessageBox::StandardButtons standard;
    for (const ButtonAnswer& button : buttons) {
        standard |= button.button;
    }
    box.setStandardButtons(standard);
    // Closing the box from its title bar answers Cancel where there is one, else the first.
    box.setEscapeButton(standard.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                               : buttons.front().button);
    const int chosen = box.exec();
    for (const ButtonAnswer& button : buttons) {
        if (button.button == chosen) {
            return button.answer;
        }
    }
    return buttons.front().answer;
}

void QtUi::SetMousePointer(int32_t pointer) {
    if (pointer == mousePointer_) {
        return;
    }
    if (mousePointer_ == vbHourglass) {
        QApplication::restoreOverrideCursor();
    }
    if (pointer == vbHourglass) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    mousePointer_ = pointer;
}

void QtUi::ShowModal(Form& form) {
    HideOnExit hideOnExit(form);
    FormWindow window(form, recorder_);
    if (recorder_ != nullptr) {
        recorder_->BeginDialog(form);
    }
    struct EndEntry {
        AnswerRecorder* recorder;
        ~EndEntry() {
            if (recorder != nullptr) {
                recorder->EndDialog();
            }
        }
    } endEntry{recorder_};
    // The dialog's wait ends as soon as it is hidden; the pointer shows arrows in a dialog.
    const int32_t pointer = mousePointer_;
    SetMousePointer(vbDefault);
    form.Present();
    window.Sync();
    if (onShown) {
        window.show();
        window.Sync();
        onShown(form, window);
    }
    window.RunModal();
    SetMousePointer(pointer);
}

}  // namespace hlreports
