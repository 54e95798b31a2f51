// The report run: bands on pages, event order, the switches that leave bands out, page breaks,
// the page limit, errors from band events and device rounding.
#include <gtest/gtest.h>

#include "model/Error.h"
#include "tests/print/ReportFixtures.h"

using namespace kivo::report;
using namespace kivo::report::testing;

namespace {

// A Letter report with 12.7 mm margins and a header, a detail and a footer band, each
// recording when its event runs and filling its band with its own colour.
struct ThreeBandReport {
    ThreeBandReport() {
        report.ReportTitle = "KIVO Score Report";
        header = &Band(BandKind::PageHeader, 300.0, Qt::red, "header");
        detail = &Band(BandKind::Detail, 1000.0, Qt::green, "detail");
        footer = &Band(BandKind::PageFooter, 200.0, Qt::blue, "footer");
    }

    ReportBand& Band(BandKind type, double height, QColor color, std::string name) {
        auto& band = report.AddBand(type);
        band.Size.height = height;
        band.Color = color;
        band.BeforePrint = [this, name](ReportBand&, bool&) { events.push_back(name); };
        return band;
    }

    Report report;
    ReportBand* header = nullptr;
    ReportBand* detail = nullptr;
    ReportBand* footer = nullptr;
    std::vector<std::string> events;
};

// The band fills of a page, as (colour, top, height).
std::vector<std::tuple<QColor, double, double>> Fills(const Page& page) {
    std::vector<std::tuple<QColor, double, double>> fills;
    for (const auto* item : ItemsOf(page, PageItem::Kind::Fill)) {
        fills.emplace_back(item->color, item->rect.top(), item->rect.height());
    }
    return fills;
}

}  // namespace

TEST(ReportRun, OneDetailWithoutDataGivesOnePageWithHeaderDetailAndFooter) {
    ThreeBandReport r;
    const PageStore store = r.report.Generate();
    ASSERT_EQ(store.PageCount(), 1);
    EXPECT_EQ(store.title, "KIVO Score Report");
    const auto fills = Fills(store.pages[0]);
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0], std::make_tuple(QColor(Qt::red), 127.0, 300.0))
        << "header at the top margin";
    EXPECT_EQ(fills[1], std::make_tuple(QColor(Qt::green), 427.0, 1000.0)) << "detail below it";
    EXPECT_EQ(fills[2], std::make_tuple(QColor(Qt::blue), 2794.0 - 127.0 - 200.0, 200.0))
        << "footer's bottom on the bottom margin";
    for (const auto* fill : ItemsOf(store.pages[0], PageItem::Kind::Fill)) {
        EXPECT_EQ(fill->rect.left(), 127.0);
        EXPECT_EQ(fill->rect.width(), 1905.0) << "190.5 mm between 12.7 mm margins on Letter";
    }
}

TEST(ReportRun, DetailEventRunsBeforeTheHeadersAndEveryRunRunsThemAgain) {
    ThreeBandReport r;
    r.report.Generate();
    EXPECT_EQ(r.events, (std::vector<std::string>{"detail", "header", "footer"}));
    r.report.Generate();
    EXPECT_EQ(r.events.size(), 6u);
    EXPECT_EQ(r.events[3], "detail");
}

TEST(ReportRun, SwitchesThatLeaveBandsOut) {
    struct Case {
        const char* name;
        std::function<void(ThreeBandReport&)> change;
        int pages;
        std::vector<QColor> colours;
    };
    const Case cases[] = {
        {"no band enabled: nothing prints",
         [](auto& r) { r.header->Enabled = r.detail->Enabled = r.footer->Enabled = false; },
         0,
         {}},
        {"event clears PrintBand",
         [](auto& r) { r.header->BeforePrint = [](ReportBand&, bool& p) { p = false; }; },
         1,
         {Qt::green, Qt::blue}},
        {"disabled band", [](auto& r) { r.footer->Enabled = false; }, 1, {Qt::red, Qt::green}},
        {"transparent band is not filled",
         [](auto& r) { r.detail->TransparentBand = true; },
         1,
         {Qt::red, Qt::blue}},
    };
    for (const auto& c : cases) {
        ThreeBandReport r;
        c.change(r);
        const auto store = r.report.Generate();
        ASSERT_EQ(store.PageCount(), c.pages) << c.name;
        if (c.pages == 0) continue;
        std::vector<QColor> colours;
        for (const auto& f : Fills(store.pages[0])) colours.push_back(std::get<0>(f));
        EXPECT_EQ(colours, c.colours) << c.name;
    }
}

TEST(ReportRun, ABandThatDoesNotFitStartsANewPageUnlessItNeverCould) {
    ThreeBandReport r;
    // Space for details: 2794 - 127 - 127 - 300 (header) - 200 (footer reserve) = 2040.
    auto& second = r.Band(BandKind::Detail, 1041.0, Qt::yellow, "second");
    auto& huge = r.Band(BandKind::Detail, 3000.0, Qt::cyan, "huge");  // taller than a page
    const auto store = r.report.Generate();
    ASSERT_EQ(store.PageCount(), 2);
    const auto first = Fills(store.pages[0]);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(std::get<0>(first[2]), QColor(Qt::blue)) << "footer finishes the first page";
    const auto next = Fills(store.pages[1]);
    ASSERT_EQ(next.size(), 4u);
    EXPECT_EQ(next[0], std::make_tuple(QColor(Qt::red), 127.0, 300.0)) << "header on page 2";
    EXPECT_EQ(next[1], std::make_tuple(QColor(Qt::yellow), 427.0, second.Size.height));
    EXPECT_EQ(std::get<0>(next[2]), QColor(Qt::cyan)) << "a band taller than a page stays";
    EXPECT_EQ(std::get<1>(next[2]), 427.0 + 1041.0);
    EXPECT_EQ(huge.Size.height, 3000.0);
}

TEST(ReportRun, PageLimitStopsTheRun) {
    ThreeBandReport r;
    r.Band(BandKind::Detail, 1500.0, Qt::yellow, "second");
    EXPECT_EQ(r.report.Generate().PageCount(), 2);
    EXPECT_EQ(r.report.Generate(1).PageCount(), 1);
    int told = 0;
    const auto stopped = r.report.Generate(0, [&](int page) {
        told = page;
        return false;
    });
    EXPECT_EQ(stopped.PageCount(), 1);
    EXPECT_EQ(told, 1);
}

TEST(ReportRun, ErrorsInBandEventsReachTheCaller) {
    ThreeBandReport r;
    r.header->BeforePrint = [](ReportBand&, bool&) { throw kivo::Error("no data"); };
    EXPECT_THROW(r.report.Generate(), kivo::Error);
}

TEST(DeviceMapping, RoundsHalfToEvenAfterTheOffset) {
    struct Case {
        double tenths, dpi, offset;
        long device;
    };
    const Case cases[] = {
        {127.0, 600.0, 0.0, 300},   {127.0, 96.0, 0.0, 48}, {2.5, 254.0, 0.0, 2},
        {3.5, 254.0, 0.0, 4},       {-2.5, 254.0, 0.0, -2}, {127.0, 600.0, 50.0, 182},
        {2159.0, 300.0, 0.0, 2550}, {1.0, 96.0, 0.0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToDevice(c.tenths, c.dpi, c.offset), c.device) << c.tenths << " " << c.dpi;
    }
}
