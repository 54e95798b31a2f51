// Canvas colours and fonts as Qt's, for the painting canvas and its font cache.
#pragma once

#include <QColor>
#include <QFont>

#include "canvas/Canvas.h"

namespace kivo::canvas {

QColor ToQColor(Rgb color);

// The Qt font of a canvas font on a device of `pixelsPerInch`: its pixel size is the
// character height (Windows font names resolve through InstallFontSubstitutes).
QFont ToQFont(const Font& font, int pixelsPerInch);

}  // namespace kivo::canvas
