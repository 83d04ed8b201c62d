// The preview window: page navigation within bounds, zoom modes, find text, printing every page
// of the same layout, and a report wider than the page drawn inside it.
#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

#include <fmt/format.h>

#include "engine/EngineFixtures.h"
#include "ui-qt/PagePainter.h"
#include "ui-qt/QtTestSupport.h"
#include "ui-qt/ReportViewer.h"

namespace hlreports::test {
namespace {

std::shared_ptr<CoreReport> ListReport(const TempDir& folder, int rows, int columnWidth) {
    auto report = LoadReport(folder, fmt::format(R"(<report name="rptList" title="Unit List">
  <tables><table name="T"/></tables>
  <detail><column field="Unit" width="{0}"/><column field="Note" width="{0}"/></detail>
</report>)",
                                                 columnWidth));
    std::vector<TestRow> values;
    for (int i = 1; i <= rows; ++i) {
        values.push_back({fmt::format("U{:04}", i), i == rows ? "the last one" : "n"});
    }
    report->Database()->Tables()[0]->SetDataSource(RowsXml({{"Unit"}, {"Note"}}, values));
    return report;
}

// The buttons and GoToPage stay inside the pages; find goes to the page holding the text.
TEST(ReportViewer, NavigationAndFind) {
    UseOffscreenQt();
    TempDir folder;
    ReportViewer viewer(ListReport(folder, 300, 10), PageSetup{});
    ASSERT_GT(viewer.PageCount(), 3);
    EXPECT_EQ(viewer.CurrentPage(), 1);
    const auto button = [&](const char* caption) {
        for (QPushButton* candidate : viewer.findChildren<QPushButton*>()) {
            if (candidate->text() == caption) {
                return candidate;
            }
        }
        ADD_FAILURE() << caption;
        return static_cast<QPushButton*>(nullptr);
    };
    QTest::mouseClick(button("<"), Qt::LeftButton);
    EXPECT_EQ(viewer.CurrentPage(), 1);
    QTest::mouseClick(button(">"), Qt::LeftButton);
    EXPECT_EQ(viewer.CurrentPage(), 2);
    QTest::mouseClick(button(">|"), Qt::LeftButton);
    EXPECT_EQ(viewer.CurrentPage(), viewer.PageCount());
    viewer.GoToPage(viewer.PageCount() + 5);
    EXPECT_EQ(viewer.CurrentPage(), viewer.PageCount());
    QTest::mouseClick(button("|<"), Qt::LeftButton);
    EXPECT_EQ(viewer.CurrentPage(), 1);
    EXPECT_EQ(viewer.FindNext("THE LAST"), viewer.PageCount());
    EXPECT_EQ(viewer.FindNext("U0002"), 1);
    EXPECT_EQ(viewer.FindNext("nowhere"), 0);
    EXPECT_EQ(viewer.CurrentPage(), 1);
}

// Percentages scale from 96 dpi; fit width and fit page follow the window's room.
TEST(ReportViewer, Zoom) {
    UseOffscreenQt();
    TempDir folder;
    ReportViewer viewer(ListReport(folder, 10, 10), PageSetup{});
    viewer.resize(800, 700);
    viewer.show();
    viewer.SetZoom(ZoomKind::Percent, 200);
    EXPECT_DOUBLE_EQ(viewer.PixelsPerPoint(), 2 * 96.0 / 72.0);
    viewer.SetZoom(ZoomKind::FitWidth);
    const QSize room = viewer.findChild<QScrollArea*>()->viewport()->size();
    EXPECT_NEAR(viewer.PixelsPerPoint() * 612, room.width() - 24, 1);
    viewer.SetZoom(ZoomKind::FitPage);
    EXPECT_NEAR(viewer.PixelsPerPoint() * 792, room.height() - 24, 1);
    EXPECT_LT(viewer.PixelsPerPoint() * 612, room.width());
}

// Printing draws every page of the layout; a body wider than the sheet leaves no ink in the
// right margin of its page image.
TEST(ReportViewer, PrintsEveryPageAndKeepsWideBodiesInside) {
    UseOffscreenQt();
    TempDir folder;
    ReportViewer viewer(ListReport(folder, 120, 10), PageSetup{});
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string pdf = (folder / "printed.pdf").string();
    printer.setOutputFileName(QString::fromStdString(pdf));
    viewer.PrintTo(printer);
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);

    const auto wide = ListReport(folder, 5, 400);
    const PageSetup letter;
    const auto pages = LayOutPages(*wide, letter);
    const QImage image = PageImage(pages.front(), letter, 1.0);
    const int marginStart = static_cast<int>(letter.WidthPoints() - letter.marginPoints) + 2;
    for (int x = marginStart; x < image.width(); ++x) {
        for (int y = 0; y < image.height() - 60; ++y) {  // the page number sits lower
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace hlreports::test
