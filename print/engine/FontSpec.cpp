// Report fonts for a device's resolution, and metrics measured large and scaled to design size.
#include "print/engine/FontSpec.h"

#include <QFontMetricsF>
#include <cmath>

namespace kivo::report {

QFont FontSpec::ToQFont(double dpi) const {
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSize * dpi / 72.0))));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    // Unhinted glyphs keep their widths in proportion at every resolution, so text laid out
    // at design scale fits its labels on the printer and in the preview alike.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::NoSubpixelAntialias);
    return f;
}

namespace {
// Design metrics are measured on a large rendering and scaled down, free of rounding.
constexpr double kReferenceDpi = 1200.0;
constexpr double kToDesign = 96.0 / kReferenceDpi;
}  // namespace

DesignMetrics::DesignMetrics(const FontSpec& font) : font_(font.ToQFont(kReferenceDpi)) {}

double DesignMetrics::TextWidth(const QString& text) const {
    return QFontMetricsF(font_).horizontalAdvance(text) * kToDesign;
}

double DesignMetrics::TextHeight() const {
    return QFontMetricsF(font_).height() * kToDesign;
}

}  // namespace kivo::report
