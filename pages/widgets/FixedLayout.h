// The fixed-layout widget kit of the pages and the program's own boxes: fonts by pixel
// height, colours, labels, bevels, panels, lists and buttons at fixed places, one maker each.
#pragma once

#include <QComboBox>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

namespace kivo {

// The family the pages are laid out in; the font map picks the installed family for it.
inline const QString kSansSerifFamily = QStringLiteral("MS Sans Serif");

// A font of `family` at a character height in pixels.
QFont PixelFont(int pixelHeight, bool bold = false, const QString& family = kSansSerifFamily);

// Gives `widget` the font unless it already has it from its parent. A change of font costs
// every widget a new layout, and makes a drop-down list build its popup list at once.
void ApplyFont(QWidget& widget, const QFont& font);

// Sets a widget's background (0xRRGGBB) and makes it paint it.
void SetBackground(QWidget& widget, unsigned rgb);
// Sets a widget's text colour (0xRRGGBB).
void SetTextColour(QWidget& widget, unsigned rgb);

// How a placed label shows its text.
struct LabelStyle {
    std::optional<QFont> font;  // none: the parent's font
    // Record texts are shown as typed, never read as markup.
    Qt::TextFormat format = Qt::PlainText;
    // For a label in a box only: where the text stands in the box and whether it wraps.
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
};

// The geometry of a label that sizes itself to its text at `topLeft`.
constexpr QRect At(QPoint topLeft) {
    return {topLeft, QSize()};
}
constexpr QRect At(int left, int top) {
    return At(QPoint(left, top));
}

// A label at a fixed place in `parent`. A geometry of empty size gives a label that sizes
// itself to its text at the geometry's top-left; otherwise the label keeps the geometry and
// places its text by the style's alignment and word wrap.
QLabel* PlaceLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                   const LabelStyle& style = {});

// A bevel (sunken box) at a fixed place.
void PlaceBevel(QWidget* parent, QRect geometry);

// The title label "KIVO" at its place, 24 px high.
QLabel* PlaceTitleLabel(QWidget* parent, QPoint at);

// A panel without bevel at a fixed place, filled with `rgb` (0xRRGGBB).
QWidget* PlacePanel(QWidget* parent, const QString& name, QRect geometry, unsigned rgb);

// A drop-down list at a fixed place with `items` and 16 px item rows, nothing chosen; the mouse
// wheel never changes it while it is closed (WheelSafeComboBox). Editable lists get the length
// limit (0: none) and a RecordLineEdit, which refuses characters the record cannot hold and
// cleans pastes; typed text never adds an item.
QComboBox* PlaceList(QWidget* parent, const QString& name, QRect geometry, const QStringList& items,
                     bool editable, int maxLength = 0, const std::optional<QFont>& font = {});

// A push button at a fixed place; a glyph, when given, is drawn 16 x 16 before the caption.
QPushButton* PlaceButton(QWidget* parent, const QString& name, const QString& caption,
                         QRect geometry, const std::optional<QFont>& font = {},
                         const QIcon& glyph = {});

}  // namespace kivo
