// Printing from the preview: progress text, print settings to the printer and back, the print
// dialog, the PDF offer without a printer and page files.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>

#include "print/PrintDestination.h"
#include "print/ReportPrinting.h"
#include "shell/DialogSeam.h"
#include "tests/print/ReportFixtures.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

using namespace kivo;
using namespace kivo::report;

namespace {

// Installs a scripted dialog seam for one test and puts the previous one back after it.
class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = InstallDialogs(std::make_unique<test::ScriptedDialogs>(script));
        auto& band = report.AddBand(BandKind::Detail);
        band.Size.height = 500.0;
        band.BeforePrint = [this](ReportBand&, bool&) { ++events; };
        report.ReportTitle = "KIVO Score Report";
    }
    void TearDown() override { InstallDialogs(std::move(previous_)); }

    std::shared_ptr<test::DialogScript> script = std::make_shared<test::DialogScript>();
    Report report;
    int events = 0;

private:
    std::unique_ptr<DialogSeam> previous_;
};

}  // namespace

TEST(PrintingProgress, TextAndSettingsRoundTrip) {
    EXPECT_EQ(print::ProgressText(35), "35%  Completed");
    PrintSettings s;
    s.Copies = 3;
    s.Duplex = true;
    s.FirstPage = 1;
    s.LastPage = 1;
    s.Orientation = PageOrientation::Landscape;
    QPrinter printer;
    print::ApplyPrinterSettings(s, printer);
    const PrintSettings back = print::ReadPrinterSettings(printer);
    EXPECT_EQ(back.Copies, 3);
    EXPECT_EQ(back.FirstPage, 1);
    EXPECT_EQ(back.LastPage, 1);
    EXPECT_EQ(back.Orientation, PageOrientation::Landscape);
}

TEST_F(PrintingTest, PrinterSetupOffersThePageRangeAndKeepsTheChoices) {
    script->printCopies = {2, 0};
    print::PrinterSetup(report, 1, nullptr);
    ASSERT_EQ(script->asked.size(), 1u);
    EXPECT_EQ(script->asked[0].kind, test::Asked::Print);
    EXPECT_EQ(script->asked[0].print.minPage, 1);
    EXPECT_EQ(script->asked[0].print.maxPage, 1);
    EXPECT_EQ(report.PrinterSettings.Copies, 2);
    print::PrinterSetup(report, 1, nullptr);  // cancelled: the stored choices stay
    EXPECT_EQ(report.PrinterSettings.Copies, 2);
}

TEST_F(PrintingTest, WithoutAPrinterPrintingOffersAPdfAndRunsTheReportAgain) {
    if (print::PrinterInstalled()) GTEST_SKIP() << "a printer is installed here";
    TempDir dir;
    const QString pdf = QString::fromStdString((dir / "report.pdf").string());
    script->buttons = {DialogButton::Yes, DialogButton::No};
    script->files = {pdf};
    print::PrintReport(report, nullptr);
    ASSERT_GE(script->asked.size(), 2u);
    EXPECT_EQ(script->asked[0].message.text,
              "No printer is installed.  Would you like to save the pages as a PDF file instead?");
    EXPECT_EQ(script->asked[1].kind, test::Asked::SaveFile);
    EXPECT_EQ(events, 1) << "the report ran for the print";
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    print::PrintReport(report, nullptr);  // declined: nothing runs, nothing is written
    EXPECT_EQ(events, 1);
}

TEST_F(PrintingTest, PreviewPagesSaveAsPageFileAndLoadBack) {
    TempDir dir;
    const QString path = QString::fromStdString((dir / "pages.kps").string());
    const PageStore store = report.Generate();
    script->files = {path, path};
    print::SavePreviewPages(store, nullptr);
    const auto loaded = print::LoadPreviewPages(nullptr);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->PageCount(), 1);
    EXPECT_EQ(loaded->title, "KIVO Score Report");
    EXPECT_TRUE(script->asked[0].file.filter.startsWith("KIVO page files (*.kps)"))
        << "the page file is offered first";
}
