// A print job as a canvas: pages on a printer or PDF writer in the device's own pixels.
#pragma once

#include <QPagedPaintDevice>
#include <QPainter>
#include <string>

#include "canvas/PainterCanvas.h"

namespace kivo::canvas {

// Makes a painter that has just begun on a device send black pen, no brush and its font to
// the device, whatever an earlier job on the same device left there.
void ResetPainterState(QPainter& painter);

namespace detail {
struct PagePainter {
    QPainter pagePainter;
};
}  // namespace detail

// A print job on a paged device (a PDF writer or a printer), in the device's own pixels:
// fonts take the device's resolution.
class PageCanvas : private detail::PagePainter, public PainterCanvas {
public:
    explicit PageCanvas(QPagedPaintDevice& device);
    ~PageCanvas() override;
    PageCanvas(const PageCanvas&) = delete;
    PageCanvas& operator=(const PageCanvas&) = delete;

    // Names the job; set before BeginDoc.
    std::string Title;

    // Starts the job with its first page; false when the device refuses to start.
    bool BeginDoc();
    // Ends the page and starts the next; pen, brush and font keep their settings.
    void NewPage();
    // Ends the job; false when the device could not finish it or the print system refused
    // it, with the reason in RefusalReason().
    bool EndDoc();
    const std::string& RefusalReason() const { return refusal_; }

    // The printable area in device pixels, origin its top-left.
    int PageWidth() const { return device_.width(); }
    int PageHeight() const { return device_.height(); }

protected:
    // Hands the job title to the device; a PDF writer's document title by default.
    virtual void ApplyTitle(const QString& title);
    // Whether whatever receives the finished job took it; true for a file.
    virtual bool JobTaken(std::string& reason);

private:
    QPagedPaintDevice& device_;
    std::string refusal_;
};

}  // namespace kivo::canvas
