// Canvas colours (0x00BBGGRR) and fonts converted to Qt's.
#include "canvas/QtConvert.h"

#include <algorithm>

namespace kivo::canvas {

QColor ToQColor(TColor color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QFont ToQFont(const Font& font, int pixelsPerInch) {
    QFont q(QString::fromStdString(font.Name));
    q.setPixelSize(std::max(1, CharacterHeight(font.Size, pixelsPerInch)));
    q.setBold((font.Style & fsBold) != 0);
    q.setItalic((font.Style & fsItalic) != 0);
    q.setUnderline((font.Style & fsUnderline) != 0);
    q.setStrikeOut((font.Style & fsStrikeOut) != 0);
    return q;
}

}  // namespace kivo::canvas
