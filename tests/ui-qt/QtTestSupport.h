// Helpers of the Qt driver tests: the offscreen application, a driver that answers message
// boxes without showing them, and finding a dialog's widgets by control name.
#pragma once

#include <string>
#include <vector>

#include <QWidget>

#include "ui-qt/QtUi.h"
#include "ui/Ui.h"

namespace hlreports::test {

// Every test of this program runs on the offscreen platform.
void UseOffscreenQt();

// QtUi whose message boxes are recorded and answered as the unattended drivers answer them,
// so that a test never waits on a box.
class QuietQtUi : public QtUi {
  public:
    using QtUi::QtUi;
    int32_t MsgBox(const std::string& text, int32_t style, const std::string& title) override {
        messages.push_back(ShownMessageBoxTitle(title) + ": " + text);
        return UnattendedAnswer(style);
    }
    std::vector<std::string> messages;
};

// The widget a window shows for a control ("cboCombo(1)"); fails the test when absent.
template <typename WidgetType = QWidget>
WidgetType* ControlWidget(QWidget& window, const std::string& control) {
    auto* widget = window.findChild<WidgetType*>(QString::fromStdString(control));
    if (widget == nullptr) {
        ADD_FAILURE() << "no " << control << " in " << window.objectName().toStdString();
    }
    return widget;
}

}  // namespace hlreports::test
