#include "FontSpec.h"

#include <QFontMetrics>
#include <cmath>

namespace kivo::report {

QFont FontSpec::ToQFont(double dpi) const {
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSize * dpi / 72.0))));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStyleStrategy(QFont::NoSubpixelAntialias);
    return f;
}

DesignMetrics::DesignMetrics(const FontSpec& font) : font_(font.ToQFont(96.0)) {}

double DesignMetrics::TextWidth(const QString& text) const {
    return QFontMetrics(font_).horizontalAdvance(text);
}

double DesignMetrics::TextHeight() const {
    const QFontMetrics m(font_);
    return m.height();
}

double DesignMetrics::Ascent() const { return QFontMetrics(font_).ascent(); }

}  // namespace kivo::report
