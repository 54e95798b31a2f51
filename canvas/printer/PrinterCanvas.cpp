// Names a printer's job after the canvas's job title and checks that the print system took it.
#include "canvas/printer/PrinterCanvas.h"

#include "canvas/printer/PrintJobCheck.h"

namespace kivo::canvas {

void PrinterCanvas::ApplyTitle(const QString& title) {
    printer_.setDocName(title);
}

bool PrinterCanvas::JobTaken(std::string& reason) {
    QString why;
    if (PrintSystemTookJob(printer_, &why)) return true;
    reason = why.toStdString();
    return false;
}

}  // namespace kivo::canvas
