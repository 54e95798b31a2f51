// The canvas over QPainter: shapes and text to the canvas's pixel rules on any Qt paint device.
#pragma once

#include <QPainter>

#include "canvas/Canvas.h"
#include "canvas/FontCache.h"

namespace kivo::canvas {

// Draws with an active QPainter on any Qt paint device: a widget in its paint event, an
// image, a printer or PDF page. Lines and shapes are drawn without antialiasing, to the
// pixel rules of Canvas.
class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QPainter& painter, int pixelsPerInch = kScreenPixelsPerInch);

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

protected:
    // Render hints for pixel-exact shapes; call again after QPainter::begin().
    void PreparePainter();

private:
    void ApplyPen();
    void ApplyPenAndBrush();

    QPainter& painter_;
    FontCache fonts_;
    int paintedFont_ = -1;  // the font generation last handed to the painter
};

}  // namespace kivo::canvas
