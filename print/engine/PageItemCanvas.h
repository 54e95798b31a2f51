// A canvas that records the program's drawings as page items, so a chart or a table drawn by
// the same routine as on screen prints as lines, shapes and real text instead of a bitmap.
#pragma once

#include <QPointF>
#include <QRectF>
#include <optional>

#include "canvas/Canvas.h"
#include "canvas/FontCache.h"
#include "print/engine/PageStore.h"

namespace kivo::report {

// Records canvas calls onto a page, in design pixels (96 per inch) from `origin`, so every
// shape lands where the same drawing's bitmap pixels would: outlines and lines run along the
// centres of the pixels they would cover. Texts are as high as on a 96 per inch bitmap and as
// wide as the paper prints them (unhinted), so a centred title stays centred; they are
// clipped to `bounds` as a bitmap of that size would clip them.
class PageItemCanvas : public canvas::Canvas {
public:
    // `origin` and `bounds` in tenths of a millimetre on the page.
    PageItemCanvas(Page& page, QPointF origin, QRectF bounds);

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(const canvas::Rect& rect) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(std::span<const canvas::Point> points) override;
    void Polygon(std::span<const canvas::Point> points) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    int PixelsPerInch() const override { return canvas::kScreenPixelsPerInch; }

private:
    // A design pixel position on the page; `centre` moves it to the pixel's centre.
    QPointF At(double x, double y) const;
    QPointF Centre(canvas::Point p) const;
    PenStyle CurrentPen() const;
    QColor CurrentFill() const;
    // An outlined and filled box covering x1..x2-1, y1..y2-1 as Rectangle and Ellipse do.
    void Box(PageItem::Kind kind, int x1, int y1, int x2, int y2);
    // An open polyline; with `lastPointExcluded` it covers the pixels a bitmap line would.
    void Lines(std::vector<QPointF> points, bool lastPointExcluded);
    void Fill(QRectF area, QColor color);

    Page& page_;
    QPointF origin_;
    QRectF bounds_;
    canvas::FontCache fonts_{canvas::kScreenPixelsPerInch};
    std::optional<DesignMetrics> metrics_;  // of metricsFont_, kept while the font stays
    FontSpec metricsFont_;
};

}  // namespace kivo::report
