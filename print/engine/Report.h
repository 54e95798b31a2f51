#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "print/engine/PageStore.h"
#include "print/engine/ReportBand.h"

namespace kivo::report {

enum class Paper { Letter, A4 };
enum class PageOrientation { Portrait, Landscape };

// Page.Values: the seven lengths of the page set-up, in tenths of a millimetre.
struct PageSetup {
    Paper PaperSize = Paper::Letter;
    PageOrientation Orientation = PageOrientation::Portrait;
    double BottomMargin = 127.0;
    double Length = 2794.0;
    double TopMargin = 127.0;
    double Width = 2159.0;
    double LeftMargin = 127.0;
    double RightMargin = 127.0;
    double ColumnSpace = 0.0;
    int Columns = 1;
    bool Continuous = false;

    double BandWidth() const { return Width - LeftMargin - RightMargin; }
};

struct ReportOptions {
    bool FirstPageHeader = true;  // print the page header on page 1 too
    bool LastPageFooter = true;   // print the page footer on the last page too
};

// What the print dialog chose; kept with the report for every later print of the run.
struct PrintSettings {
    QString PrinterName;  // empty: the default printer
    int Copies = 1;
    bool Duplex = false;
    int FirstPage = 0;  // 0 and 0: all pages
    int LastPage = 0;
    int OutputBin = 0;
    bool Collate = false;
    bool Color = true;
    int PrintQuality = 0;
    PageOrientation Orientation = PageOrientation::Portrait;
};

// A banded report: page header, detail and page footer bands laid out on pages.
class Report {
public:
    Report() = default;
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    ReportBand& AddBand(BandKind type);
    const std::vector<std::unique_ptr<ReportBand>>& Bands() const { return bands_; }

    // One run of the report into a new page store: the band events run, pages are laid
    // out and recorded. Stops after `pageLimit` pages when it is above 0. `onPage` is told
    // of every finished page (its number from 1) and may return false to stop the run.
    // Errors raised by band events leave the run and reach the caller.
    PageStore Generate(int pageLimit = 0, const std::function<bool(int)>& onPage = {});

    PageSetup Page;
    FontSpec Font;
    ReportOptions Options;
    bool PrintIfEmpty = true;
    QString ReportTitle;
    PrintSettings PrinterSettings;
    int PagesInPreview = 0;

private:
    std::vector<std::unique_ptr<ReportBand>> bands_;
};

}  // namespace kivo::report
