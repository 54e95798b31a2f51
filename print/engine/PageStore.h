// A generated report's pages as drawings in tenths of a millimetre, so the preview, the printer
// and the page files draw the same pages at any resolution.
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

#include "print/engine/FontSpec.h"

class QPainter;

namespace kivo::report {

// One drawing on a recorded page. Every length is in tenths of a millimetre from the
// paper's top-left corner, so a page can be drawn at any resolution.
struct PageItem {
    enum class Kind : quint8 { Fill = 1, Text = 2, Image = 3 };
    enum class Align : quint8 { Left = 0, Right = 1, Center = 2 };

    Kind kind = Kind::Fill;
    QRectF rect;   // Fill: the area; Text and Image: the clip rectangle
    QColor color;  // Fill colour
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
};

// Draws one page with `painter` on a device described by `frame`.
void RenderPage(const Page& page, QPainter& painter, const DeviceFrame& frame);

}  // namespace kivo::report
