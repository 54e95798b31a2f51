#pragma once

#include <QLabel>
#include <QString>
#include <string>

namespace kivo {

// Text of the product content (Windows-1252 bytes) for a label.
QString ContentText(const std::string& cp1252);

// A label at a fixed place in `parent`; a geometry of empty size gives a label that sizes itself.
QLabel* PlaceLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                   int pixelHeight = 11);

// A bevel (sunken box) at a fixed place.
void PlaceBevel(QWidget* parent, QRect geometry);

// The title label "KIVO" at its place, 24 px high.
QLabel* PlaceTitleLabel(QWidget* parent, QPoint at);

}  // namespace kivo
