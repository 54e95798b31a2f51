// Printing for real into a private CUPS scheduler: the Reports menu's questionnaires and the
// score report's preview go through Qt's printer into file-backed queues, and each spooled job
// is read back as text positions and pixels.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QKeySequence>

#include "app/MainWindow.h"
#include "model/Session.h"
#include "print/ReportPrinting.h"
#include "print/questionnaire/QuestionnairePrinting.h"
#include "print/score/ScoreReport.h"
#include "tests/printing_cups/CupsFixture.h"
#include "tests/printing_cups/SpooledJobs.h"
#include "tests/support/ClientBuilder.h"

namespace kivo::test {
namespace {

namespace fs = std::filesystem;

// Pixels of a red hue (the logo's maroon) in the top `fraction` of an image.
int ReddishPixels(const QImage& image, double fraction) {
    int count = 0;
    const int rows = static_cast<int>(image.height() * fraction);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 60 && c.red() > c.green() + 40 && c.red() > c.blue() + 40) ++count;
        }
    }
    return count;
}

// The user's choices in the print dialog: a queue and a paper, and landscape and the first
// page only, which the score report never takes.
class Choosing final : public DialogSeam {
public:
    Choosing(const char* queue, QPageSize::PageSizeId paper) : queue_(queue), paper_(paper) {}
    DialogButton Message(const MessageRequest&) override { return DialogButton::Ok; }
    std::optional<QString> OpenFileName(const FileRequest&) override { return {}; }
    std::optional<QString> SaveFileName(const FileRequest&) override { return {}; }
    bool Print(const PrintRequest& request, QPrinter& printer) override {
        offeredRange = request.maxPage > 0;
        printer.setPrinterName(queue_);
        printer.setPageSize(QPageSize(paper_));
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(1, 1);
        return true;
    }
    std::optional<QString> InputText(const InputRequest&) override { return {}; }
    int RunModal(QDialog&) override { return 0; }
    bool offeredRange = true;

private:
    QString queue_;
    QPageSize::PageSizeId paper_;
};

class CupsPrinting : public CupsShellTest {
protected:
    void Choose(const char* menuItem) {
        QAction* action = Find<QAction>(menuItem);
        ASSERT_NE(action, nullptr) << menuItem;
        action->trigger();
    }
};

// Three copies of the long form and then form A: five identical-looking first pages, none of
// them with the logo's maroon in its header.
TEST_F(CupsPrinting, EveryCopyAndEveryJobStartsFromBlack) {
    script_->printCopies = {3, 1};
    Choose("actionPrintBlankLongForm");
    Choose("actionPrintBlankFormA");
    EXPECT_TRUE(script_->MessageTexts().empty());
    const auto jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 4u);
    QImage first;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        EXPECT_EQ(PdfInfo(jobs[i], "Pages"), "2") << i;
        const QImage page = PdfPageImage(jobs[i], 1, 40, folder_.path(), PageColours::Colour);
        ASSERT_FALSE(page.isNull()) << i;
        EXPECT_EQ(ReddishPixels(page, 0.2), 0) << "job " << i << " has red in its header";
        if (i == 0) first = page;
        if (i > 0 && i < 3) {
            EXPECT_EQ(page, first) << "copy " << i + 1 << " differs";
        }
    }
}

// The words of a page joined by blanks, to find a phrase printed as one text.
QString PageText(const std::vector<PdfWord>& words) {
    QStringList texts;
    for (const PdfWord& w : words) texts << w.text;
    return texts.join(' ');
}

// Every form on Letter and A4 queues with narrow and 0.75 in margins: the paper of the queue,
// whole documents, every sheet naming its client, condition and page, nothing in the
// unprintable margin and no word printed over another.
TEST_F(CupsPrinting, EveryFormOnEveryQueueIsWholeAndUncluttered) {
    struct Queue {
        const char* name;
        const char* size;  // pdfinfo's page size
        QSizeF paper;
        double margin;  // points
    };
    const std::pair<const char*, const char*> forms[] = {{"actionPrintBlankFormA", "KIVOs(a)"},
                                                         {"actionPrintBlankFormB", "KIVOs(b)"},
                                                         {"actionPrintBlankLongForm", "KIVO"}};
    const Queue queues[] = {{"letter", "612 x 792 pts", {612, 792}, 18},
                            {"a4", "595 x 842", {595, 842}, 12},
                            {"letter-wide", "612 x 792 pts", {612, 792}, 54},
                            {"a4-wide", "595 x 842", {595, 842}, 54}};
    for (const Queue& queue : queues) {
        QPrinter& printer = main_->Questionnaires().Printer();
        printer.setPrinterName(queue.name);
        // A choice of the dialog that must not reach the printer: only whole documents.
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
        for (const auto& [item, title] : forms) {
            const std::size_t before = cups_->Documents().size();
            script_->printCopies = {1};
            Choose(item);
            const auto all = cups_->Documents();
            ASSERT_EQ(all.size(), before + 1) << queue.name << " " << item;
            const fs::path job = all.back();
            const std::string where = std::string(queue.name) + " " + item;
            EXPECT_EQ(PdfInfo(job, "Pages"), "2") << where;
            EXPECT_TRUE(PdfInfo(job, "Page size").startsWith(queue.size))
                << where << ": " << PdfInfo(job, "Page size").toStdString();
            const std::string control = cups_->JobControl(static_cast<int>(all.size()));
            EXPECT_EQ(control.find("page-ranges"), std::string::npos) << where;
            for (const int page : {1, 2}) {
                SCOPED_TRACE(where + " page " + std::to_string(page));
                const auto words = PdfWords(job, page);
                ASSERT_GT(words.size(), 50u);
                EXPECT_TRUE(OverlappingWords(words).isEmpty())
                    << OverlappingWords(words).join("; ").toStdString();
                ExpectWordsInside(words, queue.paper, queue.margin);
                const QString text = PageText(words);
                for (const QString& phrase :
                     {QStringLiteral("Name:"), QStringLiteral("Hearing aid / condition:"),
                      QStringLiteral("Page %1 of 2").arg(page),
                      QStringLiteral("How good are the hearing aids at..."),
                      QStringLiteral("A Not at all"), QStringLiteral("G Tremendously")}) {
                    EXPECT_TRUE(text.contains(phrase)) << phrase.toStdString();
                }
            }
            EXPECT_EQ(PdfWords(job, 1).front().text, title) << where;
        }
    }
}

// The score report from its preview (Print Scores, Ctrl+P) on the default printer: laid out on
// and printed on that printer's paper, A4 on an A4-only printer, Letter on a Letter one, with
// the client's ID beside the name and the note on the subscales' ranges.
TEST_F(CupsPrinting, TheScoreReportTakesThePaperOfTheDefaultPrinter) {
    struct Case {
        const char* queue;
        const char* size;
        QSizeF paper;
        double margin;
    };
    const Case cases[] = {{"a4", "595 x 842", {595, 842}, 12},
                          {"letter", "612 x 792", {612, 792}, 18}};
    QAction* printScores = Find<QAction>("actionPrintScores");
    ASSERT_NE(printScores, nullptr);
    EXPECT_EQ(printScores->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.queue);
        ASSERT_TRUE(cups_->Admin("/usr/sbin/lpadmin", {"-d", c.queue}));
        gClientRecord = test::ClientBuilder().Name("Johnson", "Ann").ClientId("KV-20417").Build();
        print::ScoreReport scoreReport;
        // What the preview does before its run, then its Print button.
        print::LayOutForPrinter(scoreReport.Report());
        const report::PageStore shown = scoreReport.Report().Generate();
        const std::size_t before = cups_->Documents().size();
        print::PrintReport(scoreReport.Report(), shown, nullptr);
        const auto all = cups_->Documents();
        ASSERT_EQ(all.size(), before + 1);
        EXPECT_TRUE(PdfInfo(all.back(), "Page size").startsWith(c.size))
            << PdfInfo(all.back(), "Page size").toStdString();
        const auto words = PdfWords(all.back(), 1);
        const QString text = PageText(words);
        EXPECT_TRUE(text.contains("Client ID: KV-20417")) << text.toStdString();
        EXPECT_TRUE(text.contains("Name: Johnson, Ann")) << text.toStdString();
        EXPECT_TRUE(text.contains("scored from 1 to 5")) << text.toStdString();
        ExpectWordsInside(words, c.paper, c.margin);
        EXPECT_TRUE(OverlappingWords(words).isEmpty())
            << OverlappingWords(words).join("; ").toStdString();
    }
    EXPECT_TRUE(cups_->Admin("/usr/sbin/lpadmin", {"-d", "letter"}));
    ResetClientRecord(gClientRecord);
}

// A queue that rejects jobs: the error box says so once and the other copies are not sent.
TEST_F(CupsPrinting, ARefusedJobIsReportedAndStopsTheCopies) {
    ASSERT_TRUE(cups_->Admin("/usr/sbin/cupsreject", {"a4"}));
    main_->Questionnaires().Printer().setPrinterName("a4");
    script_->printCopies = {3};
    script_->buttons = {DialogButton::Ok};
    Choose("actionPrintBlankFormB");
    EXPECT_TRUE(cups_->Admin("/usr/sbin/cupsaccept", {"a4"}));
    EXPECT_TRUE(NewJobs().empty());
    const auto texts = script_->MessageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(
        texts[0].startsWith("The print job \"KIVO questionnaire - Form B\" could not be "
                            "printed"))
        << texts[0].toStdString();
}

// The score report printed from stored pages onto the queue chosen in Printer setup, on the
// paper chosen there, upright whatever the dialog said, and placed as on the PDF.
TEST_F(CupsPrinting, TheScoreReportPrintsOnThePrinterAndPaperOfTheSetup) {
    print::ScoreReport scoreReport;
    gClientRecord = test::ClientBuilder().Name("Johnson", "Ann").Form(kLongForm).Build();
    const report::PageStore shown = scoreReport.Report().Generate();
    gClientRecord = test::ClientBuilder().Name("Smith", "Bob").Build();

    auto choosing = std::make_unique<Choosing>("a4", QPageSize::A4);
    Choosing* dialogs = choosing.get();
    auto previous = InstallDialogs(std::move(choosing));
    print::PrinterSetup(scoreReport.Report(), nullptr);
    EXPECT_FALSE(dialogs->offeredRange);
    print::PrintReport(scoreReport.Report(), shown, nullptr);
    InstallDialogs(std::move(previous));

    const auto jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(PdfInfo(jobs[0], "Page size").startsWith("595 x 842"))
        << PdfInfo(jobs[0], "Page size").toStdString();
    EXPECT_EQ(PdfInfo(jobs[0], "Title"), "KIVO Score Report");
    const auto words = PdfWords(jobs[0], 1);
    bool sawName = false;
    for (const PdfWord& w : words) {
        EXPECT_NE(w.text, "Smith,");
        if (w.text == "Name:") {
            sawName = true;
            // 8 design pixels right of the 0.5 in margin, 104 down into the header: the
            // queue's 12 pt unprintable margin does not shift the page.
            EXPECT_NEAR(w.box.left(), 36.0 + 6.0, 1.0);
            EXPECT_NEAR(w.box.top(), 36.0 + 78.0, 3.0);
        }
    }
    EXPECT_TRUE(sawName);
    EXPECT_TRUE(OverlappingWords(words).isEmpty())
        << OverlappingWords(words).join("; ").toStdString();
    ResetClientRecord(gClientRecord);
}

// A client whose every detail is as wide as its field allows: on each queue and paper the
// report's words stay inside the queue's unprintable margin (0.25 in, 12 pt on "a4", 0.75 in on
// the wide queues, wider than the report's own half inch) and none runs into another.
TEST_F(CupsPrinting, TheWidestDetailsPrintWholeOnEveryQueueAndPaper) {
    const std::string w(30, 'W');
    const auto wide = [&](std::size_t n) { return std::string_view(w).substr(0, n); };
    const test::FittingDetails fitting{wide(29), wide(5), wide(11), wide(10), 3};
    struct Case {
        const char* queue;
        QPageSize::PageSizeId paper;
        QSizeF points;
        double margin;
    };
    const Case cases[] = {{"a4", QPageSize::A4, {595, 842}, 12},
                          {"letter", QPageSize::Letter, {612, 792}, 18},
                          {"letter-a4", QPageSize::A4, {595, 842}, 18},
                          {"letter-wide", QPageSize::Letter, {612, 792}, 54},
                          {"a4-wide", QPageSize::A4, {595, 842}, 54}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.queue);
        const std::size_t before = cups_->Documents().size();
        print::ScoreReport scoreReport;
        auto previous = InstallDialogs(std::make_unique<Choosing>(c.queue, c.paper));
        print::PrinterSetup(scoreReport.Report(), nullptr);
        gClientRecord = test::ClientBuilder()
                            .Name(wide(17), wide(17), wide(1))
                            .Gender(wide(1))
                            .BirthDate(wide(10))
                            .Fitting1(fitting)
                            .Fitting2(fitting)
                            .Comments(std::string(255, 'W'))
                            .Form(kLongForm)
                            .Build();
        const report::PageStore shown = scoreReport.Report().Generate();
        print::PrintReport(scoreReport.Report(), shown, nullptr);
        InstallDialogs(std::move(previous));

        const auto all = cups_->Documents();
        ASSERT_EQ(all.size(), before + 1);
        const auto words = PdfWords(all.back(), 1);
        ASSERT_GT(words.size(), 50u);
        ExpectWordsInside(words, c.points, c.margin);
        EXPECT_TRUE(OverlappingWords(words).isEmpty())
            << OverlappingWords(words).join("; ").toStdString();
    }
    ResetClientRecord(gClientRecord);
}

}  // namespace
}  // namespace kivo::test
