// A banded report: its page set-up, print settings and bands, and the run that lays the bands
// out on pages.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "print/engine/PageStore.h"
#include "print/engine/ReportBand.h"

namespace kivo::report {

enum class Paper { Letter, A4 };

// The paper and the margins the bands are laid out within, in tenths of a millimetre.
struct PageSetup {
    Paper PaperSize = Paper::Letter;  // the paper a print job asks the printer for
    double Width = 2159.0;
    double Length = 2794.0;  // the paper's height
    double LeftMargin = 127.0;
    double TopMargin = 127.0;
    double RightMargin = 127.0;
    double BottomMargin = 127.0;

    double BandWidth() const { return Width - LeftMargin - RightMargin; }

    // The same margins on `paper`, portrait.
    static PageSetup Of(Paper paper);
};

// What the print dialog chose; kept with the report for every later print of the run. A
// report always prints whole and upright: no page range, no landscape.
struct PrintSettings {
    QString PrinterName;  // empty: the default printer
    int Copies = 1;
    bool Duplex = false;
    bool Collate = false;
    bool Color = true;
    // The paper was picked in the print dialog: the report keeps it on any printer that has
    // it. Otherwise the report takes the printer's own paper.
    bool PaperChosen = false;
};

// A banded report: page header, detail and page footer bands laid out on pages.
class Report {
public:
    Report() = default;
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    ReportBand& AddBand(BandKind kind);
    const std::vector<std::unique_ptr<ReportBand>>& Bands() const { return bands_; }

    // One run of the report into a new page store: the band events run, pages are laid
    // out and recorded. Stops after `pageLimit` pages when it is above 0. `onPage` is told
    // of every finished page (its number from 1) and may return false to stop the run.
    // Errors raised by band events leave the run and reach the caller.
    PageStore Generate(int pageLimit = 0, const std::function<bool(int)>& onPage = {});

    // Runs at the start of every run, before any band event: a report takes its data here,
    // so that every band of one run prints the same data.
    std::function<void()> BeforeRun;

    PageSetup Page;
    FontSpec Font;
    QString ReportTitle;
    PrintSettings PrinterSettings;
    int PagesInPreview = 0;  // the most pages the preview generates; 0 for all

private:
    std::vector<std::unique_ptr<ReportBand>> bands_;
};

}  // namespace kivo::report
