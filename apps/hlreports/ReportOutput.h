// Writing a prepared report where --out says: the extension picks JSON (.json), text (.txt),
// HTML (.html/.htm) or, in a build with the Qt front-end, the paginated PDF (.pdf, drawn on the
// offscreen platform, on the paper of the report file or the locale). The JSON form also records
// the request's outcome as the host sees it (a "request" member after the report's own). The
// output is streamed into a file beside its target under an exclusive temporary name
// (PartialFile) and renamed into place, so the command never holds the whole output and a
// failure leaves no half file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "engine/CoreReport.h"

namespace hlreports::host {

struct RequestOutcome {
    std::optional<int32_t> destination;  // PrintReport only
    std::optional<bool> paramsWindow;    // PrintReport only
};

// Whether this build writes PDF (it has the Qt front-end).
bool HasPdfOutput();

// Throws std::invalid_argument for an extension it cannot write (PDF needs the Qt front-end).
// Called before a request runs, so wrong usage never waits for a report it cannot write.
void CheckOutputFile(const std::filesystem::path& file);

// Throws as CheckOutputFile does.
void WriteReport(const CoreReport& report, const std::filesystem::path& file,
                 const RequestOutcome& outcome);

// Rows of the report's main table (0 when none), for the progress line.
int64_t MainTableRows(const CoreReport& report);

}  // namespace hlreports::host
