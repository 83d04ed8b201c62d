// The screenshot command: every dialog of the component rendered to PNG on Qt's offscreen
// platform. The dialogs are reached the way a person reaches them: each demo answer file
// (demo/answers/<data source>.json) runs its report on the demo database with the Qt dialogs,
// and every window that opens (the criteria dialog with its layout and pages, and whatever it
// opens in turn) is captured as <data source>-<n>.png before the file's answers for it play.
// A new dialog therefore appears as soon as a demo answer file reaches it. The preview window of
// the first report that prepares is captured as preview.png.
#pragma once

#include <iosfwd>
#include <string>

namespace hlreports::host {

// Exit codes as the other commands; wrong usage (2) in a build without the Qt front-end.
int RunScreenshots(const std::string& outFolder, std::ostream& output, std::ostream& errors);

}  // namespace hlreports::host
