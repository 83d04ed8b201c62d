// ReportViewer: the preview window of a prepared report. It shows the pages of the engine's
// paginated layout (the same pages the printer and PDF get), with page navigation, zoom (fit
// width, fit page, percentages), find text (the next page holding it), printing through the
// system's print dialog and saving as PDF. It is also the host's report form (CoreReportForm):
// BringForward raises it, IsClosed answers once the person closed it.
//
// Cost: the layout of every page is kept while the window is open (the pages' texts, about the
// size of the printed text); each page is drawn only when shown.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "engine/CoreReport.h"
#include "engine/PageLayout.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QScrollArea;
class QSpinBox;

namespace hlreports {

enum class ZoomKind { FitWidth, FitPage, Percent };

class ReportViewer final : public QWidget {
  public:
    ReportViewer(std::shared_ptr<CoreReport> report, const PageSetup& setup);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    int CurrentPage() const { return current_; }  // from 1
    // Clamped to the pages there are.
    void GoToPage(int page);
    void SetZoom(ZoomKind kind, int percent = 100);
    // Pixels per point of the page as drawn now.
    double PixelsPerPoint() const { return pixelsPerPoint_; }
    // The next page after the current one (wrapping) whose text holds `text`, ignoring case;
    // goes there and returns it, or returns 0 and stays.
    int FindNext(const std::string& text);
    // Draws every page on the printer (its page setup taken from the report's sheet).
    void PrintTo(QPrinter& printer) const;
    // Shows the system's print dialog and prints when the person confirms.
    void PrintWithDialog();
    // Whole or nothing; std::runtime_error naming the file.
    void SaveAsPdf(const std::string& file) const;

    bool IsClosed() const { return closed_; }
    // Called once when the person closes the window.
    std::function<void()> onClosed;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::shared_ptr<CoreReport> report_;
    PageSetup setup_;
    std::vector<LaidOutPage> pages_;
    int current_ = 1;
    ZoomKind zoomKind_ = ZoomKind::FitWidth;
    int zoomPercent_ = 100;
    double pixelsPerPoint_ = 1;
    bool closed_ = false;
    QScrollArea* scroll_ = nullptr;
    QLabel* page_ = nullptr;
    QSpinBox* pageNumber_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QLineEdit* find_ = nullptr;

    void Show();
};

}  // namespace hlreports
