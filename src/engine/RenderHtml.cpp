// HTML rendering of a prepared report: one self-contained page (inline style, no scripts), the
// body as a table with group header and footer rows spanning all columns, sub-reports as
// sections after the main body. Every text from the report or its data is escaped. The page is
// handed to the stream piece by piece between rows (StreamedText).
#include <string_view>

#include <fmt/format.h>

#include "engine/Render.h"
#include "engine/ReportWalk.h"
#include "engine/StreamedText.h"

namespace hlreports {
namespace {

constexpr std::string_view Style =
    "body{font-family:sans-serif;margin:1.5em}"
    "table.body{border-collapse:collapse;margin:1em 0}"
    "table.body th,table.body td{padding:0.15em 0.6em;text-align:left;vertical-align:top}"
    "table.body th{border-bottom:1px solid #444}"
    "table.body .number{text-align:right}"
    "tr.group-header td{font-weight:bold;padding-top:0.6em}"
    "tr.group-footer td{font-style:italic;border-top:1px solid #ccc}"
    "p.header-line{margin:0.1em 0}"
    "p.report-footer{font-weight:bold}"
    "section.subreport{margin-top:2em}";

void AppendEscaped(std::string& out, std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t special = text.find_first_of("&<>\"'", start);
        out.append(text.substr(start, special - start));
        if (special == std::string_view::npos) {
            return;
        }
        switch (text[special]) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += "&#39;";
                break;
        }
        start = special + 1;
    }
}

class HtmlSink final : public ReportSink {
  public:
    explicit HtmlSink(StreamedText& output) : output_(output), out_(output.Text()) {}

    void BeginReport(std::string_view heading, int depth) override {
        if (depth == 0) {
            out_ +=
                "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
            AppendEscaped(out_, heading);
            out_ += "</title>\n<style>";
            out_ += Style;
            out_ += "</style>\n</head>\n<body>\n<section class=\"report\">\n<h1>";
        } else {
            out_ += "<section class=\"subreport\">\n<h2>";
        }
        AppendEscaped(out_, heading);
        out_ += depth == 0 ? "</h1>\n" : "</h2>\n";
    }

    void HeaderLine(std::string_view label, std::string_view value) override {
        out_ += "<p class=\"header-line\">";
        if (!label.empty()) {
            out_ += "<span class=\"label\">";
            AppendEscaped(out_, label);
            out_ += ":</span> ";
        }
        AppendEscaped(out_, value);
        out_ += "</p>\n";
    }

    void BeginBody(const std::vector<PrintColumn>& columns) override {
        columns_ = columns;
        span_ = fmt::format("{}", columns_.empty() ? 1 : columns_.size());
        out_ += "<table class=\"body\">\n";
        if (!columns_.empty()) {
            out_ += "<thead><tr>";
            for (const PrintColumn& column : columns_) {
                out_ += column.alignRight ? "<th class=\"number\">" : "<th>";
                AppendEscaped(out_, column.heading);
                out_ += "</th>";
            }
            out_ += "</tr></thead>\n";
        }
        out_ += "<tbody>\n";
    }

    void GroupHeader(int level, std::string_view label, std::string_view value) override {
        SpanningRow("group-header", level);
        AppendEscaped(out_, label);
        out_ += ": ";
        AppendEscaped(out_, value);
        out_ += "</td></tr>\n";
        output_.HandOnWhenFull();
    }

    void Row(const std::vector<std::string>& cells) override {
        out_ += "<tr>";
        for (std::size_t i = 0; i < cells.size(); ++i) {
            out_ += columns_[i].alignRight ? "<td class=\"number\">" : "<td>";
            AppendEscaped(out_, cells[i]);
            out_ += "</td>";
        }
        out_ += "</tr>\n";
        output_.HandOnWhenFull();
    }

    void NoData() override {
        SpanningRow("no-data", -1);
        out_ += "No data.</td></tr>\n";
    }

    void GroupFooter(int level, std::string_view text) override {
        SpanningRow("group-footer", level);
        AppendEscaped(out_, text);
        out_ += "</td></tr>\n";
        output_.HandOnWhenFull();
    }

    void EndBody() override { out_ += "</tbody>\n</table>\n"; }

    void ReportFooter(std::string_view text) override {
        out_ += "<p class=\"report-footer\">";
        AppendEscaped(out_, text);
        out_ += "</p>\n";
    }

    void EndReport(int depth) override {
        out_ += "</section>\n";
        if (depth == 0) {
            out_ += "</body>\n</html>\n";
        }
    }

  private:
    StreamedText& output_;
    std::string& out_;
    std::vector<PrintColumn> columns_;
    std::string span_ = "1";

    // Opens a row whose one cell spans every column; level -1 has no level class.
    void SpanningRow(std::string_view kind, int level) {
        out_ += "<tr class=\"";
        out_ += kind;
        if (level >= 0) {
            fmt::format_to(std::back_inserter(out_), " level-{}", level + 1);
        }
        out_ += "\"><td colspan=\"";
        out_ += span_;
        out_ += "\">";
    }
};

}  // namespace

void RenderHtml(const CoreReport& report, std::ostream& stream) {
    StreamedText output(stream);
    HtmlSink sink(output);
    WalkReport(report, sink);
    output.Finish();
}

}  // namespace hlreports
