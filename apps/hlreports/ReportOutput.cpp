#include "hlreports/ReportOutput.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "engine/Render.h"
#include "hlreports/PartialFile.h"
#include "runtime/Text.h"

namespace hlreports::host {
namespace {

std::string RenderFor(const CoreReport& report, const std::filesystem::path& file,
                      const RequestOutcome& outcome) {
    CheckOutputFile(file);
    const std::string extension = ToLowerAscii(file.extension().string());
    if (extension == ".json") {
        nlohmann::json document = nlohmann::json::parse(RenderJson(report));
        nlohmann::json request = nlohmann::json::object();
        if (outcome.destination) {
            request["destination"] = *outcome.destination;
        }
        if (outcome.paramsWindow) {
            request["bParamsWindow"] = *outcome.paramsWindow;
        }
        document["request"] = request;
        return document.dump(1) + "\n";
    }
    if (extension == ".txt") {
        return RenderText(report);
    }
    return RenderHtml(report);
}

}  // namespace

void CheckOutputFile(const std::filesystem::path& file) {
    const std::string extension = ToLowerAscii(file.extension().string());
    if (extension == ".json" || extension == ".txt" || extension == ".html" ||
        extension == ".htm") {
        return;
    }
    if (extension == ".pdf") {
        throw std::invalid_argument(
            "--out " + file.string() +
            ": PDF output needs the Qt front-end, which this build does not have; use "
            ".json, .txt or .html");
    }
    throw std::invalid_argument("--out " + file.string() +
                                ": unknown extension; use .json, .txt or .html");
}

void WriteReport(const CoreReport& report, const std::filesystem::path& file,
                 const RequestOutcome& outcome) {
    const std::string text = RenderFor(report, file, outcome);
    PartialFile out(file);
    out.Write(text);
    out.Commit();
}

int64_t MainTableRows(const CoreReport& report) {
    const auto& tables = report.Database()->Tables();
    if (tables.empty() || !tables.front()->Rows()) {
        return 0;
    }
    return tables.front()->Rows()->RecordCount();
}

}  // namespace hlreports::host
