// A print job on a printer. Apart from PageCanvas because naming a printer's job needs Qt
// Print Support, which the drawing code does without.
#pragma once

#include <QPrinter>

#include "canvas/PageCanvas.h"

namespace kivo::canvas {

// A print job on a printer: the title becomes the printer's document name, and a job the
// print system refuses ends with EndDoc() false.
class PrinterCanvas : public PageCanvas {
public:
    explicit PrinterCanvas(QPrinter& printer) : PageCanvas(printer), printer_(printer) {}

protected:
    void ApplyTitle(const QString& title) override;
    bool JobTaken(std::string& reason) override;

private:
    QPrinter& printer_;
};

}  // namespace kivo::canvas
