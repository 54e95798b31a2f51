// What a band prints: text labels, a label with the print date, pictures and drawings. Each
// element records itself onto a page where its band is laid out.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

#include "canvas/Canvas.h"
#include "print/engine/FontSpec.h"
#include "print/engine/PageStore.h"

namespace kivo::report {

class ReportBand;

// An element's height, left, top and width, in tenths of a millimetre within its band.
struct ElementSize {
    double height = 0.0;
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
};

// Anything a band can print.
class ReportElement {
public:
    explicit ReportElement(ReportBand& band) : band_(band) {}
    virtual ~ReportElement() = default;
    ReportElement(const ReportElement&) = delete;
    ReportElement& operator=(const ReportElement&) = delete;

    // Draws the element on `page` with its top-left at the band's position plus its offset.
    virtual void Print(Page& page, double bandX, double bandY) = 0;

    ElementSize Size;
    bool Enabled = true;

protected:
    ReportBand& Band() const { return band_; }

private:
    ReportBand& band_;
};

enum class TextAlignment { Left, Right, Center };

// A text element: its caption is broken into lines when set.
class ReportLabel : public ReportElement {
public:
    using ReportElement::ReportElement;

    const QString& Caption() const { return caption_; }
    // Sets the caption and lays the label out again at once.
    void SetCaption(const QString& caption);
    // The lines the caption was broken into.
    const QStringList& Lines() const { return lines_; }

    // Lays the label out again after a change of its properties.
    void Reformat();

    void Print(Page& page, double bandX, double bandY) override;

    TextAlignment Alignment = TextAlignment::Left;
    bool AlignToBand = false;  // placed across the band's width by Alignment
    bool AutoSize = false;     // as wide as its widest line, which breaks only at CR
    bool WordWrap = true;      // false: only the first line prints
    bool Transparent = false;  // false: the label's area is filled with Color first
    QColor Color = Qt::white;
    FontSpec Font;
    // A word wider than the label goes on over the next lines instead of losing its end.
    bool BreakLongWords = false;
    // Text that does not fit the label's lines is marked: the last printed line ends in "…".
    bool EllipsisWhenCut = false;

private:
    // Breaks the text into lines of the label's width; true when some text was dropped.
    bool FillLines(const QString& text, const DesignMetrics& metrics);
    // Keeps the lines that fit the label's height, the last ending in "…" when some were left.
    void CutToHeight(const DesignMetrics& metrics, bool cut);

    QString caption_;
    QStringList lines_;
};

// A label whose caption the engine makes when it prints: `Text` and the current date.
class ReportDateLabel : public ReportLabel {
public:
    using ReportLabel::ReportLabel;
    void Print(Page& page, double bandX, double bandY) override;

    QString Text;
};

// A picture, drawn at its natural size (pixels at 96 per inch), centred or stretched.
class ReportImage : public ReportElement {
public:
    using ReportElement::ReportElement;
    void Print(Page& page, double bandX, double bandY) override;

    QImage Picture;
    bool Stretch = false;
    bool Center = false;
};

// A drawing made by one of the program's canvas routines, the same routine that draws it on
// screen or into an image. It is recorded as lines, shapes and text, so it prints sharp at
// any resolution with searchable text, laid out in design pixels (96 per inch) exactly as a
// bitmap of PixelWidth x PixelHeight at the element's top-left would be, on white.
class ReportDrawing : public ReportElement {
public:
    using ReportElement::ReportElement;
    void Print(Page& page, double bandX, double bandY) override;

    // Draws on the canvas, given the drawing's width and height in pixels. Set in a band
    // event with everything it draws captured; empty: the element prints nothing.
    std::function<void(canvas::Canvas& canvas, int width, int height)> Draw;
    int PixelWidth = 0;
    int PixelHeight = 0;
};

// The date a ReportDateLabel prints: today in the system locale's short date format.
QString ShortDateText();

}  // namespace kivo::report
