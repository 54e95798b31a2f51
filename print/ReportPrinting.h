// The printer side of a report's preview: printing with progress, the print dialog's settings
// kept with the report, and saving or loading the previewed pages.
#pragma once

#include <optional>

#include "print/engine/PageStore.h"
#include "print/engine/Report.h"
#include "print/preview/ReportPreview.h"

class QPrinter;
class QWidget;

namespace kivo::print {

// Runs the report again and prints it with its PrinterSettings, showing "Printing
// progress" with a Cancel button. With no printer installed it offers to save a PDF.
void PrintReport(report::Report& report, QWidget* owner);

// The print dialog for the report: its choices are stored in the report's PrinterSettings
// for every later print of the run. `pageCount` 0 offers no page range.
void PrinterSetup(report::Report& report, int pageCount, QWidget* owner);

// Settings <-> printer.
void ApplyPrinterSettings(const report::PrintSettings& settings, QPrinter& printer);
report::PrintSettings ReadPrinterSettings(const QPrinter& printer);

// Saves the previewed pages as a page file (.kps), a PDF or PNG images, chosen in the save
// dialog; loads a saved page file.
void SavePreviewPages(const report::PageStore& store, QWidget* owner);
std::optional<report::PageStore> LoadPreviewPages(QWidget* owner);

// The preview's actions wired to the printer, the dialogs and the page files.
report::PreviewActions PrinterPreviewActions();

// The text of the printing progress box for a percentage.
QString ProgressText(int percent);

}  // namespace kivo::print
