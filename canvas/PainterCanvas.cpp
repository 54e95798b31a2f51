// Canvas calls turned into QPainter calls that cover exactly the pixels the canvas promises.
#include "canvas/PainterCanvas.h"

#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <cmath>
#include <numbers>

#include "canvas/QtConvert.h"

namespace kivo::canvas {
namespace {

// The box covering x1..x2-1, y1..y2-1: QPainter outlines a QRect one pixel wider and taller
// than its size.
QRect OutlineBox(int x1, int y1, int x2, int y2) {
    return QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

QPolygon ToQPolygon(std::span<const Point> points) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& p : points) polygon.append(QPoint(p.x, p.y));
    return polygon;
}

// The angle in 1/16 degree of the ellipse point on the ray from the centre through (x, y),
// in QPainter's parametric angles (counter-clockwise, y upwards).
double RayAngle(const QRectF& box, int x, int y) {
    const double dx = (x - box.center().x()) / (box.width() / 2.0);
    const double dy = (box.center().y() - y) / (box.height() / 2.0);
    return std::atan2(dy, dx) * 180.0 / std::numbers::pi * 16.0;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, int pixelsPerInch)
    : painter_(painter), fonts_(pixelsPerInch) {
    PreparePainter();
}

void PainterCanvas::PreparePainter() {
    paintedFont_ = -1;  // a painter that (re)begins has its device's default font
    if (!painter_.isActive()) return;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBackgroundMode(Qt::TransparentMode);
}

void PainterCanvas::ApplyPen() {
    QPen qpen(ToQColor(pen().Color));
    qpen.setWidth(pen().Width);
    // A flat cap leaves a line's last pixel undrawn, as LineTo promises.
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    if (pen().Style == PenStyle::Dotted) qpen.setDashPattern({1.0, 1.0});
    painter_.setPen(qpen);
}

void PainterCanvas::ApplyPenAndBrush() {
    ApplyPen();
    if (brush().Style() == BrushStyle::NoFill) {
        painter_.setBrush(Qt::NoBrush);
    } else {
        painter_.setBrush(ToQColor(brush().Color()));
    }
}

void PainterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    ApplyPenAndBrush();
    painter_.drawRect(OutlineBox(x1, y1, x2, y2));
}

void PainterCanvas::FillRect(const Rect& rect) {
    if (brush().Style() == BrushStyle::NoFill) return;
    const QRect box = QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right - 1, rect.Bottom - 1));
    painter_.fillRect(box.normalized(), ToQColor(brush().Color()));
}

void PainterCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    ApplyPenAndBrush();
    painter_.drawEllipse(OutlineBox(x1, y1, x2, y2));
}

void PainterCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ApplyPen();
    const QRect box = OutlineBox(x1, y1, x2, y2);
    const QRectF geometry(box);
    const double start = RayAngle(geometry, x3, y3);
    double span = RayAngle(geometry, x4, y4) - start;
    if (span <= 0) span += 360.0 * 16.0;
    painter_.drawArc(box, static_cast<int>(std::lround(start)),
                     static_cast<int>(std::lround(span)));
}

void PainterCanvas::MoveTo(int x, int y) {
    SetPenPos({x, y});
}

void PainterCanvas::LineTo(int x, int y) {
    ApplyPen();
    const Point from = PenPos();
    if (from != Point{x, y}) painter_.drawLine(from.x, from.y, x, y);
    SetPenPos({x, y});
}

void PainterCanvas::Polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    ApplyPen();
    painter_.drawPolyline(ToQPolygon(points));
}

void PainterCanvas::Polygon(std::span<const Point> points) {
    if (points.size() < 2) return;
    ApplyPenAndBrush();
    painter_.drawPolygon(ToQPolygon(points));
}

void PainterCanvas::TextOut(int x, int y, std::string_view text) {
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics& metrics = fonts_.Metrics(font());
    const int width = metrics.horizontalAdvance(qtext);
    if (brush().Style() == BrushStyle::Solid) {
        painter_.fillRect(QRect(x, y, width, metrics.height()), ToQColor(brush().Color()));
    }
    const QFont& qfont = fonts_.QtFont(font());
    if (fonts_.Generation() != paintedFont_) {
        painter_.setFont(qfont);
        paintedFont_ = fonts_.Generation();
    }
    painter_.setPen(ToQColor(font().Color));
    painter_.drawText(QPoint(x, y + metrics.ascent()), qtext);
    SetPenPos({x + width, y});
}

int PainterCanvas::TextWidth(std::string_view text) {
    return fonts_.TextWidth(font(), text);
}

int PainterCanvas::TextHeight(std::string_view) {
    return fonts_.TextHeight(font());
}

}  // namespace kivo::canvas
