// A preview page drawn once per page and zoom and kept, since scrolling repaints it often.
#include "print/preview/PreviewPage.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "print/engine/ReportUnits.h"
#include "print/preview/PreviewPageAccessible.h"

namespace kivo::report {
namespace {

// Pixels of `page` at `dpi`, counted in floating point so no size can overflow.
double PixelCount(const Page& page, double dpi) {
    return static_cast<double>(SizeToDevice(page.width, dpi)) *
           static_cast<double>(SizeToDevice(page.height, dpi));
}

}  // namespace

double DpiWithinImageBudget(const Page& page, double dpi) {
    const double pixels = PixelCount(page, dpi);
    if (pixels <= kMaxPageImagePixels) return dpi;
    // A little under the square root's answer, since sizes round to whole pixels.
    double fitted = dpi * std::sqrt(kMaxPageImagePixels / pixels) * 0.999;
    while (fitted > 0 && PixelCount(page, fitted) > kMaxPageImagePixels) fitted *= 0.99;
    return fitted;
}

QImage PageImageAt(const Page& page, double requestedDpi) {
    const double dpi = DpiWithinImageBudget(page, requestedDpi);
    QImage image(static_cast<int>(SizeToDevice(page.width, dpi)),
                 static_cast<int>(SizeToDevice(page.height, dpi)), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    RenderPage(page, painter, {dpi, dpi, 0.0, 0.0, {}});
    return image;
}

PreviewPage::PreviewPage(QWidget* parent) : QWidget(parent) {
    InstallPreviewAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PreviewPage::SetPage(const Page* page) {
    page_ = page;
    cached_ = QImage();
    updateGeometry();
    resize(sizeHint());
    update();
    QAccessibleEvent changed(this, QAccessible::VisibleDataChanged);
    QAccessible::updateAccessibility(&changed);
}

void PreviewPage::SetZoom(int percent) {
    zoom_ = percent;
    cached_ = QImage();
    updateGeometry();
    resize(sizeHint());
    update();
}

double PreviewPage::ScreenDpi() const {
    return logicalDpiX() > 0 ? logicalDpiX() : kDesignDpi;
}

QSize PreviewPage::PagePixels(int percent) const {
    if (!page_) return {};
    const double dpi = ScreenDpi() * percent / 100.0;
    return {static_cast<int>(SizeToDevice(page_->width, dpi)),
            static_cast<int>(SizeToDevice(page_->height, dpi))};
}

QSize PreviewPage::sizeHint() const {
    return page_ ? PagePixels(zoom_) + QSize(4, 4) : QSize();
}

QImage PreviewPage::PageImage() const {
    QImage image(PagePixels(zoom_) + QSize(4, 4), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter p(&image);
    PaintPage(p);
    return image;
}

void PreviewPage::PaintPage(QPainter& p) const {
    const QSize page = PagePixels(zoom_);
    p.fillRect(QRect(QPoint(0, 0), page + QSize(2, 2)), Qt::white);
    p.setPen(Qt::black);
    p.drawRect(QRect(QPoint(0, 0), page + QSize(1, 1)));
    p.fillRect(QRect(page.width() + 2, 2, 2, page.height() + 2), Qt::black);
    p.fillRect(QRect(2, page.height() + 2, page.width() + 2, 2), Qt::black);
    if (page_) {
        p.translate(1, 1);
        p.setClipRect(QRect(QPoint(0, 0), page));
        const double dpi = ScreenDpi() * zoom_ / 100.0;
        RenderPage(*page_, p, {dpi, dpi, 0.0, 0.0, {}});
    }
}

void PreviewPage::paintEvent(QPaintEvent* event) {
    if (!page_) return;
    QPainter p(this);
    const QSize whole = PagePixels(zoom_) + QSize(4, 4);
    if (static_cast<double>(whole.width()) * whole.height() > kMaxPageImagePixels) {
        // A page too big to keep as one picture (a page file may name any paper) is drawn
        // where it shows, each time.
        p.setClipRect(event->rect());
        p.fillRect(event->rect(), palette().color(QPalette::Window));
        PaintPage(p);
        return;
    }
    // Scrolling repaints often: the page is drawn once per page and zoom.
    if (cached_.isNull()) cached_ = PageImage();
    p.drawImage(0, 0, cached_);
}

}  // namespace kivo::report
