// A canvas that records its calls instead of drawing, so tests can check every position and
// the pen, brush and font of each call.
#pragma once

#include <string>
#include <vector>

#include "canvas/Canvas.h"
#include "canvas/FontCache.h"

namespace kivo::canvas {

enum class CanvasOp {
    Rectangle,
    FillRect,
    Ellipse,
    Arc,
    MoveTo,
    LineTo,
    Polyline,
    Polygon,
    TextOut
};

// One drawing call with the canvas state at that moment. Points hold the arguments in call
// order: Rectangle, Ellipse and FillRect their two corners; Arc its four points; MoveTo its
// target; LineTo the pen position and the target; TextOut its cell's top-left.
struct CanvasCall {
    CanvasOp Op = CanvasOp::MoveTo;
    std::vector<Point> Points;
    std::string Text;
    Pen pen;
    Brush brush;
    Font font;
};

// Records every call instead of drawing. Texts are measured with the same fonts as the
// painting canvas at the given resolution, so recorded positions match a real drawing.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(int pixelsPerInch = kScreenPixelsPerInch) : fonts_(pixelsPerInch) {}

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(const Rect& rect) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(std::span<const Point> points) override;
    void Polygon(std::span<const Point> points) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    int PixelsPerInch() const override { return fonts_.PixelsPerInch(); }

    const std::vector<CanvasCall>& Calls() const { return calls_; }
    // The calls of one kind, in order.
    std::vector<CanvasCall> CallsOf(CanvasOp op) const;

private:
    void Record(CanvasOp op, std::vector<Point> points, std::string text = {});

    FontCache fonts_;
    std::vector<CanvasCall> calls_;
};

}  // namespace kivo::canvas
