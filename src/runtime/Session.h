// Session: the process-wide state of the component, reached through TheSession(). The host calls
// on one thread, so nothing here is guarded. Tests call ResetSession() to start from nothing.
//
// The shared objects belong to higher subsystems; they are held here by forward-declared type so
// that the runtime depends on nothing above it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/Date.h"
#include "runtime/Err.h"
#include "runtime/Variant.h"

namespace hlreports {

class clsRecordset;
class ReportDSNs;
class CoreReport;
class CoreReportForm;
class CoreSetupService;
class Ui;
class Form;

// Where the prepared report goes: the host's irDestination, plus 2 for a preview asked for from
// the classic interface status form.
enum irDestination : int32_t { irtowindow = 0, irToPrinter = 1 };
inline constexpr int32_t DestinationPreviewFromStatusForm = 2;

// The context of the current request, written by PrintReport and read by the runner, the
// builders, the criteria forms and the custom prompts.
struct SessionSettings {
    std::string reportName;
    std::string userName;
    int32_t destination = irtowindow;
    Variant criteria;  // kept from an earlier request when a PrintReport omits it
    std::string glPrefix;
    std::string propertyId;
    std::string propertyName;
    Date periodEndDate;
    bool focusFlag = false;
};

struct Session {
    SessionSettings settings;
    ErrState err;
    std::shared_ptr<clsRecordset> sharedRecordset;
    std::shared_ptr<ReportDSNs> reportDSNs;
    std::shared_ptr<CoreReport> currentReport;
    std::shared_ptr<CoreReportForm> lastReportForm;
    std::shared_ptr<CoreSetupService> setupService;
    std::shared_ptr<Form> promptForm;
    // The screen: message boxes, modal dialogs and the mouse pointer go through it. Tests and the
    // host command install a driver; without one, UI calls fail with a clear error.
    std::shared_ptr<Ui> ui;
};

Session& TheSession();
void ResetSession();

}  // namespace hlreports
