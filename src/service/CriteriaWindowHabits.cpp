// Shared handlers of the criteria windows (see CriteriaWindowHabits.h).
#include "service/CriteriaWindowHabits.h"

#include "runtime/Session.h"
#include "service/RunnerHelpers.h"

namespace hlreports {

void ApplyCriteriaWindowHabits(Form& form, std::function<void()> cancel) {
    form.SetKeyPreview(true);
    form.handlers.keyPress = [&form](int& keyAscii) {
        if (keyAscii == KeyEnter) {
            keyAscii = 0;
            form.SendKey(KeyTab);
        }
    };
    form.handlers.activate = [] {
        if (TheSession().settings.focusFlag) {
            FocusLastReportForm();
        }
    };
    form.handlers.queryUnload = [cancel = std::move(cancel)](bool& keepOpen) {
        keepOpen = true;
        cancel();
    };
}

}  // namespace hlreports
