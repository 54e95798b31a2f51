// A generated report's pages as drawings in tenths of a millimetre, so the preview, the printer
// and the page files draw the same pages at any resolution.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

#include "print/engine/FontSpec.h"

class QPainter;

namespace kivo::report {

// The outline of a recorded line or shape: its colour, its width in tenths of a millimetre
// and whether it is dotted (dots and gaps as long as the line is wide).
struct PenStyle {
    QColor color = Qt::black;  // transparent: no outline
    double width = 0.0;
    bool dotted = false;

    bool operator==(const PenStyle&) const = default;
};

// One drawing on a recorded page. Every length is in tenths of a millimetre from the
// paper's top-left corner, so a page can be drawn at any resolution. Lines, rectangles,
// ellipses and polygons keep charts and tables sharp and their texts real text on paper.
struct PageItem {
    enum class Kind : quint8 {
        Fill = 1,
        Text = 2,
        Image = 3,
        Line = 4,
        Rectangle = 5,
        Ellipse = 6,
        Polygon = 7,
    };
    enum class Align : quint8 { Left = 0, Right = 1, Center = 2 };

    Kind kind = Kind::Fill;
    // Fill: the area; Text and Image: the clip rectangle; Rectangle: the outline's centre
    // line; Ellipse: the box of that centre line; Line and Polygon: the points' bounds.
    QRectF rect;
    QColor color;  // Fill colour; the inside of a Rectangle, Ellipse or Polygon (transparent: none)
    // Line, Rectangle, Ellipse and Polygon: the outline.
    PenStyle pen;
    // Line: an open polyline through the points; Polygon: closed.
    std::vector<QPointF> points;
    // Text: one line whose cell top is `top`, placed within `rect` by `align`.
    QString text;
    FontSpec font;
    Align align = Align::Left;
    double top = 0.0;
    // Image: drawn into `target` (natural size, centred or stretched), clipped to `rect`.
    QRectF target;
    QImage image;
};

struct Page {
    double width = 0.0;  // paper size
    double height = 0.0;
    std::vector<PageItem> items;
};

// The pages of one generated report, kept for the preview and for printing.
class PageStore {
public:
    QString title;
    std::vector<Page> pages;
    // The page file the pages were loaded from; empty for pages a run made. Not saved.
    QString source;

    int PageCount() const { return static_cast<int>(pages.size()); }
};

// Where and how finely a page is drawn: `dpiX`/`dpiY` device pixels per inch, and the
// device's origin on the paper (a printer's unprintable margin) in tenths of a millimetre.
struct DeviceFrame {
    double dpiX = 96.0;
    double dpiY = 96.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
    // The part of the paper the device can mark, in tenths of a millimetre from the paper's
    // corner; empty when it can mark all of it (a PDF, an image, the screen).
    QRectF printable;
};

// How a page whose items reach outside the printable area is brought inside it: scaled by
// `scale` (at most 1, the same both ways) about the items' bounds, then moved by `shift`, in
// tenths of a millimetre. Identity when the items fit, or when the device can mark the whole
// paper.
struct PageFit {
    double scale = 1.0;
    QPointF shift;
    QPointF centre;
};
PageFit FitToPrintable(const Page& page, const QRectF& printable);

// Draws one page with `painter` on a device described by `frame`, fitted into its printable
// area when it has one.
void RenderPage(const Page& page, QPainter& painter, const DeviceFrame& frame);

}  // namespace kivo::report
