#pragma once

#include <QIcon>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "canvas/Canvas.h"
#include "model/ClientRecord.h"

class QPushButton;

namespace kivo {

// The controls the two score pages share: their paint box, panels, buttons with the printer
// glyph, and the side panel's client details.

// The platform's button-face grey of the score pages and their side panels (0xRRGGBB).
inline constexpr unsigned kButtonFace = 0xF0F0F0;

// A white paint box: each paint event hands a canvas over the box and its client size to the
// paint handler.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    using PaintHandler = std::function<void(canvas::Canvas& canvas, int width, int height)>;

    PaintBox(QWidget* parent, const QString& name);
    void SetOnPaint(PaintHandler handler) { OnPaint_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaintHandler OnPaint_;
};

// A font of `family` at a character height in pixels.
QFont PixelFont(const QString& family, int pixelHeight, bool bold = false);

// Gives a score page its name, caption (never visible), button-face colour and default font.
void SetUpScorePage(QWidget& page, const QString& name, const QString& caption, const QFont& font);

// A panel without bevel at a fixed place, filled with `rgb` (0xRRGGBB).
QWidget* PlacePanel(QWidget* parent, const QString& name, QRect geometry, unsigned rgb);

// Panel1, white, at `geometry`, with the paint box GraphPaintBox filling it.
PaintBox* PlaceGraphPanel(QWidget* page, QRect geometry, PaintBox::PaintHandler onPaint);

// The 16 x 16 printer glyph with its greyed twin for the disabled state.
QIcon PrinterGlyph();

// A push button with the printer glyph, "MS Sans Serif" of `pixelHeight`, at a fixed place.
QPushButton* PlaceGlyphButton(QWidget* parent, const QString& name, const QString& caption,
                              QRect geometry, int pixelHeight);

// The run-time texts of the client detail labels, by label name, from `record`: the name,
// gender, date of birth, test form, both conditions and the comments. A test form or
// experience value outside its table leaves its label at the prefix.
std::vector<std::pair<QString, QString>> ClientInfoTexts(const ClientRecord& record);

// Places the client detail labels (NameLabel ... Label16) on a side panel with their design
// texts.
void PlaceClientInfoLabels(QWidget& panel2);

// Sets the texts of the labels placed by PlaceClientInfoLabels from `record`.
void ShowClientInfo(QWidget& panel2, const ClientRecord& record);

}  // namespace kivo
