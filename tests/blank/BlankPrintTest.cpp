// The Reports menu's blank questionnaires: print dialog, one job per copy, the PDF offer
// without a printer, and failures reaching the error box.
#include <gtest/gtest.h>

#include <QAction>

#include "app/MainWindow.h"
#include "canvas/printer/PrinterCanvas.h"
#include "print/questionnaire/QuestionnairePrinting.h"
#include "tests/app/ShellFixture.h"
#include "tests/blank/BlankFixtures.h"
#include "tests/support/SmallDisk.h"

namespace kivo::test {
namespace {

// Jobs of the Reports menu, each sent to its own PDF through the printer as configured
// by the dialog; records the printer's copy count at the start of every job.
struct JobRecorder {
    std::filesystem::path folder;
    std::vector<std::filesystem::path> files;
    std::vector<int> copyCounts;
    bool printerInstalled = true;

    QuestionnairePrinting::JobOutput Output() {
        return {[this] { return printerInstalled; },
                [this](QPrinter& printer) -> std::unique_ptr<canvas::PageCanvas> {
                    copyCounts.push_back(printer.copyCount());
                    files.push_back(folder / ("job" + std::to_string(files.size()) + ".pdf"));
                    printer.setOutputFormat(QPrinter::PdfFormat);
                    printer.setOutputFileName(QString::fromStdString(files.back().string()));
                    return std::make_unique<canvas::PrinterCanvas>(printer);
                }};
    }
};

class BlankPrinting : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Start();
        jobs.folder = folder_.path();
        main_->Questionnaires().SetJobOutput(jobs.Output());
    }

    void Choose(const char* menuItem) {
        QAction* action = Find<QAction>(menuItem);
        ASSERT_NE(action, nullptr) << menuItem;
        action->trigger();
    }

    JobRecorder jobs;
};

TEST_F(BlankPrinting, ThreeCopiesAreThreeSeparateTwoPageJobs) {
    script_->printCopies = {3};
    Choose("actionPrintBlankFormB");

    ASSERT_EQ(script_->asked.size(), 1u);
    EXPECT_EQ(script_->asked[0].kind, Asked::Print);
    EXPECT_EQ(script_->asked[0].print.owner, main_.get());
    EXPECT_EQ(script_->asked[0].print.minPage, 0);
    EXPECT_EQ(script_->asked[0].print.maxPage, 0);
    ASSERT_EQ(jobs.files.size(), 3u);
    // Each job comes out once: the loop makes the copies, not the printer.
    EXPECT_EQ(jobs.copyCounts, (std::vector<int>{1, 1, 1}));
    for (const auto& file : jobs.files) {
        EXPECT_EQ(PdfInfo(file, "Pages"), "2") << file;
        EXPECT_EQ(PdfInfo(file, "Title"), "KIVO questionnaire - Form B") << file;
        EXPECT_TRUE(PdfPageText(file, 1).contains("KIVOs(b)"));
    }
    // The dialog offers the last choice again.
    EXPECT_EQ(main_->Questionnaires().Printer().copyCount(), 3);
}

TEST_F(BlankPrinting, EachMenuItemPrintsItsForm) {
    const std::pair<const char*, const char*> items[] = {
        {"actionPrintBlankFormA", "KIVO questionnaire - Form A"},
        {"actionPrintBlankFormB", "KIVO questionnaire - Form B"},
        {"actionPrintBlankLongForm", "KIVO questionnaire"},
    };
    for (const auto& [item, title] : items) {
        script_->printCopies = {1};
        Choose(item);
        ASSERT_FALSE(jobs.files.empty());
        EXPECT_EQ(PdfInfo(jobs.files.back(), "Title"), title) << item;
    }
    EXPECT_EQ(jobs.files.size(), 3u);
}

TEST_F(BlankPrinting, CancellingTheDialogPrintsNothing) {
    script_->printCopies = {0};
    Choose("actionPrintBlankLongForm");
    EXPECT_TRUE(jobs.files.empty());
    EXPECT_EQ(script_->asked.size(), 1u);
}

TEST_F(BlankPrinting, AJobThatCannotStartReachesTheErrorBoxAndStopsTheCopies) {
    jobs.folder = folder_.path() / "missing" / "folder";
    script_->printCopies = {2};
    script_->buttons = {DialogButton::Ok};
    Choose("actionPrintBlankFormA");
    EXPECT_EQ(jobs.files.size(), 1u);
    const auto texts = script_->MessageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "The print job \"KIVO questionnaire - Form A\" could not be started.");
    EXPECT_EQ(main_->Questionnaires().Printer().copyCount(), 2);
}

TEST_F(BlankPrinting, WithoutAPrinterTheTwoPagesCanBeSavedAsPdf) {
    jobs.printerInstalled = false;
    const auto pdf = folder_.path() / "blank.pdf";
    script_->buttons = {DialogButton::Yes};
    script_->files = {QString::fromStdString(pdf.string())};
    Choose("actionPrintBlankLongForm");

    ASSERT_EQ(script_->asked.size(), 2u);
    EXPECT_EQ(script_->asked[0].kind, Asked::Message);
    EXPECT_TRUE(script_->asked[0].message.text.startsWith("No printer is installed."));
    EXPECT_EQ(script_->asked[1].kind, Asked::SaveFile);
    EXPECT_EQ(script_->asked[1].file.fileName, "KIVO questionnaire.pdf");
    EXPECT_TRUE(jobs.files.empty());
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "2");
    EXPECT_EQ(PdfInfo(pdf, "Title"), "KIVO questionnaire");
}

TEST_F(BlankPrinting, WithoutAPrinterDecliningThePdfPrintsNothing) {
    jobs.printerInstalled = false;
    script_->buttons = {DialogButton::No};
    Choose("actionPrintBlankFormA");
    EXPECT_EQ(script_->asked.size(), 1u);
    EXPECT_TRUE(jobs.files.empty());
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
        EXPECT_NE(entry.path().extension(), ".pdf") << entry.path();
    }
}

TEST_F(BlankPrinting, WithoutAPrinterAPdfThatCannotBeWrittenWholeIsAnErrorBox) {
    jobs.printerInstalled = false;
    const SmallDisk disk(folder_.path() / "small", 8);
    if (!disk.Mounted()) GTEST_SKIP() << "no tmpfs could be mounted here";
    const auto pdf = folder_.path() / "small/blank.pdf";
    script_->buttons = {DialogButton::Yes, DialogButton::Ok};
    script_->files = {QString::fromStdString(pdf.string())};
    Choose("actionPrintBlankLongForm");
    const auto texts = script_->MessageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].toStdString(),
              "Cannot save \"" + pdf.string() + "\": No space left on device.");
    EXPECT_TRUE(std::filesystem::is_empty(folder_.path() / "small")) << "no cut-off PDF";
}

}  // namespace
}  // namespace kivo::test
