// Where one print job goes, a printer or a PDF file, and the frame its pages are drawn in.
#pragma once

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QString>
#include <memory>

#include "print/engine/OutputFile.h"
#include "print/engine/PageOutput.h"
#include "print/engine/PageStore.h"

class QWidget;

namespace kivo::print {

// True when the system has at least one printer to print on.
bool PrinterInstalled();

// Letter where the user's locale measures in US units (the US and Canada), A4 elsewhere: the
// paper of a PDF saved when no printer is installed.
QPageSize LocalePaper();

// Where one print job goes: a printer chosen in the print dialog, or a PDF file when no
// printer is installed and the user agreed to save one instead.
class PrintDestination {
public:
    explicit PrintDestination(QPrinter& printer);
    explicit PrintDestination(std::unique_ptr<report::PdfFile> pdf);
    ~PrintDestination();
    PrintDestination(const PrintDestination&) = delete;
    PrintDestination& operator=(const PrintDestination&) = delete;

    QPagedPaintDevice& Device();
    // Resolution and the printable area's origin on the paper, for laying out pages.
    report::DeviceFrame Frame() const;
    // After the pages are drawn: a PDF takes its name, whole, or throws a FileError saying why
    // it could not be saved.
    void Finish();
    // After the job ended: false, with the reason, when the print system refused it.
    bool TookJob(QString* reason) const;

private:
    QPrinter* printer_ = nullptr;
    std::unique_ptr<report::PdfFile> pdf_;
};

// With no printer installed: asks whether to save a PDF instead and for its file name.
// Returns null when the user declines or cancels; throws a FileError when the file cannot be
// made.
std::unique_ptr<report::PdfFile> AskForPdfInstead(QWidget* owner, const QString& title,
                                                  const QPageSize& pageSize);

}  // namespace kivo::print
