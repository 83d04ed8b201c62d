// The paginated layout; see PageLayout.h.
//
// PageBuilder is a ReportSink: the walk decides what prints, the builder turns each event into a
// block of lines and places blocks on pages. All horizontal measures are whole characters of the
// monospaced font, so a row's cells compose into one line of text per printed line, exactly as
// the text renderer lines them up, and a painter needs no font metrics to agree with the layout.
#include "engine/PageLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include <fmt/format.h>

#include "engine/ReportWalk.h"

namespace hlreports {
namespace {

constexpr std::size_t ColumnGap = 2;

std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// Byte offset after `count` code points of text (or its end).
std::size_t OffsetAfter(std::string_view text, std::size_t count) {
    std::size_t offset = 0;
    while (offset < text.size() && count > 0) {
        ++offset;
        while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) {
            ++offset;
        }
        --count;
    }
    return offset;
}

void WrapParagraph(std::string_view text, std::size_t width, std::vector<std::string>& lines) {
    std::string line;
    std::size_t lineLength = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t blank = std::min(text.find(' ', start), text.size());
        std::string_view word = text.substr(start, blank - start);
        start = blank + 1;
        std::size_t wordLength = CodePoints(word);
        if (lineLength > 0 && lineLength + 1 + wordLength > width) {
            lines.push_back(std::move(line));
            line.clear();
            lineLength = 0;
        }
        if (wordLength > width) {  // a word longer than a line breaks inside
            if (lineLength > 0) {
                lines.push_back(std::move(line));
                line.clear();
                lineLength = 0;
            }
            while (wordLength > width) {
                const std::size_t cut = OffsetAfter(word, width);
                lines.emplace_back(word.substr(0, cut));
                word.remove_prefix(cut);
                wordLength -= width;
            }
        }
        if (lineLength > 0) {
            line += ' ';
            ++lineLength;
        }
        line.append(word);
        lineLength += wordLength;
    }
    lines.push_back(std::move(line));
}

double LineHeight(double fontPoints) {
    return fontPoints * LineSpacingEm;
}

double Advance(double fontPoints) {
    return fontPoints * CharacterAdvanceEm;
}

std::size_t CharactersIn(double widthPoints, double fontPoints) {
    return static_cast<std::size_t>(std::floor(widthPoints / Advance(fontPoints) + 1e-9));
}

struct Line {
    std::string text;
    double fontPoints = HeaderPoints;
    bool bold = false;
    std::size_t indent = 0;  // characters
};

struct Block {
    std::vector<Line> lines;
    double gapBefore = 0;  // points, dropped at the top of a page
    bool ruleBelow = false;
    std::size_t ruleCharacters = 0;
    bool keepWithNext = false;
};

double BlockHeight(const Block& block) {
    double height = 0;
    for (const Line& line : block.lines) {
        height += LineHeight(line.fontPoints);
    }
    return height;
}

// The character grid of one body: the font size and each column's width.
struct BodyGrid {
    double fontPoints = MaximumBodyPoints;
    std::size_t charactersPerLine = 0;
    std::size_t gap = ColumnGap;
    std::vector<std::size_t> widths;
    std::vector<bool> alignRight;

    std::size_t UsedCharacters() const {
        if (widths.empty()) {
            return charactersPerLine;
        }
        return std::accumulate(widths.begin(), widths.end(), std::size_t{0}) +
               gap * (widths.size() - 1);
    }
};

BodyGrid MakeGrid(const std::vector<PrintColumn>& columns, double printableWidth) {
    BodyGrid grid;
    std::size_t wanted = 0;
    for (const PrintColumn& column : columns) {
        grid.widths.push_back(static_cast<std::size_t>(std::max(1, column.width)));
        grid.alignRight.push_back(column.alignRight);
        wanted += grid.widths.back();
    }
    const std::size_t gaps = columns.empty() ? 0 : ColumnGap * (columns.size() - 1);
    if (wanted + gaps > 0) {
        const double fitting =
            printableWidth / (static_cast<double>(wanted + gaps) * CharacterAdvanceEm);
        grid.fontPoints = std::clamp(fitting, MinimumBodyPoints, MaximumBodyPoints);
    }
    grid.charactersPerLine = CharactersIn(printableWidth, grid.fontPoints);
    if (wanted + gaps <= grid.charactersPerLine) {
        return grid;
    }
    // Still too wide at the smallest size: the widest columns give up width first, down to a
    // common cap, so that short columns (dates, amounts) keep theirs; text wraps in the narrowed.
    if (grid.charactersPerLine < gaps + columns.size() * 4) {
        grid.gap = 1;
    }
    const std::size_t between = grid.gap * (columns.size() - 1);
    const std::size_t room = grid.charactersPerLine > between + columns.size()
                                 ? grid.charactersPerLine - between
                                 : columns.size();
    std::size_t cap = *std::max_element(grid.widths.begin(), grid.widths.end());
    const auto usedUnder = [&grid](std::size_t limit) {
        std::size_t used = 0;
        for (const std::size_t width : grid.widths) {
            used += std::min(width, limit);
        }
        return used;
    };
    while (cap > 1 && usedUnder(cap) > room) {
        --cap;
    }
    for (std::size_t& width : grid.widths) {
        width = std::min(width, cap);
    }
    return grid;
}

// Pads or aligns one wrapped piece of a cell to its column's width.
void AppendCell(std::string& line, std::string_view piece, std::size_t width, bool alignRight,
                bool last) {
    const std::size_t length = CodePoints(piece);
    const std::size_t padding = length < width ? width - length : 0;
    if (alignRight) {
        line.append(padding, ' ');
        line += piece;
        return;
    }
    line += piece;
    if (!last) {
        line.append(padding, ' ');
    }
}

std::vector<Line> GridLines(const BodyGrid& grid, const std::vector<std::string>& cells,
                            bool bold) {
    std::vector<std::vector<std::string>> pieces;
    std::size_t height = 1;
    for (std::size_t i = 0; i < grid.widths.size(); ++i) {
        pieces.push_back(WrapText(i < cells.size() ? cells[i] : std::string(), grid.widths[i]));
        height = std::max(height, pieces.back().size());
    }
    std::vector<Line> lines;
    for (std::size_t row = 0; row < height; ++row) {
        Line line{std::string(), grid.fontPoints, bold, 0};
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0) {
                line.text.append(grid.gap, ' ');
            }
            const std::string empty;
            const std::string& piece = row < pieces[i].size() ? pieces[i][row] : empty;
            AppendCell(line.text, piece, grid.widths[i], grid.alignRight[i],
                       i + 1 == pieces.size());
        }
        line.text.erase(line.text.find_last_not_of(' ') + 1);
        lines.push_back(std::move(line));
    }
    return lines;
}

class PageBuilder final : public ReportSink {
  public:
    // With no sink the builder only counts pages.
    PageBuilder(const PageSetup& setup, PageSink* sink, int pageCount)
        : setup_(setup), sink_(sink), pageCount_(pageCount) {}

    int Finish() {
        if (!pageOpen_) {
            OpenPage();  // even an empty report prints one page with its heading
        }
        ClosePage();
        return pageNumber_;
    }

    void BeginReport(std::string_view heading, int depth) override {
        depth_ = depth;
        if (depth == 0) {
            collectingHeader_ = true;
            if (!heading.empty()) {
                AddWrapped(pageHeader_, heading, TitlePoints, true, 0);
            }
            return;
        }
        EndHeader();
        Block block;
        block.gapBefore = LineHeight(HeaderPoints);
        block.keepWithNext = true;
        AddWrapped(block.lines, heading, SubreportHeadingPoints, true, 0);
        block.ruleBelow = true;
        block.ruleCharacters = CharactersIn(setup_.PrintableWidthPoints(), SubreportHeadingPoints);
        Place(std::move(block));
    }

    void HeaderLine(std::string_view label, std::string_view value) override {
        const std::string text =
            label.empty() ? std::string(value) : fmt::format("{}: {}", label, value);
        if (collectingHeader_) {
            AddWrapped(pageHeader_, text, HeaderPoints, false, 0);
            return;
        }
        Block block;
        AddWrapped(block.lines, text, HeaderPoints, false, 0);
        Place(std::move(block));
    }

    void BeginBody(const std::vector<PrintColumn>& columns) override {
        EndHeader();
        grid_ = MakeGrid(columns, setup_.PrintableWidthPoints());
        headings_.clear();
        if (!columns.empty()) {
            std::vector<std::string> headings;
            for (const PrintColumn& column : columns) {
                headings.push_back(column.heading);
            }
            headings_ = GridLines(grid_, headings, true);
        }
        inBody_ = false;
        Block block;
        block.gapBefore = LineHeight(grid_.fontPoints) / 2;
        block.lines = headings_;
        block.ruleBelow = !headings_.empty();
        block.ruleCharacters = grid_.UsedCharacters();
        block.keepWithNext = true;
        if (!block.lines.empty()) {
            Place(std::move(block));
        }
        inBody_ = true;
    }

    void GroupHeader(int level, std::string_view label, std::string_view value) override {
        Block block;
        block.keepWithNext = true;
        AddIndented(block, fmt::format("{}: {}", label, value), level, true);
        Place(std::move(block));
    }

    void Row(const std::vector<std::string>& cells) override {
        Block block;
        block.lines = GridLines(grid_, cells, false);
        Place(std::move(block));
    }

    void NoData() override {
        Block block;
        block.lines.push_back(Line{"No data.", grid_.fontPoints, false, 0});
        Place(std::move(block));
    }

    void GroupFooter(int level, std::string_view text) override {
        Block block;
        AddIndented(block, text, level, true);
        Place(std::move(block));
    }

    void EndBody() override { inBody_ = false; }

    void ReportFooter(std::string_view text) override {
        EndHeader();
        Block block;
        block.gapBefore = LineHeight(grid_.fontPoints) / 2;
        AddIndented(block, text, 0, true);
        Place(std::move(block));
    }

    void EndReport(int depth) override {
        if (depth == 0) {
            EndHeader();
        }
    }

  private:
    const PageSetup& setup_;
    PageSink* sink_;
    int pageCount_;
    int depth_ = 0;
    bool collectingHeader_ = false;
    std::vector<Line> pageHeader_;
    BodyGrid grid_;
    std::vector<Line> headings_;
    bool inBody_ = false;
    bool pageOpen_ = false;
    bool pageHasContent_ = false;  // anything placed below the repeated parts
    int pageNumber_ = 0;
    double top_ = 0;
    LaidOutPage page_;

    double Bottom() const {
        return setup_.HeightPoints() - setup_.marginPoints - LineHeight(PageNumberPoints) -
               LineHeight(HeaderPoints) / 2;
    }

    void AddWrapped(std::vector<Line>& lines, std::string_view text, double fontPoints, bool bold,
                    std::size_t indent) const {
        const std::size_t width = CharactersIn(setup_.PrintableWidthPoints(), fontPoints);
        for (std::string& piece : WrapText(text, width > indent ? width - indent : 1)) {
            lines.push_back(Line{std::move(piece), fontPoints, bold, indent});
        }
    }

    void AddIndented(Block& block, std::string_view text, int level, bool bold) const {
        AddWrapped(block.lines, text, grid_.fontPoints, bold, static_cast<std::size_t>(level) * 2);
    }

    // The main report's header lines end at its first other event.
    void EndHeader() {
        if (!collectingHeader_) {
            return;
        }
        collectingHeader_ = false;
        if (!pageOpen_) {
            OpenPage();
        }
    }

    void Emit(const Line& line) {
        if (sink_ != nullptr) {
            page_.texts.push_back(PlacedText{
                setup_.marginPoints + static_cast<double>(line.indent) * Advance(line.fontPoints),
                top_, line.fontPoints, line.bold, line.text});
        }
        top_ += LineHeight(line.fontPoints);
    }

    void EmitRule(std::size_t characters, double fontPoints) {
        if (sink_ != nullptr) {
            const double width = std::min(static_cast<double>(characters) * Advance(fontPoints),
                                          setup_.PrintableWidthPoints());
            page_.rules.push_back(
                PlacedRule{setup_.marginPoints, setup_.marginPoints + width, top_ + 1});
        }
        top_ += 2;
    }

    void OpenPage() {
        pageOpen_ = true;
        pageHasContent_ = false;
        ++pageNumber_;
        page_ = LaidOutPage{};
        page_.number = pageNumber_;
        top_ = setup_.marginPoints;
        for (const Line& line : pageHeader_) {
            Emit(line);
        }
        if (!pageHeader_.empty()) {
            top_ += LineHeight(HeaderPoints) / 2;
        }
        if (inBody_ && !headings_.empty()) {
            for (const Line& line : headings_) {
                Emit(line);
            }
            EmitRule(grid_.UsedCharacters(), grid_.fontPoints);
        }
    }

    void ClosePage() {
        if (sink_ != nullptr) {
            const std::string number = fmt::format("Page {} of {}", pageNumber_, pageCount_);
            const double width =
                static_cast<double>(CodePoints(number)) * Advance(PageNumberPoints);
            page_.texts.push_back(PlacedText{
                setup_.WidthPoints() - setup_.marginPoints - width,
                setup_.HeightPoints() - setup_.marginPoints - LineHeight(PageNumberPoints),
                PageNumberPoints, false, number});
            sink_->Page(page_);
        }
        pageOpen_ = false;
    }

    void NewPage() {
        ClosePage();
        OpenPage();
    }

    void Place(Block block) {
        if (!pageOpen_) {
            OpenPage();
        }
        const double height = BlockHeight(block) + (block.ruleBelow ? 2 : 0);
        const double gap = pageHasContent_ ? block.gapBefore : 0;
        const double keep = block.keepWithNext ? LineHeight(grid_.fontPoints) : 0;
        if (pageHasContent_ && top_ + gap + height + keep > Bottom()) {
            NewPage();
        } else {
            top_ += gap;
        }
        for (const Line& line : block.lines) {
            // Only a block taller than a whole page gets here without room for a line.
            if (pageHasContent_ && top_ + LineHeight(line.fontPoints) > Bottom()) {
                NewPage();
            }
            Emit(line);
            pageHasContent_ = true;
        }
        if (block.ruleBelow) {
            EmitRule(block.ruleCharacters,
                     block.lines.empty() ? grid_.fontPoints : block.lines.front().fontPoints);
        }
        pageHasContent_ = true;
    }
};

class PageCollector final : public PageSink {
  public:
    explicit PageCollector(std::vector<LaidOutPage>& pages) : pages_(pages) {}
    void BeginDocument(const PageSetup&, int pageCount) override {
        pages_.reserve(static_cast<std::size_t>(pageCount));
    }
    void Page(const LaidOutPage& page) override { pages_.push_back(page); }

  private:
    std::vector<LaidOutPage>& pages_;
};

}  // namespace

std::vector<std::string> WrapText(std::string_view text, std::size_t width) {
    width = std::max<std::size_t>(width, 1);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') {
            paragraph.remove_suffix(1);
        }
        if (CodePoints(paragraph) <= width) {
            lines.emplace_back(paragraph);
        } else {
            WrapParagraph(paragraph, width, lines);
        }
        if (end == std::string_view::npos) {
            return lines;
        }
        start = end + 1;
    }
}

int LayOutReport(const CoreReport& report, const PageSetup& setup, PageSink& sink) {
    PageBuilder counter(setup, nullptr, 0);
    WalkReport(report, counter);
    const int pageCount = counter.Finish();
    sink.BeginDocument(setup, pageCount);
    PageBuilder builder(setup, &sink, pageCount);
    WalkReport(report, builder);
    return builder.Finish();
}

std::vector<LaidOutPage> LayOutPages(const CoreReport& report, const PageSetup& setup) {
    std::vector<LaidOutPage> pages;
    PageCollector collector(pages);
    LayOutReport(report, setup, collector);
    return pages;
}

std::vector<std::string> PageLines(const LaidOutPage& page) {
    std::vector<const PlacedText*> texts;
    for (const PlacedText& text : page.texts) {
        texts.push_back(&text);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const PlacedText* a, const PlacedText* b) {
        return a->topPoints != b->topPoints ? a->topPoints < b->topPoints
                                            : a->leftPoints < b->leftPoints;
    });
    std::vector<std::string> lines;
    for (const PlacedText* text : texts) {
        lines.push_back(text->text);
    }
    return lines;
}

}  // namespace hlreports
