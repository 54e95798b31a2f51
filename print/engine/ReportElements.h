#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include "print/engine/FontSpec.h"
#include "print/engine/PageStore.h"

namespace kivo::report {

class ReportBand;

// Size.Values of an element: height, left, top, width, in tenths of a millimetre within
// its band.
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

enum class TextAlignment { Left, Right, Centre };

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
    bool AlignToBand = false;
    bool AutoSize = false;
    bool AutoStretch = false;
    bool WordWrap = true;
    bool Transparent = false;
    QColor Color = Qt::white;
    FontSpec Font;

private:
    void FillLines(const QString& text, const DesignMetrics& metrics);

    QString caption_;
    QStringList lines_;
};

enum class DateLabelData { Date };

// A label whose caption the engine makes when it prints: `Text` and the current date.
class ReportDateLabel : public ReportLabel {
public:
    using ReportLabel::ReportLabel;
    void Print(Page& page, double bandX, double bandY) override;

    DateLabelData Data = DateLabelData::Date;
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
    bool AutoSize = false;
};

// The date text used by ReportDateLabel: the system's short date format. Tests may fix it.
QString ShortDateText();

}  // namespace kivo::report
