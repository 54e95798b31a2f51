// The report run: bands laid out top to bottom on pages, page headers and footers around the
// detail bands, each page recorded into the page store.
#include "print/engine/Report.h"

#include <cmath>

namespace kivo::report {
namespace {

// The state of one run: the page being filled and the position on it.
class ReportRun {
public:
    ReportRun(Report& report, int pageLimit, const std::function<bool(int)>& onPage)
        : report_(report), pageLimit_(pageLimit), onPage_(onPage) {
        store_.title = report.ReportTitle;
    }

    PageStore Run() {
        if (report_.BeforeRun) report_.BeforeRun();
        // No data source: the detail bands print exactly once.
        for (auto* band : BandsOf(BandKind::Detail)) PrintBand(*band);
        if (started_ && !stopped_) FinishPage();
        return std::move(store_);
    }

private:
    std::vector<ReportBand*> BandsOf(BandKind kind) const {
        std::vector<ReportBand*> bands;
        for (const auto& b : report_.Bands()) {
            if (b->Kind == kind) bands.push_back(b.get());
        }
        return bands;
    }

    double BottomLimit() const { return report_.Page.Length - report_.Page.BottomMargin; }

    double FooterReserve() const {
        double reserve = 0.0;
        for (auto* b : BandsOf(BandKind::PageFooter)) {
            if (b->Enabled) reserve += b->Size.height;
        }
        return reserve;
    }

    void PrintBand(ReportBand& band) {
        if (stopped_) return;
        bool print = band.Enabled;
        if (band.BeforePrint) band.BeforePrint(band, print);
        if (!print || stopped_) return;
        MakeRoom(band);
        if (stopped_) return;
        const double height = band.Size.height;
        const double top = band.AlignToBottom ? BottomLimit() - height : y_;
        const double left = report_.Page.LeftMargin;
        auto& page = store_.pages.back();
        if (!band.TransparentBand) {
            PageItem fill;
            fill.kind = PageItem::Kind::Fill;
            fill.rect = QRectF(left, top, band.Size.width, height);
            fill.color = band.Color;
            page.items.push_back(fill);
        }
        for (const auto& element : band.Elements()) {
            if (element->Enabled) element->Print(page, left, top);
        }
        y_ = top + height;
    }

    void MakeRoom(const ReportBand& band) {
        if (!started_) {
            StartPage();
            return;
        }
        if (band.Kind == BandKind::PageFooter) return;
        const double whole = BottomLimit() - report_.Page.TopMargin;
        const double left = BottomLimit() - FooterReserve() - y_;
        const bool forced = band.ForceNewPage && band.Kind != BandKind::PageHeader;
        if (forced || (band.Size.height > left && band.Size.height <= whole)) {
            StartPage();
        }
    }

    void StartPage() {
        if (started_) FinishPage();
        if (stopped_) return;
        if (pageLimit_ > 0 && store_.PageCount() >= pageLimit_) {
            stopped_ = true;
            return;
        }
        started_ = true;
        Page page;
        page.width = report_.Page.Width;
        page.height = report_.Page.Length;
        store_.pages.push_back(std::move(page));
        y_ = report_.Page.TopMargin;
        // Every page has its header, the first included.
        for (auto* band : BandsOf(BandKind::PageHeader)) PrintBand(*band);
    }

    void FinishPage() {
        // Every page has its footer, the last included; footers sit on the bottom margin.
        for (auto* band : BandsOf(BandKind::PageFooter)) {
            const bool alignToBottom = band->AlignToBottom;
            band->AlignToBottom = true;
            PrintBand(*band);
            band->AlignToBottom = alignToBottom;
        }
        if (onPage_ && !onPage_(store_.PageCount())) stopped_ = true;
    }

    Report& report_;
    int pageLimit_;
    const std::function<bool(int)>& onPage_;
    PageStore store_;
    bool started_ = false;
    bool stopped_ = false;
    double y_ = 0.0;
};

}  // namespace

PageSetup PageSetup::Of(Paper paper) {
    PageSetup setup;
    setup.PaperSize = paper;
    if (paper == Paper::A4) {
        setup.Width = 2100.0;
        setup.Length = 2970.0;
    }
    return setup;
}

ReportBand& Report::AddBand(BandKind kind) {
    auto band = std::make_unique<ReportBand>(kind);
    band->Size.width = Page.BandWidth();
    bands_.push_back(std::move(band));
    return *bands_.back();
}

PageStore Report::Generate(int pageLimit, const std::function<bool(int)>& onPage) {
    return ReportRun(*this, pageLimit, onPage).Run();
}

}  // namespace kivo::report
