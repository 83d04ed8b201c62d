// The habits every criteria window shares: Enter moves on as Tab does, activating the window
// brings the host's last report form forward when the focus flag asks for it, and closing the
// window from its title bar is the window's own cancel (without that a builder could not tell a
// closed window from a report that simply had no rows).
#pragma once

#include <functional>

#include "ui/Form.h"

namespace hlreports {

// Installs the form's keyPress, activate and queryUnload handlers; `cancel` runs on the close box.
void ApplyCriteriaWindowHabits(Form& form, std::function<void()> cancel);

}  // namespace hlreports
