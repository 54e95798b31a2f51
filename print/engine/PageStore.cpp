#include "PageStore.h"

#include <QFontMetrics>
#include <QPainter>

#include "ReportUnits.h"

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
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(item.text);
    int x = clip.left();
    if (item.align == PageItem::Align::Right) x = clip.left() + clip.width() - width;
    if (item.align == PageItem::Align::Center) x = clip.left() + (clip.width() - width) / 2;
    const auto y = static_cast<int>(ToDevice(item.top, f.dpiY, f.offsetY));
    p.save();
    p.setClipRect(clip);
    p.setFont(font);
    p.setPen(item.font.color);
    p.drawText(QPoint(x, y + metrics.ascent()), item.text);
    p.restore();
}

void RenderImage(const PageItem& item, QPainter& p, const DeviceFrame& f) {
    p.save();
    p.setClipRect(DeviceRect(item.rect, f));
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(DeviceRect(item.target, f), item.image);
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
