// Paginated layout: text wrapping, the sheet from the file and the locale, the page header and
// "Page N of M" on every page, column headings repeated, rows never split, a body wider than the
// sheet kept inside it, and the two-pass page count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "engine/EngineFixtures.h"
#include "engine/PageLayout.h"

namespace hlreports::test {
namespace {

std::string Report(const std::string& detail, const std::string& extra = "") {
    return R"(<report name="rptList" title="Unit List">
  <parameters><parameter name="Property" type="11"/></parameters>
  <tables><table name="T"/></tables>)" +
           extra + R"(
  <page-header><parameter name="Property"/></page-header>
  )" + detail +
           "\n</report>";
}

std::vector<TestRow> NumberedRows(int count, const std::string& note) {
    std::vector<TestRow> rows;
    for (int i = 1; i <= count; ++i) {
        rows.push_back({fmt::format("U{:04}", i), note});
    }
    return rows;
}

std::shared_ptr<CoreReport> Filled(const TempDir& folder, const std::string& xml,
                                   const std::vector<TestRow>& rows) {
    auto report = LoadReport(folder, xml);
    report->ParameterByName("Property")->SetCurrentValue(Variant("P1 - Sunset"));
    report->Database()->Tables()[0]->SetDataSource(RowsXml({{"Unit"}, {"Note"}}, rows));
    return report;
}

bool Contains(const std::vector<std::string>& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

// Lines wrap at blanks, break words longer than a line, keep their own line breaks, and count
// characters rather than bytes.
TEST(WrapText, Cases) {
    struct Case {
        std::string text;
        std::size_t width;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", 5, {""}},
        {"short", 10, {"short"}},
        {"one two three", 7, {"one two", "three"}},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        {"a abcdefghij b", 4, {"a", "abcd", "efgh", "ij b"}},
        {"first\nsecond line", 6, {"first", "second", "line"}},
        {"ééé ééé", 3, {"ééé", "ééé"}},
        {"x", 0, {"x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrapText(c.text, c.width), c.lines) << '"' << c.text << "\" at " << c.width;
    }
}

// Letter where the territory prints on Letter or no locale is set, A4 elsewhere; the file's
// <page> wins over the locale, and landscape swaps the sides.
TEST(PageSetupChoice, LocaleAndFile) {
    EXPECT_EQ(PaperForLocale("en_US.UTF-8"), PaperKind::Letter);
    EXPECT_EQ(PaperForLocale("fr_CA"), PaperKind::Letter);
    EXPECT_EQ(PaperForLocale("de_DE.UTF-8@euro"), PaperKind::A4);
    EXPECT_EQ(PaperForLocale("en_GB.UTF-8"), PaperKind::A4);
    EXPECT_EQ(PaperForLocale("C.UTF-8"), PaperKind::Letter);
    EXPECT_EQ(PaperForLocale(""), PaperKind::Letter);

    TempDir folder;
    auto stated =
        LoadReport(folder, Report("<detail/>", R"(<page paper="legal" orientation="landscape"/>)"));
    const PageSetup setup = PageSetupFor(stated->Definition(), PaperKind::A4);
    EXPECT_EQ(setup.paper, PaperKind::Legal);
    EXPECT_DOUBLE_EQ(setup.WidthPoints(), 1008);
    EXPECT_DOUBLE_EQ(setup.HeightPoints(), 612);
    auto plain = LoadReport(folder, Report("<detail/>"), "plain.rpt");
    EXPECT_EQ(PageSetupFor(plain->Definition(), PaperKind::A4).paper, PaperKind::A4);
    EXPECT_EQ(PageSetupFor(plain->Definition(), PaperKind::A4).orientation,
              OrientationKind::Portrait);
}

// A <page> the loader cannot read is error 20510 naming the problem; sub-reports have none.
TEST(PageSetupChoice, BadPageElements) {
    TempDir folder;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"(<page paper="a5"/>)", "paper 'a5' is not letter, a4 or legal"},
        {R"(<page orientation="sideways"/>)",
         "orientation 'sideways' is not portrait or landscape"},
        {R"(<page size="a4"/>)", "unknown attribute 'size' on <page>"},
        {R"(<page/><page/>)", "a second <page> in <report>"},
    };
    for (const auto& [element, problem] : cases) {
        const ComError error =
            CaughtComError([&] { LoadReport(folder, Report("<detail/>", element)); });
        EXPECT_EQ(error.Number(), 20510);
        EXPECT_NE(error.Description().find(problem), std::string::npos) << error.Description();
    }
}

class Paging : public ::testing::Test {
  protected:
    TempDir folder_;
    PageSetup letter_;
    const std::string detail_ =
        R"(<detail><column field="Unit" width="6"/><column field="Note" width="20"/></detail>)";
};

// Every page carries the title, the page header, the column headings and "Page N of M"; every
// row prints once, in order.
TEST_F(Paging, HeaderAndPageNumberOnEveryPage) {
    auto report = Filled(folder_, Report(detail_), NumberedRows(300, "ok"));
    const auto pages = LayOutPages(*report, letter_);
    ASSERT_GT(pages.size(), 3u);
    int rowsSeen = 0;
    for (const LaidOutPage& page : pages) {
        const auto lines = PageLines(page);
        SCOPED_TRACE(page.number);
        EXPECT_EQ(lines.front(), "Unit List");
        EXPECT_EQ(lines[1], "Property: P1 - Sunset");
        EXPECT_EQ(lines[2], "Unit    Note");
        EXPECT_EQ(lines.back(), fmt::format("Page {} of {}", page.number, pages.size()));
        for (const std::string& line : lines) {
            if (line.starts_with("U0")) {
                EXPECT_EQ(line, fmt::format("U{:04}   ok", ++rowsSeen));
            }
        }
        for (const PlacedText& text : page.texts) {
            EXPECT_LE(text.topPoints + text.fontPoints * LineSpacingEm,
                      letter_.HeightPoints() - letter_.marginPoints + 1e-6);
        }
    }
    EXPECT_EQ(rowsSeen, 300);
}

// A row whose note wraps onto several lines keeps them on one page.
TEST_F(Paging, RowsNeverSplit) {
    const std::string note(19 * 5, 'x');  // five lines of the 20-character column
    auto report = Filled(folder_, Report(detail_), NumberedRows(120, note));
    const auto pages = LayOutPages(*report, letter_);
    ASSERT_GT(pages.size(), 2u);
    for (const LaidOutPage& page : pages) {
        const auto lines = PageLines(page);
        const auto first = std::find_if(lines.begin(), lines.end(),
                                        [](const std::string& l) { return l.starts_with("U0"); });
        ASSERT_NE(first, lines.end());
        // The lines under the first row belong to it: a page never starts inside a row.
        EXPECT_TRUE(first == lines.begin() + 3) << page.number;
        const long rows = std::count_if(lines.begin(), lines.end(),
                                        [](const std::string& l) { return l.starts_with("U0"); });
        const long pieces = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
            return l.find("xxxx") != std::string::npos;
        });
        EXPECT_EQ(pieces, rows * 5) << page.number;
    }
}

// A body wider than the sheet prints smaller, then narrows its columns; every line stays inside
// the printable width and no cell text is lost.
TEST_F(Paging, WiderThanThePage) {
    std::string columns = "<detail>";
    for (int i = 0; i < 2; ++i) {
        columns += fmt::format(R"(<column field="{}" width="150"/>)", i == 0 ? "Unit" : "Note");
    }
    columns += "</detail>";
    const std::string note = "the quick brown fox jumps over the lazy dog again and again";
    auto report = Filled(folder_, Report(columns), NumberedRows(3, note));
    const auto pages = LayOutPages(*report, letter_);
    ASSERT_EQ(pages.size(), 1u);
    std::string all;
    for (const PlacedText& text : pages[0].texts) {
        const double right = text.leftPoints + static_cast<double>(text.text.size()) *
                                                   text.fontPoints * CharacterAdvanceEm;
        EXPECT_LE(right, letter_.WidthPoints() - letter_.marginPoints + 1e-6) << text.text;
        EXPECT_GE(text.fontPoints, MinimumBodyPoints);
        all += text.text + " ";
    }
    for (const char* word : {"quick", "lazy", "again", "U0003"}) {
        EXPECT_NE(all.find(word), std::string::npos) << word;
    }
}

class CountingSink final : public PageSink {
  public:
    int announced = -1;
    int delivered = 0;
    int announcements = 0;
    void BeginDocument(const PageSetup&, int pageCount) override {
        announced = pageCount;
        ++announcements;
    }
    void Page(const LaidOutPage& page) override { EXPECT_EQ(page.number, ++delivered); }
};

// The sink hears the page count once, before the first page, and it matches what follows; a
// report without rows still prints one page with its heading and "No data.".
TEST_F(Paging, PageCountAnnouncedFirst) {
    for (const int rows : {0, 1, 500}) {
        auto report = Filled(folder_, Report(detail_), NumberedRows(rows, "n"));
        CountingSink sink;
        const int count = LayOutReport(*report, letter_, sink);
        EXPECT_EQ(sink.announcements, 1);
        EXPECT_EQ(sink.announced, count);
        EXPECT_EQ(sink.delivered, count);
    }
    auto empty = Filled(folder_, Report(detail_), {});
    const auto pages = LayOutPages(*empty, letter_);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(Contains(PageLines(pages[0]), "No data."));
    EXPECT_TRUE(Contains(PageLines(pages[0]), "Page 1 of 1"));
}

// A group header is never the last thing on a page: it moves to the next page with its row.
TEST_F(Paging, GroupHeaderKeepsWithItsRows) {
    std::vector<TestRow> rows;
    for (int i = 0; i < 400; ++i) {
        rows.push_back({fmt::format("G{:03}", i / 3), "n"});
    }
    auto report = Filled(folder_, Report(detail_ + R"(<group field="Unit"/>)"), rows);
    for (const LaidOutPage& page : LayOutPages(*report, letter_)) {
        const auto lines = PageLines(page);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_FALSE(lines[lines.size() - 2].starts_with("Unit:")) << page.number;
    }
}

}  // namespace
}  // namespace hlreports::test
