// One page of a report on screen at a zoom, outlined and shadowed like paper.
#pragma once

#include <QWidget>

#include "print/engine/PageStore.h"

class QPainter;

namespace kivo::report {

// The most pixels one picture of a page may hold (128 MB, A3 at 300 dpi twice over): a page
// file may name paper metres wide, whose picture at print quality would not fit in memory.
constexpr double kMaxPageImagePixels = 32.0 * 1024 * 1024;

// `dpi`, or less where the page's picture at `dpi` would hold more than kMaxPageImagePixels.
double DpiWithinImageBudget(const Page& page, double dpi);

// `page` drawn alone on white at `dpi` dots per inch (less for a page too big for that,
// DpiWithinImageBudget), its resolution recorded in the image: the picture that is copied or
// saved, as sharp as print.
QImage PageImageAt(const Page& page, double dpi);

// One recorded page drawn at a zoom percentage of its natural size on screen: a white page
// with a one-pixel black outline and a two-pixel shadow along its right and bottom edges.
class PreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPage(QWidget* parent = nullptr);

    void SetPage(const Page* page);
    // The page shown, none before the first.
    const Page* ShownPage() const { return page_; }
    void SetZoom(int percent);
    int Zoom() const { return zoom_; }

    // The page's size in screen pixels at `percent`, without outline and shadow.
    QSize PagePixels(int percent) const;
    // The page image: the page at the current zoom plus 4 pixels of outline and shadow.
    QImage PageImage() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double ScreenDpi() const;
    // The page at the current zoom with its outline and shadow, from the widget's top-left.
    void PaintPage(QPainter& p) const;

    const Page* page_ = nullptr;
    int zoom_ = 100;
    QImage cached_;  // the page image of the current page and zoom, drawn once if not too big
};

}  // namespace kivo::report
