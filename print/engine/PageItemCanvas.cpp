// Canvas calls turned into page items that cover what the same calls cover on a bitmap.
#include "print/engine/PageItemCanvas.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "canvas/QtConvert.h"
#include "print/engine/ReportUnits.h"

namespace kivo::report {
namespace {

QColor ToColor(canvas::Rgb color) {
    return canvas::ToQColor(color);
}

QRectF Bounds(const std::vector<QPointF>& points) {
    if (points.empty()) return {};
    double left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return {QPointF(left, top), QPointF(right, bottom)};
}

// The angle of the ray from the ellipse's centre (cx, cy) through (x, y), in radians, y
// upwards and scaled to the ellipse's radii rx and ry.
double RayAngle(double cx, double cy, double rx, double ry, int x, int y) {
    return std::atan2((cy - y) / ry, (x - cx) / rx);
}

FontSpec RecordedFont(const canvas::Font& font) {
    FontSpec recorded;
    recorded.family = QString::fromStdString(font.Name);
    recorded.pointSize = font.Size;
    recorded.bold = (font.Style & canvas::kBold) != 0;
    recorded.italic = (font.Style & canvas::kItalic) != 0;
    recorded.underline = (font.Style & canvas::kUnderline) != 0;
    recorded.color = ToColor(font.Color);
    return recorded;
}

}  // namespace

PageItemCanvas::PageItemCanvas(Page& page, QPointF origin, QRectF bounds)
    : page_(page), origin_(origin), bounds_(bounds) {}

QPointF PageItemCanvas::At(double x, double y) const {
    return {origin_.x() + DesignPixelsToTenths(x), origin_.y() + DesignPixelsToTenths(y)};
}

QPointF PageItemCanvas::Centre(canvas::Point p) const {
    return At(p.x + 0.5, p.y + 0.5);
}

PenStyle PageItemCanvas::CurrentPen() const {
    PenStyle recorded;
    recorded.color = ToColor(pen().Color);
    recorded.width = DesignPixelsToTenths(std::max(pen().Width, 1));
    recorded.dotted = pen().Style == canvas::PenStyle::Dotted;
    return recorded;
}

QColor PageItemCanvas::CurrentFill() const {
    if (brush().Style() == canvas::BrushStyle::NoFill) return Qt::transparent;
    return ToColor(brush().Color());
}

void PageItemCanvas::Fill(QRectF area, QColor color) {
    PageItem item;
    item.kind = PageItem::Kind::Fill;
    item.rect = area;
    item.color = color;
    page_.items.push_back(std::move(item));
}

void PageItemCanvas::Box(PageItem::Kind kind, int x1, int y1, int x2, int y2) {
    // The pen is centred on the outline through the outermost pixels' centres, so that a
    // pen one pixel wide covers exactly the pixels x1..x2-1, y1..y2-1.
    PageItem item;
    item.kind = kind;
    item.rect = QRectF(At(x1 + 0.5, y1 + 0.5), At(x2 - 0.5, y2 - 0.5)).normalized();
    item.pen = CurrentPen();
    item.color = CurrentFill();
    page_.items.push_back(std::move(item));
}

void PageItemCanvas::Lines(std::vector<QPointF> points, bool lastPointExcluded) {
    if (points.size() < 2) return;
    if (lastPointExcluded) {
        // A line through pixel centres covers its first pixel whole and stops before its last
        // pixel, as on a bitmap: both ends move back half a pixel along their segments.
        const auto back = [](QPointF& end, const QPointF& from, const QPointF& to) {
            const QPointF d = to - from;
            const double length = std::hypot(d.x(), d.y());
            if (length > 0) end -= d * (DesignPixelsToTenths(0.5) / length);
        };
        back(points.front(), points[0], points[1]);
        back(points.back(), points[points.size() - 2], points.back());
    }
    PageItem item;
    item.kind = PageItem::Kind::Line;
    item.rect = Bounds(points);
    item.pen = CurrentPen();
    item.color = Qt::transparent;
    item.points = std::move(points);
    page_.items.push_back(std::move(item));
}

void PageItemCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Box(PageItem::Kind::Rectangle, x1, y1, x2, y2);
}

void PageItemCanvas::FillRect(const canvas::Rect& rect) {
    if (brush().Style() == canvas::BrushStyle::NoFill) return;
    // A rectangle given the wrong way round fills as if its edges were swapped.
    const int left = std::min(rect.Left, rect.Right);
    const int right = std::max(rect.Left, rect.Right);
    const int top = std::min(rect.Top, rect.Bottom);
    const int bottom = std::max(rect.Top, rect.Bottom);
    Fill(QRectF(At(left, top), At(right, bottom)), ToColor(brush().Color()));
}

void PageItemCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Box(PageItem::Kind::Ellipse, x1, y1, x2, y2);
}

void PageItemCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    // Recorded as a fine polyline along the ellipse through the outline's pixel centres.
    const double cx = (x1 + x2) / 2.0;
    const double cy = (y1 + y2) / 2.0;
    const double rx = std::max((x2 - x1 - 1) / 2.0, 0.5);
    const double ry = std::max((y2 - y1 - 1) / 2.0, 0.5);
    const double start = RayAngle(cx, cy, rx, ry, x3, y3);
    double span = RayAngle(cx, cy, rx, ry, x4, y4) - start;
    if (span <= 0) span += 2.0 * std::numbers::pi;
    const int steps = std::max(2, static_cast<int>(std::ceil(span / (std::numbers::pi / 90.0))));
    std::vector<QPointF> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double a = start + span * i / steps;
        points.push_back(At(cx + rx * std::cos(a), cy - ry * std::sin(a)));
    }
    Lines(std::move(points), false);
}

void PageItemCanvas::MoveTo(int x, int y) {
    SetPenPos({x, y});
}

void PageItemCanvas::LineTo(int x, int y) {
    const canvas::Point from = PenPos();
    if (from != canvas::Point{x, y}) Lines({Centre(from), Centre({x, y})}, true);
    SetPenPos({x, y});
}

void PageItemCanvas::Polyline(std::span<const canvas::Point> points) {
    std::vector<QPointF> centres;
    centres.reserve(points.size());
    for (const canvas::Point& p : points) centres.push_back(Centre(p));
    Lines(std::move(centres), true);
}

void PageItemCanvas::Polygon(std::span<const canvas::Point> points) {
    if (points.size() < 2) return;
    PageItem item;
    item.kind = PageItem::Kind::Polygon;
    for (const canvas::Point& p : points) item.points.push_back(Centre(p));
    item.rect = Bounds(item.points);
    item.pen = CurrentPen();
    item.color = CurrentFill();
    page_.items.push_back(std::move(item));
}

void PageItemCanvas::TextOut(int x, int y, std::string_view text) {
    const int width = TextWidth(text);
    if (brush().Style() == canvas::BrushStyle::Solid) {
        Fill(QRectF(At(x, y), At(x + width, y + TextHeight(text))), ToColor(brush().Color()));
    }
    const QPointF cell = At(x, y);
    PageItem item;
    item.kind = PageItem::Kind::Text;
    // Left-aligned at the cell, clipped where the drawing's bitmap would end.
    item.rect = QRectF(QPointF(cell.x(), bounds_.top()),
                       QPointF(std::max(cell.x(), bounds_.right()), bounds_.bottom()));
    item.text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    item.font = RecordedFont(font());
    item.align = PageItem::Align::Left;
    item.top = cell.y();
    if (!item.text.isEmpty()) page_.items.push_back(std::move(item));
    SetPenPos({x + width, y});
}

int PageItemCanvas::TextWidth(std::string_view text) {
    // As wide as the paper prints it, so that centred and right-aligned texts sit right there.
    const FontSpec wanted = RecordedFont(font());
    if (!metrics_ || !(metricsFont_ == wanted)) {
        metrics_.emplace(wanted);
        metricsFont_ = wanted;
    }
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return static_cast<int>(std::lround(metrics_->TextWidth(qtext)));
}

int PageItemCanvas::TextHeight(std::string_view) {
    return fonts_.TextHeight(font());
}

}  // namespace kivo::report
