// Records each canvas call with the state of that moment.
#include "canvas/RecordingCanvas.h"

#include <utility>

namespace kivo::canvas {

void RecordingCanvas::Record(CanvasOp op, std::vector<Point> points, std::string text) {
    calls_.push_back({op, std::move(points), std::move(text), pen(), brush(), font()});
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Record(CanvasOp::Rectangle, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::FillRect(const Rect& rect) {
    Record(CanvasOp::FillRect, {{rect.Left, rect.Top}, {rect.Right, rect.Bottom}});
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Record(CanvasOp::Ellipse, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Record(CanvasOp::Arc, {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}});
}

void RecordingCanvas::MoveTo(int x, int y) {
    Record(CanvasOp::MoveTo, {{x, y}});
    SetPenPos({x, y});
}

void RecordingCanvas::LineTo(int x, int y) {
    Record(CanvasOp::LineTo, {PenPos(), {x, y}});
    SetPenPos({x, y});
}

void RecordingCanvas::Polyline(std::span<const Point> points) {
    Record(CanvasOp::Polyline, {points.begin(), points.end()});
}

void RecordingCanvas::Polygon(std::span<const Point> points) {
    Record(CanvasOp::Polygon, {points.begin(), points.end()});
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
    Record(CanvasOp::TextOut, {{x, y}}, std::string(text));
    SetPenPos({x + TextWidth(text), y});
}

int RecordingCanvas::TextWidth(std::string_view text) {
    return fonts_.TextWidth(font(), text);
}

int RecordingCanvas::TextHeight(std::string_view) {
    return fonts_.TextHeight(font());
}

std::vector<CanvasCall> RecordingCanvas::CallsOf(CanvasOp op) const {
    std::vector<CanvasCall> result;
    for (const auto& call : calls_) {
        if (call.Op == op) result.push_back(call);
    }
    return result;
}

}  // namespace kivo::canvas
