// PageLayout: a prepared report laid out on pages, the one layout that the preview, the printer
// and PDF all draw, so that they always agree. Toolkit-neutral: a page is a list of text lines
// and rules placed in points from the sheet's top-left corner; a painter only draws them.
//
// Every page carries the main report's title and page header at its top and "Page N of M" at
// its bottom; a body that continues on a new page repeats its column headings there. Columns
// take the report file's widths (characters of a monospaced font whose advance is
// CharacterAdvanceEm of its size); a body wider than the sheet first prints smaller (down to
// MinimumBodyPoints) and then narrows its widest columns to a common cap, wrapping what no
// longer fits;
// nothing is cut. A row, with all its wrapped lines, never splits across pages (unless it alone
// is taller than a page); a group header or sub-report heading never ends a page.
//
// Cost: LayOutReport walks the report twice, once to count the pages and once to hand each
// finished page to the sink, so memory stays at one page beyond what the walk holds (the
// prepared rows' printed values), however many pages there are. LayOutPages keeps them all.
// Errors: those of the walk (ComError 20514 for a field the rows lack).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CoreReport.h"
#include "engine/PageSetup.h"

namespace hlreports {

inline constexpr double CharacterAdvanceEm = 0.6;  // DejaVu Sans Mono and its kin
inline constexpr double LineSpacingEm = 1.25;
inline constexpr double TitlePoints = 14;
inline constexpr double SubreportHeadingPoints = 11;
inline constexpr double HeaderPoints = 9;
inline constexpr double MaximumBodyPoints = 9;
inline constexpr double MinimumBodyPoints = 6;
inline constexpr double PageNumberPoints = 8;

struct PlacedText {
    double leftPoints = 0;
    double topPoints = 0;  // top of the line box; the baseline sits at the font's ascent below
    double fontPoints = 0;
    bool bold = false;
    std::string text;
};

struct PlacedRule {
    double leftPoints = 0;
    double rightPoints = 0;
    double topPoints = 0;
};

struct LaidOutPage {
    int number = 0;  // from 1
    std::vector<PlacedText> texts;
    std::vector<PlacedRule> rules;
};

class PageSink {
  public:
    virtual ~PageSink() = default;
    // Called once, before the first page, with the number of pages to come.
    virtual void BeginDocument(const PageSetup& setup, int pageCount) = 0;
    virtual void Page(const LaidOutPage& page) = 0;
};

// Lays the report out and hands the pages to the sink in order; returns the page count.
int LayOutReport(const CoreReport& report, const PageSetup& setup, PageSink& sink);
std::vector<LaidOutPage> LayOutPages(const CoreReport& report, const PageSetup& setup);

// The page's texts from top to bottom (left to right on one line): what a reader sees.
std::vector<std::string> PageLines(const LaidOutPage& page);

// Splits text into lines of at most `width` code points: at blanks where it can, inside a word
// that is longer than a line, and at every line break of its own. Always at least one line.
std::vector<std::string> WrapText(std::string_view text, std::size_t width);

}  // namespace hlreports
