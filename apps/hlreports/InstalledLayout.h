// Where an installed hlreports finds what it ships. An installed command sits in <prefix>/bin
// beside <prefix>/share/hlreports/demo and the ODBC setup library under <prefix>/<libdir>/odbc;
// the relative paths come from the layout the build was configured to install, so a copy
// installed under any prefix (the .deb, a scratch folder) finds its files. A command run from its
// build tree (or a test program) finds no such folder beside it and uses the build's own.
#pragma once

#include <filesystem>
#include <optional>

namespace hlreports::host {

struct InstalledFiles {
    std::filesystem::path demoSources;       // demo/ with sql/, reports/, answers/
    std::filesystem::path odbcSetupLibrary;  // libhlreportsodbcS.so
};

// The installed files beside this executable; none when its install layout is not there.
std::optional<InstalledFiles> InstalledFilesBeside(const std::filesystem::path& executable);

// The running program's file (/proc/self/exe).
std::filesystem::path RunningExecutable();

// The folder where an installed command keeps the demo database it builds: the user's cache
// folder ($XDG_CACHE_HOME/hlreports, else $HOME/.cache/hlreports). Throws ComError 20700 when
// neither variable is set.
std::filesystem::path UserDemoFolder();

}  // namespace hlreports::host
