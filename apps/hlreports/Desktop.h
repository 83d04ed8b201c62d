// Desktop: the host's Qt side. Installs the Qt dialogs (optionally recording what the person
// does), and shows a prepared report: the preview window for the window destination, the
// system's print dialog for the printer destination. A build without the Qt front-end has none
// of it: HasDesktop() is false and the other calls are not made (the host refuses --ui qt).
#pragma once

#include <memory>

#include "engine/CoreReport.h"
#include "ui/AnswerRecorder.h"

namespace hlreports {
class Reports;
}

namespace hlreports::host {

bool HasDesktop();
// True when real windows can open (a display is set and the build has the front-end).
bool DesktopAvailable();
// The Qt dialogs as the session's driver; the recorder may be null and must outlive the run.
void InstallDesktopUi(AnswerRecorder* recorder);
// Shows the report as the destination asks and returns when the person is done with it; the
// preview counts as one of the Reports object's open previews while it is open.
void PresentReport(const std::shared_ptr<CoreReport>& report, Reports& reports,
                   int32_t destination);

}  // namespace hlreports::host
