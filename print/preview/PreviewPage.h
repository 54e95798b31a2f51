// One page of a report on screen at a zoom, outlined and shadowed like paper.
#pragma once

#include <QWidget>

#include "print/engine/PageStore.h"

namespace kivo::report {

// `page` drawn alone on white at `dpi` dots per inch, its resolution recorded in the image: the
// picture that is copied or saved, as sharp as print.
QImage PageImageAt(const Page& page, double dpi);

// One recorded page drawn at a zoom percentage of its natural size on screen: a white page
// with a one-pixel black outline and a two-pixel shadow along its right and bottom edges.
class PreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPage(QWidget* parent = nullptr);

    void SetPage(const Page* page);
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

    const Page* page_ = nullptr;
    int zoom_ = 100;
    QImage cached_;  // the page image of the current page and zoom, drawn once
};

}  // namespace kivo::report
