// Fonts as a report describes them, and their metrics at design scale, so that text laid out
// once fits its labels on every device.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace kivo::report {

// A font as a report describes it: family, size in points, style and colour.
struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 9.75;  // 13 pixels at 96 per inch
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color = Qt::black;

    // The font for a device of `dpi` pixels per inch: a character height of
    // size x dpi / 72 pixels, rounded.
    QFont ToQFont(double dpi) const;

    bool operator==(const FontSpec&) const = default;
};

// Metrics of a font at design scale (96 per inch), in design pixels.
class DesignMetrics {
public:
    explicit DesignMetrics(const FontSpec& font);
    double TextWidth(const QString& text) const;
    double TextHeight() const;  // the height of a line ("W")

private:
    QFont font_;
};

}  // namespace kivo::report
