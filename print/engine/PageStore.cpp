// Drawing a recorded page on a device: lengths rounded to device pixels, text kept to its label.
#include "print/engine/PageStore.h"

#include <QFontMetricsF>
#include <QPainter>

#include "print/engine/ReportUnits.h"

namespace kivo::report {
namespace {

QRect DeviceRect(const QRectF& r, const DeviceFrame& f) {
    const long left = ToDevice(r.left(), f.dpiX, f.offsetX);
    const long top = ToDevice(r.top(), f.dpiY, f.offsetY);
    const long right = ToDevice(r.right(), f.dpiX, f.offsetX);
    const long bottom = ToDevice(r.bottom(), f.dpiY, f.offsetY);
    return QRect(QPoint(static_cast<int>(left), static_cast<int>(top)),
                 QSize(static_cast<int>(right - left), static_cast<int>(bottom - top)));
}

void RenderText(const PageItem& item, QPainter& p, const DeviceFrame& f) {
    const QRect clip = DeviceRect(item.rect, f);
    const QFont font = item.font.ToQFont(f.dpiY);
    const QFontMetricsF metrics(font);
    // The rounded character height can make text a little wider on the device than it was
    // laid out at design scale; narrow it back so that it keeps to its label.
    const double laidOut = DesignMetrics(item.font).TextWidth(item.text) * f.dpiX / kDesignDpi;
    const double natural = metrics.horizontalAdvance(item.text);
    const double squeeze = natural > laidOut && natural > 0 ? laidOut / natural : 1.0;
    const double width = natural * squeeze;
    double x = clip.left();
    if (item.align == PageItem::Align::Right) x = clip.left() + clip.width() - width;
    if (item.align == PageItem::Align::Center) x = clip.left() + (clip.width() - width) / 2.0;
    const auto y = static_cast<double>(ToDevice(item.top, f.dpiY, f.offsetY));
    p.save();
    p.setClipRect(clip);
    p.translate(x, y + metrics.ascent());
    p.scale(squeeze, 1.0);
    p.setFont(font);
    p.setPen(item.font.color);
    p.drawText(QPointF(0.0, 0.0), item.text);
    p.restore();
}

void RenderImage(const PageItem& item, QPainter& p, const DeviceFrame& f) {
    p.save();
    p.setClipRect(DeviceRect(item.rect, f));
    const QRect target = DeviceRect(item.target, f);
    // Shrunk pictures (a preview zoomed out) are smoothed so that thin lines survive;
    // enlarged ones (the printer) keep their crisp pixels.
    p.setRenderHint(QPainter::SmoothPixmapTransform,
                    target.width() < item.image.width() || target.height() < item.image.height());
    p.drawImage(target, item.image);
    p.restore();
}

}  // namespace

void RenderPage(const Page& page, QPainter& painter, const DeviceFrame& frame) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const auto& item : page.items) {
        switch (item.kind) {
            case PageItem::Kind::Fill:
                painter.fillRect(DeviceRect(item.rect, frame), item.color);
                break;
            case PageItem::Kind::Text:
                RenderText(item, painter, frame);
                break;
            case PageItem::Kind::Image:
                RenderImage(item, painter, frame);
                break;
        }
    }
    painter.restore();
}

}  // namespace kivo::report
