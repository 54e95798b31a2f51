// The white image and the painter that an off-screen bitmap's canvas draws with.
#include "canvas/Bitmap.h"

#include <algorithm>

namespace kivo::canvas {
namespace detail {

BitmapSurface::BitmapSurface(int width, int height)
    : image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
    image.fill(Qt::white);
    imagePainter.begin(&image);
}

}  // namespace detail

Bitmap::Bitmap(int width, int height)
    : detail::BitmapSurface(width, height), PainterCanvas(imagePainter, kScreenPixelsPerInch) {}

const QImage& Bitmap::Finish() {
    if (imagePainter.isActive()) imagePainter.end();
    return image;
}

}  // namespace kivo::canvas
