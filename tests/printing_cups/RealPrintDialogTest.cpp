// The print dialog the user really sees: Qt's own print dialog, driven with QTest clicks and
// keys, sends the Reports menu's blank forms and the score report's preview to the private
// CUPS queues, and each spooled job is read back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "app/MainWindow.h"
#include "model/Session.h"
#include "print/preview/ReportPreview.h"
#include "tests/printing_cups/CupsFixture.h"
#include "tests/printing_cups/SpooledJobs.h"
#include "tests/printing_cups/UserSteps.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

namespace fs = std::filesystem;

// Qt's print dialog for real; every other question answered from the script.
class QtPrintDialog final : public DialogSeam {
public:
    explicit QtPrintDialog(std::shared_ptr<DialogScript> script)
        : scripted_(std::move(script)), qt_(MakeQtDialogs()) {}
    DialogButton Message(const MessageRequest& r) override { return scripted_.Message(r); }
    std::optional<QString> OpenFileName(const FileRequest& r) override {
        return scripted_.OpenFileName(r);
    }
    std::optional<QString> SaveFileName(const FileRequest& r) override {
        return scripted_.SaveFileName(r);
    }
    bool Print(const PrintRequest& r, QPrinter& printer) override { return qt_->Print(r, printer); }
    std::optional<QString> InputText(const InputRequest& r) override {
        return scripted_.InputText(r);
    }
    int RunModal(QDialog& dialog) override { return scripted_.RunModal(dialog); }

private:
    ScriptedDialogs scripted_;
    std::unique_ptr<DialogSeam> qt_;
};

// What the user picks in the print dialog.
struct Choice {
    const char* queue;            // typed into the printer list
    int copies = 1;               // typed over the dialog's number
    const char* paper = nullptr;  // picked in Properties; null keeps the queue's
    bool landscape = false;       // picked in Properties
    bool print = true;            // false: Cancel
};

// What the print dialog offered.
struct Offer {
    QStringList printers;
    bool pageChoices = true;  // a page range, a page list, odd or even pages
    bool selection = true;
    bool currentPage = true;
    bool seen = false;
    QString acceptText;        // the accepting button's
    bool saysUpright = false;  // a note that the pages print upright
};

bool Offered(const QDialog& dialog, const char* name) {
    const auto* w = dialog.findChild<QWidget*>(QString::fromLatin1(name));
    return w && w->isVisible() && w->isEnabled();
}

// Queues the user's steps through one print dialog: pick the queue, open Options, step the
// copies up, set paper and orientation in Properties, then Print or Cancel.
void ChooseInPrintDialog(UserSteps& steps, const Choice& choice, Offer& offer) {
    const bool properties = choice.paper || choice.landscape;
    steps.OnModalWith("printers", "the print dialog", [choice, properties, &offer](QDialog& d) {
        auto* printers = d.findChild<QComboBox*>("printers");
        ASSERT_NE(printers, nullptr);
        for (int i = 0; i < printers->count(); ++i) offer.printers << printers->itemText(i);
        printers->setFocus();
        QTest::keyClicks(printers, choice.queue);
        EXPECT_EQ(printers->currentText(), choice.queue);
        for (auto* button : d.findChildren<QPushButton*>()) {
            if (button->text().contains("Options")) QTest::mouseClick(button, Qt::LeftButton);
        }
        offer.pageChoices = Offered(d, "printRange") || Offered(d, "pagesRadioButton") ||
                            Offered(d, "pageSetCombo") || Offered(d, "from");
        offer.selection = Offered(d, "printSelection");
        offer.currentPage = Offered(d, "printCurrentPage");
        offer.seen = true;
        if (auto* box = d.findChild<QDialogButtonBox*>()) {
            offer.acceptText = box->button(QDialogButtonBox::Ok)->text();
        }
        const auto* note = d.findChild<QLabel*>("PrintNote");
        offer.saysUpright = note && note->isVisible() && note->text().contains("upright");
        auto* copies = d.findChild<QSpinBox*>("copies");
        ASSERT_NE(copies, nullptr);
        // The dialog offers the last choice again: replace whatever it shows.
        QTest::keyClick(copies, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(copies, QString::number(choice.copies));
        EXPECT_EQ(copies->value(), choice.copies);
        if (properties) {
            // Opens the printer's properties and waits in them; the next step works there.
            QTest::mouseClick(d.findChild<QPushButton*>("properties"), Qt::LeftButton);
            return;
        }
        ClickDialogButton(d, choice.print ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
    });
    if (!properties) return;
    steps.OnModalWith("pageSetup", "the printer properties", [choice](QDialog& d) {
        if (choice.paper) {
            auto* paper = d.findChild<QComboBox*>("pageSizeCombo");
            ASSERT_NE(paper, nullptr);
            paper->setFocus();
            QTest::keyClicks(paper, choice.paper);
            EXPECT_EQ(paper->currentText(), choice.paper);
        }
        if (choice.landscape) {
            QTest::mouseClick(d.findChild<QRadioButton*>("landscape"), Qt::LeftButton);
        }
        ClickDialogButton(d, QDialogButtonBox::Ok);
    });
    steps.OnModalWith("printers", "the print dialog after its properties", [choice](QDialog& d) {
        ClickDialogButton(d, choice.print ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
    });
}

void ExpectWholeDocumentsOnly(const Offer& offer) {
    ASSERT_TRUE(offer.seen) << "the print dialog never showed";
    EXPECT_EQ(offer.printers, (QStringList{"a4", "a4-wide", "letter", "letter-a4", "letter-wide"}))
        << "the queues and nothing else (no printing to a file)";
    EXPECT_FALSE(offer.pageChoices);
    EXPECT_FALSE(offer.selection);
    EXPECT_FALSE(offer.currentPage);
}

// Every word of the page lies on the paper, inside the queue's 0.25 in (18 pt) or 12 pt
// unprintable margin.
void ExpectNothingCut(const fs::path& job, int page, QSizeF paper, double margin) {
    const auto words = PdfWords(job, page);
    ASSERT_FALSE(words.empty()) << "page " << page;
    ExpectWordsInside(words, paper, margin);
}

class RealPrintDialog : public CupsShellTest {
protected:
    void BeforeStart() override { InstallDialogs(std::make_unique<QtPrintDialog>(script_)); }
};

// The Reports menu through the real dialog: the job lands on the queue picked, once per copy,
// both pages, on that queue's paper and upright even when Properties said landscape.
TEST_F(RealPrintDialog, BlankFormsPrintWholeOnTheQueueAndPaperPickedOncePerCopy) {
    struct Case {
        Choice choice;
        const char* pageSize;  // pdfinfo's
        QSizeF paper;
        double margin;
    };
    const Case cases[] = {
        {{"a4", 2, nullptr, true}, "595 x 842", {595, 842}, 12},
        {{"letter", 1}, "612 x 792", {612, 792}, 18},
        {{"letter-a4", 1, "A4"}, "595 x 842", {595, 842}, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice.queue);
        const std::size_t before = cups_->Documents().size();
        UserSteps steps;
        Offer offer;
        ChooseInPrintDialog(steps, c.choice, offer);
        test::TriggerAction(*main_, "actionPrintBlankFormA");
        EXPECT_TRUE(steps.Done());
        ExpectWholeDocumentsOnly(offer);
        EXPECT_TRUE(script_->MessageTexts().empty());
        const auto all = cups_->Documents();
        ASSERT_EQ(all.size(), before + static_cast<std::size_t>(c.choice.copies));
        for (std::size_t i = before; i < all.size(); ++i) {
            const std::string control = cups_->JobControl(static_cast<int>(i + 1));
            EXPECT_NE(control.find(std::string("/printers/") + c.choice.queue), std::string::npos);
            EXPECT_EQ(IppInteger(control, "copies").value_or(1), 1) << "each job comes out once";
            for (const char* option : {"page-ranges", "page-set", "landscape"}) {
                EXPECT_EQ(control.find(option), std::string::npos) << option;
            }
            EXPECT_EQ(PdfInfo(all[i], "Pages"), "2");
            EXPECT_TRUE(PdfInfo(all[i], "Page size").startsWith(c.pageSize))
                << PdfInfo(all[i], "Page size").toStdString();
            EXPECT_EQ(PdfWords(all[i], 1).front().text, "KIVOs(a)");
            for (const int page : {1, 2}) ExpectNothingCut(all[i], page, c.paper, c.margin);
        }
    }
}

// Cancel in the real dialog: the Reports menu prints nothing, and Printer setup keeps the
// choices it had.
TEST_F(RealPrintDialog, CancelPrintsNothingAndKeepsTheSetup) {
    UserSteps steps;
    Offer offer;
    ChooseInPrintDialog(steps, {"a4", 3, nullptr, false, false}, offer);
    test::TriggerAction(*main_, "actionPrintBlankLongForm");
    EXPECT_TRUE(steps.Done());
    EXPECT_TRUE(NewJobs().empty());

    gClientRecord = ClientBuilder().Name("Garcia", "Ana").Build();
    Offer setupOffer;
    Offer cancelOffer;
    UserSteps previewSteps;
    previewSteps.When("the preview's pages", ShownPreviewWithPages, [](QWidget& preview) {
        QTest::mouseClick(preview.findChild<QToolButton*>("PrintSetup"), Qt::LeftButton);
        QTest::mouseClick(preview.findChild<QToolButton*>("PrintSetup"), Qt::LeftButton);
        QTest::mouseClick(preview.findChild<QToolButton*>("Print"), Qt::LeftButton);
        preview.close();
    });
    ChooseInPrintDialog(previewSteps, {"a4", 2}, setupOffer);
    ChooseInPrintDialog(previewSteps, {"letter", 3, nullptr, false, false}, cancelOffer);
    test::TriggerAction(*main_, "actionPrintScores");
    EXPECT_TRUE(previewSteps.Done());
    ExpectWholeDocumentsOnly(setupOffer);
    // Printing prints; the preview's Printer setup only sets up. Both say the pages print
    // upright whatever orientation the printer's properties offer.
    EXPECT_TRUE(offer.acceptText.contains("Print")) << offer.acceptText.toStdString();
    EXPECT_EQ(setupOffer.acceptText, "OK");
    EXPECT_TRUE(offer.saysUpright);
    EXPECT_TRUE(setupOffer.saysUpright);
    const auto jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u);
    const std::string control = cups_->JobControl(NewJobNumber(0));
    EXPECT_NE(control.find("/printers/a4"), std::string::npos) << "the setup before the cancel";
    EXPECT_EQ(IppInteger(control, "copies"), 2);
    ResetClientRecord(gClientRecord);
}

// Print Scores for Garcia, then Brown loaded in the main window while the preview is open;
// Printer setup picks the two-paper queue, A4, landscape and two copies in the real dialog.
// Print sends Garcia's page alone, upright on A4, twice, to that queue.
TEST_F(RealPrintDialog, ThePreviewPrintsItsClientOnThePrinterPaperAndCopiesOfTheSetup) {
    WriteClientFile(ToFsPath(Path("garcia.KVO")), ClientBuilder().Name("Garcia", "Ana").Build());
    WriteClientFile(ToFsPath(Path("brown.KVO")), ClientBuilder().Name("Brown", "Bob").Build());
    script_->files = {Path("garcia.KVO")};
    test::TriggerAction(*main_, "actionLoad");

    UserSteps steps;
    Offer offer;
    steps.When("the preview's pages", ShownPreviewWithPages, [this](QWidget& preview) {
        script_->files = {Path("brown.KVO")};
        test::TriggerAction(*main_, "actionLoad");
        QTest::mouseClick(preview.findChild<QToolButton*>("PrintSetup"), Qt::LeftButton);
        QTest::mouseClick(preview.findChild<QToolButton*>("Print"), Qt::LeftButton);
        preview.close();
    });
    ChooseInPrintDialog(steps, {"letter-a4", 2, "A4", true}, offer);
    test::TriggerAction(*main_, "actionPrintScores");
    EXPECT_TRUE(steps.Done());
    ExpectWholeDocumentsOnly(offer);
    EXPECT_TRUE(script_->MessageTexts().empty());

    const auto jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u);
    const fs::path& job = jobs[0];
    const std::string control = cups_->JobControl(NewJobNumber(0));
    EXPECT_NE(control.find("/printers/letter-a4"), std::string::npos);
    EXPECT_EQ(IppInteger(control, "copies"), 2);
    EXPECT_EQ(control.find("landscape"), std::string::npos);
    EXPECT_EQ(PdfInfo(job, "Pages"), "1");
    EXPECT_TRUE(PdfInfo(job, "Page size").startsWith("595 x 842"))
        << PdfInfo(job, "Page size").toStdString();
    EXPECT_EQ(PdfInfo(job, "Title"), "KIVO Score Report");
    bool sawGarcia = false;
    for (const PdfWord& w : PdfWords(job, 1)) {
        EXPECT_FALSE(w.text.startsWith("Brown")) << "the client loaded after the preview";
        if (w.text == "Garcia,") sawGarcia = true;
        if (w.text == "Name:") {
            // Placed from the paper's edge: the 0.5 in margin plus 8 design pixels.
            EXPECT_NEAR(w.box.left(), 36.0 + 6.0, 1.0);
        }
    }
    EXPECT_TRUE(sawGarcia);
    ExpectNothingCut(job, 1, {595, 842}, 18);
    ResetClientRecord(gClientRecord);
}

}  // namespace
}  // namespace kivo::test
