// Recorded pages onto a paged device: the page range, one device page each, progress steps
// and cancelling.
#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QProcess>

#include "print/engine/PageOutput.h"
#include "tests/print/ReportFixtures.h"
#include "tests/support/TempDir.h"

using namespace kivo::report;

TEST(PageOutput, ProgressStepsAreMultiplesOfFive) {
    struct Case {
        int done, total, percent;
    };
    const Case cases[] = {{1, 1, 100}, {0, 3, 0},  {1, 3, 30}, {2, 3, 65},
                          {3, 3, 100}, {1, 7, 10}, {6, 7, 85}, {0, 0, 100}};
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressStep(c.done, c.total), c.percent) << c.done << "/" << c.total;
    }
}

TEST(PageOutput, WritesTheChosenRangeOnePageEachAndStopsOnCancel) {
    PageStore store;
    for (int i = 0; i < 3; ++i) {
        Page page;
        page.width = 2159.0;
        page.height = 2794.0;
        store.pages.push_back(page);
    }
    TempDir dir;
    const auto pdf = QString::fromStdString((dir / "out.pdf").string());
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        std::vector<int> heard;
        EXPECT_TRUE(OutputPages(store, writer, {300.0, 300.0, 0.0, 0.0}, 2, 3, [&](int p) {
            heard.push_back(p);
            return true;
        }));
        EXPECT_EQ(heard, (std::vector<int>{50, 100}));
    }
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    EXPECT_NE(info.readAllStandardOutput().indexOf("Pages:           2"), -1);

    QPdfWriter cancelled(QString::fromStdString((dir / "c.pdf").string()));
    EXPECT_FALSE(OutputPages(store, cancelled, {}, 1, 3, [](int) { return false; }));
}
