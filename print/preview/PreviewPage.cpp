// A preview page drawn once per page and zoom and kept, since scrolling repaints it often.
#include "print/preview/PreviewPage.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "print/engine/ReportUnits.h"

namespace kivo::report {

QImage PageImageAt(const Page& page, double dpi) {
    QImage image(static_cast<int>(SizeToDevice(page.width, dpi)),
                 static_cast<int>(SizeToDevice(page.height, dpi)), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    RenderPage(page, painter, {dpi, dpi, 0.0, 0.0});
    return image;
}

PreviewPage::PreviewPage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PreviewPage::SetPage(const Page* page) {
    page_ = page;
    cached_ = QImage();
    updateGeometry();
    resize(sizeHint());
    update();
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
    const QSize page = PagePixels(zoom_);
    QImage image(page + QSize(4, 4), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter p(&image);
    p.fillRect(QRect(QPoint(0, 0), page + QSize(2, 2)), Qt::white);
    p.setPen(Qt::black);
    p.drawRect(QRect(QPoint(0, 0), page + QSize(1, 1)));
    p.fillRect(QRect(page.width() + 2, 2, 2, page.height() + 2), Qt::black);
    p.fillRect(QRect(2, page.height() + 2, page.width() + 2, 2), Qt::black);
    if (page_) {
        p.translate(1, 1);
        p.setClipRect(QRect(QPoint(0, 0), page));
        const double dpi = ScreenDpi() * zoom_ / 100.0;
        RenderPage(*page_, p, {dpi, dpi, 0.0, 0.0});
    }
    return image;
}

void PreviewPage::paintEvent(QPaintEvent*) {
    if (!page_) return;
    // Scrolling repaints often: the page is drawn once per page and zoom.
    if (cached_.isNull()) cached_ = PageImage();
    QPainter p(this);
    p.drawImage(0, 0, cached_);
}

}  // namespace kivo::report
