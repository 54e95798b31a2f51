// Names a printer's job after the canvas's job title.
#include "canvas/printer/PrinterCanvas.h"

namespace kivo::canvas {

void PrinterCanvas::ApplyTitle(const QString& title) {
    printer_.setDocName(title);
}

}  // namespace kivo::canvas
