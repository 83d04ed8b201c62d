// The preview window; see ReportViewer.h.
#include "ui-qt/ReportViewer.h"

#include <algorithm>

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include "runtime/Text.h"
#include "ui-qt/PagePainter.h"

namespace hlreports {
namespace {

constexpr double ScreenPixelsPerPoint = 96.0 / 72.0;  // 100 %
const int ZoomPercents[] = {50, 75, 100, 150, 200};

QPushButton* Button(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setAutoDefault(false);
    return button;
}

bool PageHolds(const LaidOutPage& page, const std::string& wanted) {
    const std::string folded = ToLowerAscii(wanted);
    return std::any_of(page.texts.begin(), page.texts.end(), [&](const PlacedText& text) {
        return ToLowerAscii(text.text).find(folded) != std::string::npos;
    });
}

}  // namespace

ReportViewer::ReportViewer(std::shared_ptr<CoreReport> report, const PageSetup& setup)
    : QWidget(nullptr, Qt::Window), report_(std::move(report)), setup_(setup) {
    pages_ = LayOutPages(*report_, setup_);
    const std::string title = report_->Title().empty() ? report_->Name() : report_->Title();
    setWindowTitle(QString::fromStdString("Preview - " + title));
    setObjectName(QStringLiteral("ReportViewer"));

    auto* bar = new QHBoxLayout;
    QPushButton* first = Button("|<", this);
    QPushButton* previous = Button("<", this);
    pageNumber_ = new QSpinBox(this);
    pageNumber_->setRange(1, PageCount());
    pageCount_ = new QLabel(QStringLiteral("of %1").arg(PageCount()), this);
    QPushButton* next = Button(">", this);
    QPushButton* last = Button(">|", this);
    zoom_ = new QComboBox(this);
    zoom_->addItem(QStringLiteral("Fit width"));
    zoom_->addItem(QStringLiteral("Fit page"));
    for (const int percent : ZoomPercents) {
        zoom_->addItem(QStringLiteral("%1%").arg(percent));
    }
    find_ = new QLineEdit(this);
    find_->setPlaceholderText(QStringLiteral("Find text"));
    QPushButton* findNext = Button("&Find", this);
    QPushButton* print = Button("&Print...", this);
    QPushButton* save = Button("&Save PDF...", this);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{first, previous, pageNumber_, pageCount_, next, last,
                                         zoom_, find_, findNext, print, save}) {
        bar->addWidget(widget);
    }
    bar->addStretch();

    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    page_ = new QLabel;
    page_->setObjectName(QStringLiteral("page"));
    scroll_->setWidget(page_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_);
    resize(900, 1000);

    connect(first, &QPushButton::clicked, this, [this] { GoToPage(1); });
    connect(previous, &QPushButton::clicked, this, [this] { GoToPage(current_ - 1); });
    connect(next, &QPushButton::clicked, this, [this] { GoToPage(current_ + 1); });
    connect(last, &QPushButton::clicked, this, [this] { GoToPage(PageCount()); });
    connect(pageNumber_, &QSpinBox::valueChanged, this, [this](int page) { GoToPage(page); });
    connect(zoom_, &QComboBox::activated, this, [this](int choice) {
        if (choice < 2) {
            SetZoom(choice == 0 ? ZoomKind::FitWidth : ZoomKind::FitPage);
        } else {
            SetZoom(ZoomKind::Percent, ZoomPercents[choice - 2]);
        }
    });
    const auto find = [this] {
        if (!find_->text().isEmpty() && FindNext(find_->text().toStdString()) == 0) {
            QMessageBox::information(this, windowTitle(),
                                     QStringLiteral("\"%1\" was not found.").arg(find_->text()));
        }
    };
    connect(findNext, &QPushButton::clicked, this, find);
    connect(find_, &QLineEdit::returnPressed, this, find);
    connect(print, &QPushButton::clicked, this, [this] { PrintWithDialog(); });
    connect(save, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"),
                                                          QString(), QStringLiteral("PDF (*.pdf)"));
        if (file.isEmpty()) {
            return;
        }
        try {
            SaveAsPdf(file.toStdString());
        } catch (const std::exception& error) {
            QMessageBox::warning(this, windowTitle(), QString::fromStdString(error.what()));
        }
    });
    Show();
}

void ReportViewer::GoToPage(int page) {
    page = std::clamp(page, 1, PageCount());
    if (page == current_ && !page_->pixmap().isNull()) {
        return;
    }
    current_ = page;
    Show();
}

void ReportViewer::SetZoom(ZoomKind kind, int percent) {
    zoomKind_ = kind;
    zoomPercent_ = std::clamp(percent, 10, 800);
    zoom_->setCurrentIndex(kind == ZoomKind::FitWidth ? 0 : kind == ZoomKind::FitPage ? 1 : -1);
    for (int i = 0; kind == ZoomKind::Percent && i < static_cast<int>(std::size(ZoomPercents));
         ++i) {
        if (ZoomPercents[i] == zoomPercent_) {
            zoom_->setCurrentIndex(i + 2);
        }
    }
    Show();
}

int ReportViewer::FindNext(const std::string& text) {
    for (int step = 1; step <= PageCount(); ++step) {
        const int page = (current_ - 1 + step) % PageCount() + 1;
        if (PageHolds(pages_[static_cast<std::size_t>(page - 1)], text)) {
            GoToPage(page);
            return page;
        }
    }
    return 0;
}

void ReportViewer::PrintTo(QPrinter& printer) const {
    ApplyPageSetup(printer, setup_);
    QPainter painter(&printer);
    const double unitsPerPoint = printer.resolution() / 72.0;
    for (const LaidOutPage& page : pages_) {
        if (page.number > 1) {
            printer.newPage();
        }
        PaintPage(painter, page, unitsPerPoint);
    }
}

void ReportViewer::PrintWithDialog() {
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer, setup_);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        PrintTo(printer);
    }
}

void ReportViewer::SaveAsPdf(const std::string& file) const {
    WritePdf(*report_, setup_, file);
}

void ReportViewer::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!closed_) {
        closed_ = true;
        if (onClosed) {
            onClosed();
        }
    }
}

void ReportViewer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (zoomKind_ != ZoomKind::Percent) {
        Show();
    }
}

void ReportViewer::Show() {
    const QSize room = scroll_->viewport()->size() - QSize(24, 24);
    switch (zoomKind_) {
        case ZoomKind::FitWidth:
            pixelsPerPoint_ = room.width() / setup_.WidthPoints();
            break;
        case ZoomKind::FitPage:
            pixelsPerPoint_ = std::min(room.width() / setup_.WidthPoints(),
                                       room.height() / setup_.HeightPoints());
            break;
        case ZoomKind::Percent:
            pixelsPerPoint_ = ScreenPixelsPerPoint * zoomPercent_ / 100.0;
            break;
    }
    pixelsPerPoint_ = std::max(pixelsPerPoint_, 0.1);
    const QImage image =
        PageImage(pages_[static_cast<std::size_t>(current_ - 1)], setup_, pixelsPerPoint_);
    page_->setPixmap(QPixmap::fromImage(image));
    page_->resize(image.size());
    pageNumber_->blockSignals(true);
    pageNumber_->setValue(current_);
    pageNumber_->blockSignals(false);
}

}  // namespace hlreports
