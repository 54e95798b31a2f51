// Drawing a recorded page on a device: fills rounded to device pixels, text kept to its label,
// lines and shapes at the device's full precision.
#include "print/engine/PageStore.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>

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

// Lines and shapes keep their fractions of a device pixel: on a PDF or a printer they are
// vectors at the device's resolution.
QPointF DevicePoint(const QPointF& p, const DeviceFrame& f) {
    return {(p.x() - f.offsetX) * f.dpiX / kTenthsPerInch,
            (p.y() - f.offsetY) * f.dpiY / kTenthsPerInch};
}

QRectF DeviceShapeRect(const QRectF& r, const DeviceFrame& f) {
    return {DevicePoint(r.topLeft(), f), DevicePoint(r.bottomRight(), f)};
}

QPolygonF DevicePolygon(const std::vector<QPointF>& points, const DeviceFrame& f) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const QPointF& p : points) polygon.append(DevicePoint(p, f));
    return polygon;
}

void ApplyPen(const PenStyle& style, QPainter& p, const DeviceFrame& f) {
    if (style.color.alpha() == 0) {
        p.setPen(Qt::NoPen);
        return;
    }
    // At least a hair's width, so a thin line never vanishes when the preview is zoomed out.
    QPen pen(style.color, std::max(style.width * f.dpiX / kTenthsPerInch, 1e-3));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (style.dotted) pen.setDashPattern({1.0, 1.0});
    p.setPen(pen);
}

void ApplyBrush(const QColor& color, QPainter& p) {
    if (color.alpha() == 0) {
        p.setBrush(Qt::NoBrush);
    } else {
        p.setBrush(color);
    }
}

void RenderShape(const PageItem& item, QPainter& p, const DeviceFrame& f) {
    ApplyPen(item.pen, p, f);
    ApplyBrush(item.kind == PageItem::Kind::Line ? QColor(Qt::transparent) : item.color, p);
    switch (item.kind) {
        case PageItem::Kind::Line:
            p.drawPolyline(DevicePolygon(item.points, f));
            break;
        case PageItem::Kind::Rectangle:
            p.drawRect(DeviceShapeRect(item.rect, f));
            break;
        case PageItem::Kind::Ellipse:
            p.drawEllipse(DeviceShapeRect(item.rect, f));
            break;
        case PageItem::Kind::Polygon:
            p.drawPolygon(DevicePolygon(item.points, f));
            break;
        default:
            break;
    }
}

}  // namespace

PageFit FitToPrintable(const Page& page, const QRectF& printable) {
    PageFit fit;
    if (printable.isEmpty() || page.items.empty()) return fit;
    QRectF bounds;
    for (const auto& item : page.items) bounds |= item.rect.normalized();
    // A hundredth of a millimetre of slack for the stored rectangles' rounding.
    if (printable.adjusted(-0.1, -0.1, 0.1, 0.1).contains(bounds)) return fit;
    fit.scale = std::min({1.0, printable.width() / std::max(bounds.width(), 1.0),
                          printable.height() / std::max(bounds.height(), 1.0)});
    // The scaled bounds keep their centre where it can stay, else move just inside.
    const double halfWidth = bounds.width() * fit.scale / 2.0;
    const double halfHeight = bounds.height() * fit.scale / 2.0;
    const QPointF to(
        std::clamp(bounds.center().x(), printable.left() + halfWidth,
                   std::max(printable.left() + halfWidth, printable.right() - halfWidth)),
        std::clamp(bounds.center().y(), printable.top() + halfHeight,
                   std::max(printable.top() + halfHeight, printable.bottom() - halfHeight)));
    fit.centre = bounds.center();
    fit.shift = to - bounds.center();
    return fit;
}

void RenderPage(const Page& page, QPainter& painter, const DeviceFrame& frame) {
    painter.save();
    if (const PageFit fit = FitToPrintable(page, frame.printable);
        fit.scale != 1.0 || !fit.shift.isNull()) {
        // x' = centre + shift + (x - centre) * scale on the paper, as device coordinates.
        const double kx = frame.dpiX / kTenthsPerInch;
        const double ky = frame.dpiY / kTenthsPerInch;
        const QPointF to = fit.centre + fit.shift;
        painter.translate(
            (to.x() - frame.offsetX - fit.scale * (fit.centre.x() - frame.offsetX)) * kx,
            (to.y() - frame.offsetY - fit.scale * (fit.centre.y() - frame.offsetY)) * ky);
        painter.scale(fit.scale, fit.scale);
    }
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
            case PageItem::Kind::Line:
            case PageItem::Kind::Rectangle:
            case PageItem::Kind::Ellipse:
            case PageItem::Kind::Polygon:
                RenderShape(item, painter, frame);
                break;
        }
    }
    painter.restore();
}

}  // namespace kivo::report
