// An off-screen bitmap with a canvas on it, for drawings wanted as images: the printed
// report's chart and tables, kivo-cli render.
#pragma once

#include <QImage>
#include <QPainter>

#include "canvas/PainterCanvas.h"

namespace kivo::canvas {

namespace detail {
// Constructed before the canvas that draws through its painter.
struct BitmapSurface {
    BitmapSurface(int width, int height);
    QImage image;
    QPainter imagePainter;
};
}  // namespace detail

// An off-screen bitmap of a given size, all white at the start, with its canvas.
class Bitmap : private detail::BitmapSurface, public PainterCanvas {
public:
    Bitmap(int width, int height);

    int Width() const { return image.width(); }

    // Ends drawing and returns the picture; the canvas must not be drawn on afterwards.
    const QImage& Finish();
};

}  // namespace kivo::canvas
