// The controls the two score pages share: their paint box, the graph panel, the printer glyph
// of their buttons, and the side panel's client details.
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

namespace kivo {

// The platform's button-face grey of the score pages and their side panels (0xRRGGBB).
inline constexpr unsigned kButtonFace = 0xF0F0F0;

// A white paint box: whenever it repaints it hands a canvas over the box and its client size
// to its drawing routine.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    using Drawing = std::function<void(canvas::Canvas& canvas, int width, int height)>;

    PaintBox(QWidget* parent, const QString& name);
    void SetDrawing(Drawing draw) { draw_ = std::move(draw); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Drawing draw_;
};

// Gives a score page its name, caption (never visible), button-face colour and default font.
void SetUpScorePage(QWidget& page, const QString& name, const QString& caption, const QFont& font);

// Panel1, white, at `geometry`, with the paint box GraphPaintBox filling it and drawn by `draw`.
PaintBox* PlaceGraphPanel(QWidget* page, QRect geometry, PaintBox::Drawing draw);

// The 16 x 16 printer glyph of the score pages' buttons, with its greyed twin for the
// disabled state.
QIcon PrinterGlyph();

// The run-time texts of the client detail labels, by label name, from `record`: the name,
// gender, date of birth, test form, both conditions and the comments. A test form or
// experience value outside its table leaves its label at the prefix.
std::vector<std::pair<QString, QString>> ClientInfoTexts(const ClientRecord& record);

// Places the client detail labels (NameLabel ... Label16) on a side panel with their design
// texts.
void PlaceClientInfoLabels(QWidget& clientPanel);

// Sets the texts of the labels placed by PlaceClientInfoLabels from `record`.
void ShowClientInfo(QWidget& clientPanel, const ClientRecord& record);

}  // namespace kivo
