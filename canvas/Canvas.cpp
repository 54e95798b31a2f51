// Font sizes in device pixels for the canvas's point sizes.
#include "canvas/Canvas.h"

#include <cmath>

namespace kivo::canvas {

int CharacterHeight(int points, int pixelsPerInch) {
    return static_cast<int>(std::lround(static_cast<double>(points) * pixelsPerInch / 72.0));
}

}  // namespace kivo::canvas
