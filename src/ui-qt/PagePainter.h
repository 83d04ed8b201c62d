// PagePainter: draws the engine's laid-out pages (engine/PageLayout.h) with QPainter, the one
// drawing routine behind the preview, the printer and PDF. Texts are drawn in a monospaced font
// whose advance is stretched or narrowed to exactly the layout's CharacterAdvanceEm, so what is
// drawn lines up with what the layout measured on every device.
//
// WritePdf streams: each page is drawn as soon as the layout finishes it and then forgotten,
// so memory does not grow with the page count. The PDF goes through a temporary file renamed
// into place (runtime/PartialFile.h); std::runtime_error naming the file when it cannot be
// written, and then no file is left behind.
#pragma once

#include <filesystem>

#include <QImage>

#include "engine/CoreReport.h"
#include "engine/PageLayout.h"

class QPainter;
class QPagedPaintDevice;

namespace hlreports {

// Draws one page on a painter whose device has `unitsPerPoint` device units per point.
void PaintPage(QPainter& painter, const LaidOutPage& page, double unitsPerPoint);
// The page as a white image, `pixelsPerPoint` pixels per point (96/72 is 100 % on screen).
QImage PageImage(const LaidOutPage& page, const PageSetup& setup, double pixelsPerPoint);
// Sets the device's page size and orientation from the sheet, with no margins of its own.
void ApplyPageSetup(QPagedPaintDevice& device, const PageSetup& setup);

// Lays the report out on `setup` and writes it as PDF.
void WritePdf(const CoreReport& report, const PageSetup& setup, const std::filesystem::path& file);

}  // namespace hlreports
