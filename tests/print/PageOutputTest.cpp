// Recorded pages onto a paged device: the page range, one device page each, progress steps
// and cancelling.
#include <gtest/gtest.h>

#include <QPdfWriter>

#include "print/engine/PageOutput.h"
#include "tests/print/ReportFixtures.h"
#include "tests/support/PdfPages.h"
#include "tests/support/TempDir.h"

using namespace kivo::report;
using kivo::report::testing::LetterPage;

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
        store.pages.push_back(LetterPage());
    }
    TempDir dir;
    const auto pdf = QString::fromStdString((dir / "out.pdf").string());
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        std::vector<int> heard;
        EXPECT_TRUE(OutputPages(store, writer, {300.0, 300.0, 0.0, 0.0, {}}, 2, 3, [&](int p) {
            heard.push_back(p);
            return true;
        }));
        EXPECT_EQ(heard, (std::vector<int>{50, 100}));
    }
    EXPECT_EQ(kivo::test::PdfInfo(pdf.toStdString(), "Pages"), "2");

    QPdfWriter cancelled(QString::fromStdString((dir / "c.pdf").string()));
    EXPECT_FALSE(OutputPages(store, cancelled, {}, 1, 3, [](int) { return false; }));
}
