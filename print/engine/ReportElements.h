#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include "FontSpec.h"
#include "PageStore.h"

namespace kivo::report {

class TReportBand;

// Size.Values of an element: height, left, top, width, in tenths of a millimetre within
// its band.
struct ElementSize {
    double height = 0.0;
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
};

// Anything a band can print.
class TReportPrintable {
public:
    explicit TReportPrintable(TReportBand& band) : band_(band) {}
    virtual ~TReportPrintable() = default;
    TReportPrintable(const TReportPrintable&) = delete;
    TReportPrintable& operator=(const TReportPrintable&) = delete;

    // Draws the element on `page` with its top-left at the band's position plus its offset.
    virtual void Print(Page& page, double bandX, double bandY) = 0;

    ElementSize Size;
    bool Enabled = true;

protected:
    TReportBand& Band() const { return band_; }

private:
    TReportBand& band_;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// A text element: its caption is broken into lines when set.
class TCustomReportLabel : public TReportPrintable {
public:
    using TReportPrintable::TReportPrintable;

    const QString& Caption() const { return caption_; }
    // Sets the caption and lays the label out again at once.
    void SetCaption(const QString& caption);
    // The lines the caption was broken into.
    const QStringList& Lines() const { return lines_; }

    // Lays the label out again after a change of its properties.
    void Reformat();

    void Print(Page& page, double bandX, double bandY) override;

    TAlignment Alignment = TAlignment::taLeftJustify;
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

class TReportLabel : public TCustomReportLabel {
public:
    using TCustomReportLabel::TCustomReportLabel;
};

enum class TSysDataType { sdDate };

// A label whose caption the engine makes when it prints: `Text` and the current date.
class TReportSysData : public TCustomReportLabel {
public:
    using TCustomReportLabel::TCustomReportLabel;
    void Print(Page& page, double bandX, double bandY) override;

    TSysDataType Data = TSysDataType::sdDate;
    QString Text;
};

// A picture, drawn at its natural size (pixels at 96 per inch), centred or stretched.
class TReportImage : public TReportPrintable {
public:
    using TReportPrintable::TReportPrintable;
    void Print(Page& page, double bandX, double bandY) override;

    QImage Picture;
    bool Stretch = false;
    bool Center = false;
    bool AutoSize = false;
};

// The date text used by TReportSysData: the system's short date format. Tests may fix it.
QString ShortDateText();

}  // namespace kivo::report
