#include "hlreports/ReportOutput.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "engine/PageSetup.h"
#include "engine/Render.h"
#include "runtime/PartialFile.h"
#ifdef HL_HAVE_QT
#include "ui-qt/PagePainter.h"
#include "ui-qt/QtApplication.h"
#endif
#include "runtime/Text.h"

namespace hlreports::host {
namespace {

// The request's outcome as the host sees it, the "request" member of the JSON output.
std::string RequestJson(const RequestOutcome& outcome) {
    nlohmann::json request = nlohmann::json::object();
    if (outcome.destination) {
        request["destination"] = *outcome.destination;
    }
    if (outcome.paramsWindow) {
        request["bParamsWindow"] = *outcome.paramsWindow;
    }
    return request.dump();
}

void RenderTo(std::ostream& stream, const CoreReport& report, const std::filesystem::path& file,
              const RequestOutcome& outcome) {
    const std::string extension = ToLowerAscii(file.extension().string());
    if (extension == ".json") {
        RenderJson(report, stream, {JsonMember{"request", RequestJson(outcome)}});
        return;
    }
    if (extension == ".txt") {
        RenderText(report, stream);
        return;
    }
    RenderHtml(report, stream);
}

}  // namespace

bool HasPdfOutput() {
#ifdef HL_HAVE_QT
    return true;
#else
    return false;
#endif
}

void CheckOutputFile(const std::filesystem::path& file) {
    const std::string extension = ToLowerAscii(file.extension().string());
    if (extension == ".json" || extension == ".txt" || extension == ".html" ||
        extension == ".htm") {
        return;
    }
    if (extension == ".pdf") {
        if (HasPdfOutput()) {
            return;
        }
        throw std::invalid_argument(
            "--out " + file.string() +
            ": PDF output needs the Qt front-end, which this build does not have; use "
            ".json, .txt or .html");
    }
    throw std::invalid_argument(
        "--out " + file.string() + ": unknown extension; use " +
        (HasPdfOutput() ? ".json, .txt, .html or .pdf" : ".json, .txt or .html"));
}

void WriteReport(const CoreReport& report, const std::filesystem::path& file,
                 const RequestOutcome& outcome) {
#ifdef HL_HAVE_QT
    if (ToLowerAscii(file.extension().string()) == ".pdf") {
        EnsureQtApplication(true);
        WritePdf(report, PageSetupFor(report.Definition(), PaperOfEnvironment()), file);
        return;
    }
#endif
    CheckOutputFile(file);
    PartialFile partial(file);
    RenderTo(partial.Stream(), report, file, outcome);
    partial.Commit();
}

int64_t MainTableRows(const CoreReport& report) {
    const auto& tables = report.Database()->Tables();
    if (tables.empty() || !tables.front()->Rows()) {
        return 0;
    }
    return tables.front()->Rows()->RecordCount();
}

}  // namespace hlreports::host
