// Plain-text rendering of a prepared report: fixed-width columns separated by two blanks, a
// heading underlined with "=" (a sub-report's with "-"), group headers and footers indented two
// blanks per level, lines without trailing blanks. Widths count code points, not bytes; a value
// wider than its column is printed whole and pushes the rest of its line to the right. Lines are
// handed to the stream piece by piece (StreamedText), only once they are complete: a line's
// trailing blanks are trimmed in the text not yet handed on.
#include <algorithm>

#include "engine/Render.h"
#include "engine/ReportWalk.h"
#include "engine/StreamedText.h"

namespace hlreports {
namespace {

std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

class TextSink final : public ReportSink {
  public:
    explicit TextSink(StreamedText& output) : output_(output), out_(output.Text()) {}

    void BeginReport(std::string_view heading, int depth) override {
        if (output_.HasText()) {
            out_ += '\n';
        }
        if (heading.empty()) {
            return;
        }
        out_ += heading;
        out_ += '\n';
        out_.append(CodePoints(heading), depth == 0 ? '=' : '-');
        out_ += '\n';
    }

    void HeaderLine(std::string_view label, std::string_view value) override {
        if (!label.empty()) {
            out_ += label;
            out_ += ": ";
        }
        out_ += value;
        EndLine();
    }

    void BeginBody(const std::vector<PrintColumn>& columns) override {
        columns_ = columns;
        out_ += '\n';
        if (columns_.empty()) {
            return;
        }
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            Cell(i, columns_[i].heading);
        }
        EndLine();
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            Cell(i, std::string(static_cast<std::size_t>(columns_[i].width), '-'));
        }
        EndLine();
    }

    void GroupHeader(int level, std::string_view label, std::string_view value) override {
        Indent(level);
        out_ += label;
        out_ += ": ";
        out_ += value;
        EndLine();
    }

    void Row(const std::vector<std::string>& cells) override {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            Cell(i, cells[i]);
        }
        EndLine();
    }

    void NoData() override { out_ += "No data.\n"; }

    void GroupFooter(int level, std::string_view text) override {
        Indent(level);
        out_ += text;
        EndLine();
    }

    void EndBody() override {}

    void ReportFooter(std::string_view text) override {
        out_ += '\n';
        out_ += text;
        EndLine();
    }

    void EndReport(int) override {}

  private:
    StreamedText& output_;
    std::string& out_;
    std::vector<PrintColumn> columns_;

    void Indent(int level) { out_.append(static_cast<std::size_t>(level) * 2, ' '); }

    void Cell(std::size_t index, std::string_view text) {
        if (index > 0) {
            out_ += "  ";
        }
        const auto width = static_cast<std::size_t>(columns_[index].width);
        const std::size_t length = CodePoints(text);
        const std::size_t padding = length < width ? width - length : 0;
        if (columns_[index].alignRight) {
            out_.append(padding, ' ');
            out_ += text;
        } else {
            out_ += text;
            out_.append(padding, ' ');
        }
    }

    void EndLine() {
        out_.erase(out_.find_last_not_of(' ') + 1);
        out_ += '\n';
        output_.HandOnWhenFull();
    }
};

}  // namespace

void RenderText(const CoreReport& report, std::ostream& stream) {
    StreamedText output(stream);
    TextSink sink(output);
    WalkReport(report, sink);
    output.Finish();
}

}  // namespace hlreports
