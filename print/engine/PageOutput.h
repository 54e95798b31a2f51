// Recorded pages onto printers and PDF writers, one device page each, with progress.
#pragma once

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <functional>
#include <memory>

class QPainter;

#include "print/engine/PageStore.h"

namespace kivo::report {

// Draws pages `first`..`last` (1-based, inclusive) of `store` on a paged device, one device
// page each, at the device's resolution. `frame` gives the resolution and the device's
// origin on the paper. `progress` hears the percentage done after each page and may return
// false to stop. Returns false when the device could not be opened or the job was stopped.
bool OutputPages(const PageStore& store, QPagedPaintDevice& device, const DeviceFrame& frame,
                 int first, int last, const std::function<bool(int percent)>& progress = {});

// Sets a PDF writer to `pageSize`, at `dpi`, with no margins of its own (the pages place
// everything themselves) and `title` as its document title.
void SetUpPdfWriter(QPdfWriter& pdf, const QPageSize& pageSize, int dpi, const QString& title);

// A PDF writer on `path` set up as SetUpPdfWriter does. It writes straight into the file and
// reports no write errors: what the program saves for the user goes through PdfFile
// (print/engine/OutputFile.h) instead.
std::unique_ptr<QPdfWriter> MakePdfWriter(const QString& path, const QPageSize& pageSize, int dpi,
                                          const QString& title);

// The percentage shown while printing: page `done` of `total`, cut down to a multiple of 5.
int ProgressStep(int done, int total);

}  // namespace kivo::report
