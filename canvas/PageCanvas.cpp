// Starting, paging and ending a print job on a paged device, and naming it.
#include "canvas/PageCanvas.h"

#include <QPdfWriter>
#include <QPen>
#include <QString>

namespace kivo::canvas {

// A fresh painter believes it has a black pen, no brush and the default font and tells the
// device nothing; a printer reused from an earlier job still holds that job's last pen (the
// logo's maroon would colour the next job's first texts). Setting something else first makes
// the painter hand its state over.
void ResetPainterState(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setPen(QPen(Qt::black));
    painter.setBrush(Qt::white);
    painter.setBrush(Qt::NoBrush);
    const QFont font = painter.font();
    painter.setFont(QFont("Liberation Serif", 3));
    painter.setFont(font);
}

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
    ResetPainterState(pagePainter);
    PreparePainter();
    return true;
}

void PageCanvas::NewPage() {
    device_.newPage();
}

bool PageCanvas::JobTaken(std::string&) {
    return true;
}

bool PageCanvas::EndDoc() {
    refusal_.clear();
    if (pagePainter.isActive() && !pagePainter.end()) {
        refusal_ = "the device could not finish it";
        return false;
    }
    return JobTaken(refusal_);
}

}  // namespace kivo::canvas
