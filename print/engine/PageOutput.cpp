// Recorded pages onto paged devices, and the PDF writer the program prints into.
#include "print/engine/PageOutput.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

#include "canvas/PageCanvas.h"

namespace kivo::report {

void SetUpPdfWriter(QPdfWriter& pdf, const QPageSize& pageSize, int dpi, const QString& title) {
    pdf.setResolution(dpi);
    pdf.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    pdf.setTitle(title);
    pdf.setCreator("KIVO");
}

std::unique_ptr<QPdfWriter> MakePdfWriter(const QString& path, const QPageSize& pageSize, int dpi,
                                          const QString& title) {
    auto pdf = std::make_unique<QPdfWriter>(path);
    SetUpPdfWriter(*pdf, pageSize, dpi, title);
    return pdf;
}

int ProgressStep(int done, int total) {
    if (total <= 0) return 100;
    return done * 100 / total / 5 * 5;
}

bool OutputPages(const PageStore& store, QPagedPaintDevice& device, const DeviceFrame& frame,
                 int first, int last, const std::function<bool(int)>& progress) {
    first = std::max(first, 1);
    last = std::min(last, store.PageCount());
    QPainter painter;
    if (!painter.begin(&device)) return false;
    canvas::ResetPainterState(painter);
    const int total = last - first + 1;
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) return false;
        RenderPage(store.pages[static_cast<std::size_t>(page - 1)], painter, frame);
        if (progress && !progress(ProgressStep(page - first + 1, total))) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

}  // namespace kivo::report
