// The host's Qt side; see Desktop.h.
#include "hlreports/Desktop.h"

#include "hlreports/Reports.h"
#include "runtime/Session.h"

#ifdef HL_HAVE_QT
#include <QApplication>
#include <QEventLoop>
#include <QPrintDialog>
#include <QPrinter>

#include "engine/PageSetup.h"
#include "ui-qt/QtApplication.h"
#include "ui-qt/QtUi.h"
#include "ui-qt/ReportViewer.h"
#endif

namespace hlreports::host {

#ifdef HL_HAVE_QT

namespace {

// The preview as the host's report form, so FocusLastReportForm can bring it forward.
class PreviewForm final : public CoreReportForm {
  public:
    explicit PreviewForm(ReportViewer& viewer) : viewer_(viewer) {}
    void BringForward() override {
        viewer_.raise();
        viewer_.activateWindow();
    }
    std::shared_ptr<ComObject> OwnerWindow() override { return nullptr; }
    bool IsClosed() override { return viewer_.IsClosed(); }

  private:
    ReportViewer& viewer_;
};

}  // namespace

bool HasDesktop() {
    return true;
}

bool DesktopAvailable() {
    return HasDisplay();
}

void InstallDesktopUi(AnswerRecorder* recorder) {
    EnsureQtApplication(false);
    TheSession().ui = std::make_shared<QtUi>(recorder);
}

void PresentReport(const std::shared_ptr<CoreReport>& report, Reports& reports,
                   int32_t destination) {
    EnsureQtApplication(false);
    ReportViewer viewer(report, PageSetupFor(report->Definition(), PaperOfEnvironment()));
    if (destination == irToPrinter) {
        viewer.PrintWithDialog();
        return;
    }
    std::shared_ptr<CoreReportForm> form = std::make_shared<PreviewForm>(viewer);
    reports.SetLastReportFormOpened(form);
    QEventLoop loop;
    viewer.onClosed = [&loop] { loop.quit(); };
    viewer.show();
    loop.exec();
    reports.ClosePreview();
    TheSession().lastReportForm.reset();
}

#else

bool HasDesktop() {
    return false;
}

bool DesktopAvailable() {
    return false;
}

void InstallDesktopUi(AnswerRecorder*) {}

void PresentReport(const std::shared_ptr<CoreReport>&, Reports&, int32_t) {}

#endif

}  // namespace hlreports::host
