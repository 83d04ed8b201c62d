// Drawing laid-out pages and writing PDF; see PagePainter.h.
#include "ui-qt/PagePainter.h"

#include <map>
#include <stdexcept>

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "runtime/PartialFile.h"

namespace hlreports {
namespace {

QFont ReportFont(double fontPoints, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(fontPoints);
    font.setBold(bold);
    font.setKerning(false);
    return font;
}

// Fonts per size and weight for one painter, each with the letter spacing that makes its
// advance exactly the layout's.
class FontCache {
  public:
    FontCache(QPaintDevice* device, double unitsPerPoint)
        : device_(device), unitsPerPoint_(unitsPerPoint) {}

    const QFont& Get(double fontPoints, bool bold) {
        const auto key = std::make_pair(fontPoints, bold);
        auto found = fonts_.find(key);
        if (found != fonts_.end()) {
            return found->second;
        }
        QFont font = ReportFont(fontPoints, bold);
        const double wanted = fontPoints * CharacterAdvanceEm * unitsPerPoint_;
        const double actual = QFontMetricsF(font, device_).horizontalAdvance(QLatin1Char('0'));
        font.setLetterSpacing(QFont::AbsoluteSpacing, wanted - actual);
        return fonts_.emplace(key, font).first->second;
    }

  private:
    QPaintDevice* device_;
    double unitsPerPoint_;
    std::map<std::pair<double, bool>, QFont> fonts_;
};

class PdfSink final : public PageSink {
  public:
    // Writes into `temporary`; errors name `target`, the file the user asked for.
    PdfSink(const std::filesystem::path& temporary, const std::filesystem::path& target,
            const CoreReport& report)
        : file_(QString::fromStdString(temporary.string())), writer_(&file_), target_(target) {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            throw std::runtime_error("cannot write " + target_.string());
        }
        writer_.setCreator(QStringLiteral("HLReports"));
        writer_.setTitle(
            QString::fromStdString(report.Title().empty() ? report.Name() : report.Title()));
    }

    void BeginDocument(const PageSetup& setup, int) override {
        ApplyPageSetup(writer_, setup);
        unitsPerPoint_ = writer_.resolution() / 72.0;
        if (!painter_.begin(&writer_)) {
            throw std::runtime_error("cannot write " + target_.string());
        }
    }

    void Page(const LaidOutPage& page) override {
        if (page.number > 1) {
            writer_.newPage();
        }
        PaintPage(painter_, page, unitsPerPoint_);
    }

    void End() {
        const bool ended = !painter_.isActive() || painter_.end();
        file_.close();
        if (!ended || file_.error() != QFileDevice::NoError) {
            throw std::runtime_error("cannot write " + target_.string());
        }
    }

  private:
    QFile file_;
    QPdfWriter writer_;
    std::filesystem::path target_;
    QPainter painter_;
    double unitsPerPoint_ = 1;
};

}  // namespace

void PaintPage(QPainter& painter, const LaidOutPage& page, double unitsPerPoint) {
    FontCache fonts(painter.device(), unitsPerPoint);
    painter.save();
    painter.setPen(QPen(Qt::black, 0.5 * unitsPerPoint));
    for (const PlacedRule& rule : page.rules) {
        painter.drawLine(QPointF(rule.leftPoints * unitsPerPoint, rule.topPoints * unitsPerPoint),
                         QPointF(rule.rightPoints * unitsPerPoint, rule.topPoints * unitsPerPoint));
    }
    for (const PlacedText& text : page.texts) {
        const QFont& font = fonts.Get(text.fontPoints, text.bold);
        painter.setFont(font);
        const double ascent = QFontMetricsF(font, painter.device()).ascent();
        painter.drawText(
            QPointF(text.leftPoints * unitsPerPoint, text.topPoints * unitsPerPoint + ascent),
            QString::fromStdString(text.text));
    }
    painter.restore();
}

QImage PageImage(const LaidOutPage& page, const PageSetup& setup, double pixelsPerPoint) {
    QImage image(qRound(setup.WidthPoints() * pixelsPerPoint),
                 qRound(setup.HeightPoints() * pixelsPerPoint), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(pixelsPerPoint * 72.0 / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintPage(painter, page, pixelsPerPoint);
    return image;
}

void ApplyPageSetup(QPagedPaintDevice& device, const PageSetup& setup) {
    // The size is given portrait; the orientation turns it.
    const bool landscape = setup.orientation == OrientationKind::Landscape;
    const QSizeF portrait = landscape ? QSizeF(setup.HeightPoints(), setup.WidthPoints())
                                      : QSizeF(setup.WidthPoints(), setup.HeightPoints());
    device.setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Point),
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Point));
}

void WritePdf(const CoreReport& report, const PageSetup& setup, const std::filesystem::path& file) {
    WriteThroughTemporary(file, [&](const std::filesystem::path& temporary) {
        PdfSink sink(temporary, file, report);
        LayOutReport(report, setup, sink);
        sink.End();
    });
}

}  // namespace hlreports
