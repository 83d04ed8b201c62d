#include "hlreports/InstalledLayout.h"

#include <cstdlib>
#include <system_error>

#include "runtime/ComError.h"

namespace hlreports::host {

namespace fs = std::filesystem;

std::optional<InstalledFiles> InstalledFilesBeside(const fs::path& executable) {
    const fs::path bin = executable.parent_path();
    InstalledFiles files{
        .demoSources = (bin / HL_INSTALLED_DEMO_FROM_BIN).lexically_normal(),
        .odbcSetupLibrary = (bin / HL_INSTALLED_ODBC_SETUP_FROM_BIN).lexically_normal()};
    std::error_code ignored;
    if (!fs::is_directory(files.demoSources / "sql", ignored)) {
        return std::nullopt;
    }
    return files;
}

fs::path RunningExecutable() {
    std::error_code ignored;
    return fs::read_symlink("/proc/self/exe", ignored);
}

fs::path UserDemoFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && *cache != '\0') {
        return fs::path(cache) / "hlreports";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return fs::path(home) / ".cache" / "hlreports";
    }
    throw ComError(20700, "DemoDatabase",
                   "Neither XDG_CACHE_HOME nor HOME is set, so the demo database has no folder; "
                   "name its file with HLREPORTS_DEMO_DB");
}

}  // namespace hlreports::host
