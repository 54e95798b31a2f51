// Print jobs to a printer or a PDF file, and the offer of a PDF when no printer is installed.
#include "print/PrintDestination.h"

#include <QLocale>
#include <QPdfWriter>
#include <QPrinterInfo>

#include "canvas/printer/PrintJobCheck.h"
#include "print/engine/ReportUnits.h"
#include "shell/DialogSeam.h"

namespace kivo::print {

bool PrinterInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QPageSize LocalePaper() {
    const QLocale locale = QLocale::system();
    const bool usPaper = locale.measurementSystem() == QLocale::ImperialUSSystem ||
                         locale.territory() == QLocale::Canada;
    return QPageSize(usPaper ? QPageSize::Letter : QPageSize::A4);
}

PrintDestination::PrintDestination(QPrinter& printer) : printer_(&printer) {}

PrintDestination::PrintDestination(std::unique_ptr<report::PdfFile> pdf) : pdf_(std::move(pdf)) {}

PrintDestination::~PrintDestination() = default;

QPagedPaintDevice& PrintDestination::Device() {
    if (pdf_) return *pdf_;
    return *printer_;
}

report::DeviceFrame PrintDestination::Frame() const {
    if (pdf_) {
        const double dpi = pdf_->resolution();
        return {dpi, dpi, 0.0, 0.0, {}};
    }
    const double dpiX = printer_->logicalDpiX();
    const double dpiY = printer_->logicalDpiY();
    // The painter's origin is the printable area's corner: positions are measured from the
    // paper's edge, less that unprintable margin.
    const QRectF paper = printer_->paperRect(QPrinter::Millimeter);
    const QRectF page = printer_->pageRect(QPrinter::Millimeter);
    const QRectF printable((page.left() - paper.left()) * 10.0, (page.top() - paper.top()) * 10.0,
                           page.width() * 10.0, page.height() * 10.0);
    return {dpiX, dpiY, printable.left(), printable.top(), printable};
}

void PrintDestination::Finish() {
    if (pdf_) pdf_->Commit();
}

bool PrintDestination::TookJob(QString* reason) const {
    return pdf_ || canvas::PrintSystemTookJob(*printer_, reason);
}

std::unique_ptr<report::PdfFile> AskForPdfInstead(QWidget* owner, const QString& title,
                                                  const QPageSize& pageSize) {
    MessageRequest ask;
    ask.text = "No printer is installed.  Would you like to save the pages as a PDF file instead?";
    ask.caption = "Confirm";
    ask.icon = DialogIcon::Question;
    ask.buttons = DialogButton::Yes | DialogButton::No;
    ask.owner = owner;
    if (Dialogs().Message(ask) != DialogButton::Yes) return nullptr;
    FileRequest file;
    file.title = "Save as PDF";
    file.filter = "PDF Files (*.pdf)";
    file.defaultSuffix = "pdf";
    file.fileName = title + ".pdf";
    file.confirmOverwrite = true;
    file.owner = owner;
    const auto path = Dialogs().SaveFileName(file);
    if (!path) return nullptr;
    return std::make_unique<report::PdfFile>(*path, pageSize, 600, title);
}

}  // namespace kivo::print
