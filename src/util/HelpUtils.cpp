// Help pages; see HelpUtils.h.
#include "util/HelpUtils.h"

#include <cstdlib>
#include <string>

#include "ui/Ui.h"

namespace hlreports {

std::filesystem::path HelpFolder() {
    if (const char* folder = std::getenv("HLREPORTS_HELP_DIR"); folder != nullptr && *folder) {
        return folder;
    }
    return HL_HELP_DIR;
}

void basShowHelp(int32_t helpContext) {
    const std::filesystem::path folder = HelpFolder();
    std::filesystem::path page = folder / ("context-" + std::to_string(helpContext) + ".html");
    std::error_code error;
    if (!std::filesystem::is_regular_file(page, error)) {
        page = folder / "index.html";
    }
    if (!std::filesystem::is_regular_file(page, error)) {
        TheUi().MsgBox(
            "The help pages are not installed: " + folder.string() + " holds no index.html.",
            vbExclamation, "Hearthline");
        return;
    }
    TheUi().ShowHelpPage(page);
}

}  // namespace hlreports
