// Printing from the preview: progress text, print settings to the printer and back, the print
// dialog, the PDF offer without a printer and page files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "model/Error.h"
#include "model/Session.h"
#include "print/PrintDestination.h"
#include "print/ReportPrinting.h"
#include "print/preview/ReportPreview.h"
#include "print/score/ScoreReport.h"
#include "shell/DialogSeam.h"
#include "tests/print/ReportFixtures.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/PdfPages.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ShownPreview.h"
#include "tests/support/SmallDisk.h"
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
    QPrinter printer;
    print::ApplyPrinterSettings(s, printer);
    const PrintSettings back = print::ReadPrinterSettings(printer);
    EXPECT_EQ(back.Copies, 3);
}

// Whatever the dialog left on the printer, a report prints all its pages, upright.
TEST(PrintingProgress, SettingsAlwaysAskForAllPagesUpright) {
    QPrinter printer;
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    printer.setPageOrientation(QPageLayout::Landscape);
    print::ApplyPrinterSettings(PrintSettings{}, printer);
    EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
    EXPECT_EQ(printer.fromPage(), 0);
    EXPECT_EQ(printer.toPage(), 0);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}

// The name Save suggests is one file name on every system: no folder separators, characters
// Windows refuses, control characters (a hand-made client file may hold any byte) or leading
// dots that hide a file; the client's own letters stay.
TEST(SuggestedSaveName, IsOneSafeFileName) {
    struct Case {
        QString lastName;
        QString suggested;
    };
    const QString title = "KIVO Score Report";
    const Case cases[] = {
        {"Garcia", "GARCIA Score Report"},
        {"", "KIVO Score Report"},
        {"   ", "KIVO Score Report"},
        {"o'Neil/Ng", "O'NEIL_NG Score Report"},
        {"a\\b:c*d?e\"f<g>h|i", "A_B_C_D_E_F_G_H_I Score Report"},
        {QString("Tab\tNew\nLine") + QChar(0x7f) + QChar(0x1b), "TAB_NEW_LINE__ Score Report"},
        {"..Hidden", "HIDDEN Score Report"},
        {".", "KIVO Score Report"},
        {QString::fromUtf8("M\u00fcller-\u00d8deg\u00e5rd"),
         QString::fromUtf8("M\u00dcLLER-\u00d8DEG\u00c5RD Score Report")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(print::SuggestedSaveName(c.lastName, title), c.suggested)
            << c.lastName.toStdString();
    }
}

// The same rules make any text, such as a saved page file's title, one file name.
TEST(SafeFileName, LeavesOneNameInTheFolderShown) {
    const std::pair<QString, QString> cases[] = {
        {"KIVO Score Report", "KIVO Score Report"},      {"../../../../tmp/x", "_.._.._.._tmp_x"},
        {"..\\..\\Windows\\x", "_.._Windows_x"},         {"/etc/passwd", "_etc_passwd"},
        {QString(".profile") + QChar(0x7f), "profile_"}, {" .. ", ""},
    };
    for (const auto& [text, safe] : cases) {
        EXPECT_EQ(print::SafeFileName(text), safe) << text.toStdString();
    }
}

TEST_F(PrintingTest, PrinterSetupOffersNoPageRangeAndKeepsTheChoices) {
    script->printCopies = {2, 0};
    print::PrinterSetup(report, nullptr);
    ASSERT_EQ(script->asked.size(), 1u);
    EXPECT_EQ(script->asked[0].kind, test::Asked::Print);
    EXPECT_EQ(script->asked[0].print.minPage, 0);
    EXPECT_EQ(script->asked[0].print.maxPage, 0);
    EXPECT_EQ(report.PrinterSettings.Copies, 2);
    print::PrinterSetup(report, nullptr);  // cancelled: the stored choices stay
    EXPECT_EQ(report.PrinterSettings.Copies, 2);
}

TEST_F(PrintingTest, WithoutAPrinterPrintingOffersAPdfOfTheShownPages) {
    if (print::PrinterInstalled()) GTEST_SKIP() << "a printer is installed here";
    TempDir dir;
    const QString pdf = QString::fromStdString((dir / "report.pdf").string());
    const PageStore shown = report.Generate();
    ASSERT_EQ(events, 1);
    script->buttons = {DialogButton::Yes, DialogButton::No};
    script->files = {pdf};
    print::PrintReport(report, shown, nullptr);
    ASSERT_GE(script->asked.size(), 2u);
    EXPECT_EQ(script->asked[0].message.text,
              "No printer is installed.  Would you like to save the pages as a PDF file instead?");
    EXPECT_EQ(script->asked[1].kind, test::Asked::SaveFile);
    EXPECT_EQ(events, 1) << "the shown pages printed; the report did not run again";
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    print::PrintReport(report, shown, nullptr);  // declined: nothing is written
    EXPECT_EQ(events, 1);
}

// A PDF or PNG that does not fit on the disk is an error naming the file and the reason, and
// leaves nothing behind: the file takes its name only once it is whole.
TEST_F(PrintingTest, APdfOrPngThatCannotBeWrittenWholeIsAnErrorAndLeavesNothing) {
    TempDir dir;
    const SmallDisk disk(dir / "small", 8);
    if (!disk.Mounted()) GTEST_SKIP() << "no tmpfs could be mounted here";
    disk.FillUp();
    const PageStore store = report.Generate();
    const auto expectFailure = [&](const std::string& name, const std::function<void()>& save) {
        try {
            save();
            ADD_FAILURE() << name << " was reported as saved";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot save \"" + (dir / "small" / name).string() +
                                                 "\": No space left on device");
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "small"),
                                std::filesystem::directory_iterator()),
                  1)
            << name << ": only the filler";
    };
    for (const char* name : {"preview.pdf", "preview.png"}) {
        script->files = {QString::fromStdString((dir / "small" / name).string())};
        expectFailure(name, [&] { print::SavePreviewPages(store, nullptr); });
    }
    if (print::PrinterInstalled()) return;
    script->buttons = {DialogButton::Yes};
    script->files = {QString::fromStdString((dir / "small/printed.pdf").string())};
    expectFailure("printed.pdf", [&] { print::PrintReport(report, store, nullptr); });
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

// The preview of client A is open when client B is loaded in the main window: Print prints
// the pages on screen, A's name over A's chart and tables, and nothing of B.
TEST_F(PrintingTest, ThePreviewPrintsTheClientItShowsAfterAnotherIsLoaded) {
    if (print::PrinterInstalled()) GTEST_SKIP() << "a printer is installed here";
    TempDir dir;
    const QString pdf = QString::fromStdString((dir / "printed.pdf").string());
    const auto clientA = test::ClientBuilder()
                             .Name("Johnson", "Ann")
                             .Form(kShortFormA)
                             .AnswerEach(0, [](int) { return 'A'; })
                             .Build();
    const auto clientB = test::ClientBuilder()
                             .Name("Smith", "Bob")
                             .Form(kLongForm)
                             .AnswerEach(0, [](int) { return 'G'; })
                             .Build();
    print::ScoreReport scoreReport;
    gClientRecord = clientA;
    ComputeSubscaleScores();
    LoadNormTable();
    script->buttons = {DialogButton::Yes};
    script->files = {pdf};
    report::PageStore shown;
    PreviewActions actions = print::PrinterPreviewActions();
    const auto printShown = actions.print;
    actions.print = [&](Report& r, const PageStore& pages, QWidget* owner) {
        shown = pages;
        printShown(r, pages, owner);
    };
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ReportPreview* window = kivo::test::ShownPreviewWithPages();
        if (window == nullptr) return;
        timer.stop();
        gClientRecord = clientB;  // Load in the main window; the score page scores B
        ComputeSubscaleScores();
        window->findChild<QToolButton*>("Print")->click();
        window->close();
    });
    timer.start(10);
    Preview(scoreReport.Report(), actions);
    gClientRecord = clientA;
    ComputeSubscaleScores();
    const PageStore expected = scoreReport.Report().Generate();
    ResetClientRecord(gClientRecord);
    ASSERT_EQ(shown.PageCount(), 1);
    ASSERT_EQ(shown.pages[0].items.size(), expected.pages[0].items.size());
    for (std::size_t i = 0; i < expected.pages[0].items.size(); ++i) {
        const auto& a = shown.pages[0].items[i];
        const auto& b = expected.pages[0].items[i];
        if (a.text.startsWith("Printed: ")) continue;  // the date may turn over midnight
        EXPECT_EQ(a.text, b.text) << i;
        EXPECT_EQ(a.image, b.image) << i;
    }
    const QString words = test::RunTool("pdftotext", {pdf, "-"});
    EXPECT_TRUE(words.contains("Johnson, Ann")) << words.toStdString();
    EXPECT_FALSE(words.contains("Smith")) << words.toStdString();
}
