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

// Said in every print dialog: the pages are laid out upright and print so, whatever
// orientation the printer's properties show.
inline constexpr const char* kPrintsUpright =
    "The pages print upright (portrait), whatever orientation is chosen.";

// Sets the report's paper to the paper it will print on, before a run lays it out: the paper
// picked in Printer setup, else the printer's own (an A4-only printer gets A4); with no
// printer installed, the paper of the user's locale.
void LayOutForPrinter(report::Report& report);

// Prints `store`, the pages the preview shows, with the report's PrinterSettings on the
// paper LayOutForPrinter chose (or the printer's own when it lacks that one), showing "Printing
// progress" with a Cancel button. With no printer installed it offers to save a PDF. A job the
// print system refuses raises an Error.
void PrintReport(report::Report& report, const report::PageStore& store, QWidget* owner);

// The print dialog for the report: its choices are stored in the report's PrinterSettings
// for every later print of the run, and the paper chosen (A4 or Letter) becomes the report's
// paper. No page range is offered: a report prints whole. The dialog's button reads "OK": it
// sets up, it does not print.
void PrinterSetup(report::Report& report, QWidget* owner);

// Settings <-> printer. Applying also asks for all pages, upright.
void ApplyPrinterSettings(const report::PrintSettings& settings, QPrinter& printer);
report::PrintSettings ReadPrinterSettings(const QPrinter& printer);

// All pages, portrait, whatever the print dialog chose.
void KeepWholeAndUpright(QPrinter& printer);

// The printer's own default paper when it does not offer the paper set (a Letter-only
// printer and Qt's A4 default): a page laid out for paper the printer lacks would be cut.
void UsePaperThePrinterHas(QPrinter& printer);

// Saves the previewed pages as a page file (.kps), a PDF or PNG images, as the save dialog
// chose (ResolveSaveTarget), suggesting `suggestedName` (the pages' title when empty) as a
// PDF, made one plain file name by SafeFileName first (a loaded page file's title is anyone's
// text). Pages there are none of are refused with an Error, nothing written.
void SavePreviewPages(const report::PageStore& store, QWidget* owner,
                      const QString& suggestedName = {});
// Loads a saved page file; one without pages is refused with an Error.
std::optional<report::PageStore> LoadPreviewPages(QWidget* owner);

// Where the save dialog's answer goes and as what: a typed extension of a type the preview
// saves (.kps, .pdf, .png, in any case) wins; otherwise the chosen filter's extension is added.
struct SaveTarget {
    QString path;
    QString suffix;  // "kps", "pdf" or "png"
};
SaveTarget ResolveSaveTarget(const QString& typed, const QString& filter);

// `text` as one file name on every system, never a path: the characters Windows refuses
// (separators among them) and control characters become "_", leading dots (a hidden file)
// and surrounding blanks go.
QString SafeFileName(QString text);

// The name the save dialog suggests: the client's last name in capitals before the report's
// title without the program's name ("GARCIA Score Report"); the title alone without a name.
// The name is made safe by SafeFileName.
QString SuggestedSaveName(const QString& lastName, const QString& reportTitle);
// SuggestedSaveName for the open client, asked as a run of `report` starts.
QString ShownClientSaveName(const report::Report& report);

// The preview's actions wired to the printer, the dialogs and the page files.
report::PreviewActions PrinterPreviewActions();

// The text of the printing progress box for a percentage.
QString ProgressText(int percent);

}  // namespace kivo::print
