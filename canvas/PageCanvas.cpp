// Starting, paging and ending a print job on a paged device, and naming it.
#include "canvas/PageCanvas.h"

#include <QPdfWriter>
#include <QString>

namespace kivo::canvas {

PageCanvas::PageCanvas(QPagedPaintDevice& device)
    : PainterCanvas(pagePainter, device.logicalDpiY()), device_(device) {}

PageCanvas::~PageCanvas() {
    if (pagePainter.isActive()) pagePainter.end();
}

void PageCanvas::ApplyTitle(const QString& title) {
    if (auto* writer = dynamic_cast<QPdfWriter*>(&device_)) writer->setTitle(title);
}

bool PageCanvas::BeginDoc() {
    ApplyTitle(QString::fromStdString(Title));
    if (!pagePainter.begin(&device_)) return false;
    PreparePainter();
    return true;
}

void PageCanvas::NewPage() {
    device_.newPage();
}

void PageCanvas::EndDoc() {
    if (pagePainter.isActive()) pagePainter.end();
}

}  // namespace kivo::canvas
