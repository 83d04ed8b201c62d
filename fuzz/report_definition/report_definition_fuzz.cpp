// Fuzz target of the report definition loader: any input either loads (and then renders as
// JSON, text and HTML without error) or is refused with error 20510. Anything else - another
// exception, a crash, a sanitizer report - is a bug. tests/engine replays corpus/ through this
// same function.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/CoreReport.h"
#include "engine/EngineErrors.h"
#include "engine/Render.h"
#include "engine/ReportLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace hlreports;
    CoreReport report;
    try {
        ReportLoader::LoadFromText(
            report, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.rpt");
    } catch (const ComError& error) {
        if (error.Number() != EngineError::MalformedReportFile) {
            std::abort();
        }
        return 0;
    }
    // No table has data, so rendering touches no field and must not fail.
    if (RenderJson(report).empty() || RenderHtml(report).empty()) {
        std::abort();
    }
    RenderText(report);
    return 0;
}
