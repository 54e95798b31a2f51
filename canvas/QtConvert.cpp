// Canvas colours and fonts converted to Qt's.
#include "canvas/QtConvert.h"

#include <algorithm>

namespace kivo::canvas {

QColor ToQColor(Rgb color) {
    return QColor(color.red, color.green, color.blue);
}

QFont ToQFont(const Font& font, int pixelsPerInch) {
    QFont q(QString::fromStdString(font.Name));
    q.setPixelSize(std::max(1, CharacterHeight(font.Size, pixelsPerInch)));
    q.setBold((font.Style & kBold) != 0);
    q.setItalic((font.Style & kItalic) != 0);
    q.setUnderline((font.Style & kUnderline) != 0);
    q.setStrikeOut((font.Style & kStrikeOut) != 0);
    return q;
}

}  // namespace kivo::canvas
