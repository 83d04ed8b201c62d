// basShowHelp: the component's own help pages. They are HTML files in the help folder (the
// environment's HLREPORTS_HELP_DIR, else the folder the build was configured with, HL_HELP_DIR):
// "context-<number>.html" for a help context number and "index.html" for the contents. The page
// opens in the desktop's browser through the installed Ui driver; headless drivers record it.
#pragma once

#include <cstdint>
#include <filesystem>

namespace hlreports {

std::filesystem::path HelpFolder();
// The topic page of the context number, or the index when the folder has no such page. When
// the index is missing too, a message box titled "Hearthline" names the folder instead.
void basShowHelp(int32_t helpContext);

}  // namespace hlreports
