// The process's one QApplication, created on first use. Without a display (no DISPLAY or
// WAYLAND_DISPLAY) or when asked for, it runs on Qt's offscreen platform, so PDF output,
// screenshots and the tests work on a server; a QT_QPA_PLATFORM the user set is kept.
#pragma once

namespace hlreports {

// True when a display is available for real windows.
bool HasDisplay();
// Creates the application when none exists; `offscreen` forces the offscreen platform.
void EnsureQtApplication(bool offscreen);

}  // namespace hlreports
