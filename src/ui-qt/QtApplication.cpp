// The process's QApplication; see QtApplication.h.
#include "ui-qt/QtApplication.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include <QApplication>

namespace hlreports {
namespace {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool HasDisplay() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

void EnsureQtApplication(bool offscreen) {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if ((offscreen || !HasDisplay()) && !IsSet("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // Qt warns on every run when the session has no runtime folder; give it the private one
    // it would pick itself.
    if (!IsSet("XDG_RUNTIME_DIR")) {
        const auto folder =
            std::filesystem::temp_directory_path() / ("runtime-" + std::to_string(getuid()));
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    // Qt keeps references to argc and argv for the application's lifetime.
    static int argc = 1;
    static char name[] = "hlreports";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    QApplication::setApplicationName("HLReports");
    (void)application;
}

}  // namespace hlreports
