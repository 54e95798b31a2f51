// The preview's Save and Load with their dialogs: the type the filter or the typed extension
// names, the name suggested from the client, pages there are none of, and Qt's own file dialog
// opened large and driven with keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "model/Session.h"
#include "print/ReportPrinting.h"
#include "print/engine/PageStoreFile.h"
#include "print/preview/ReportPreview.h"
#include "print/score/ScoreReport.h"
#include "tests/print/ReportFixtures.h"
#include "tests/printing_cups/UserSteps.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PdfPages.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kivo::test {
namespace {

const QString kPageFiles = "KIVO page files (*.kps)";
const QString kPdfs = "PDF files (*.pdf)";
const QString kPngs = "PNG images (*.png)";

report::PageStore OnePage() {
    report::PageStore store;
    store.title = "KIVO Score Report";
    store.pages = {report::testing::LetterPage()};
    return store;
}

class PreviewSave : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = InstallDialogs(std::make_unique<ScriptedDialogs>(script_));
    }
    void TearDown() override { InstallDialogs(std::move(previous_)); }
    QString Path(const char* name) const { return QString::fromStdString((dir_ / name).string()); }

    std::shared_ptr<DialogScript> script_ = std::make_shared<DialogScript>();
    TempDir dir_;

private:
    std::unique_ptr<DialogSeam> previous_;
};

// The filter chosen says the type of a name typed without one; a typed extension of a type
// the preview saves wins in any case; any other extension gets the filter's added.
TEST_F(PreviewSave, TheFilterOrTheTypedExtensionSaysWhatIsWritten) {
    struct Case {
        const char* typed;
        QString filter;
        const char* written;
        QByteArray magic;
    };
    const Case cases[] = {
        {"rep3", kPdfs, "rep3.pdf", "%PDF-"},         {"rep4", kPageFiles, "rep4.kps", "KIVOPAGES"},
        {"rep5", kPngs, "rep5.png", "\x89PNG"},       {"rep6.PDF", kPageFiles, "rep6.PDF", "%PDF-"},
        {"rep7.kps", kPdfs, "rep7.kps", "KIVOPAGES"}, {"rep8.png", kPdfs, "rep8.png", "\x89PNG"},
        {"rep9.txt", kPdfs, "rep9.txt.pdf", "%PDF-"},
    };
    for (const Case& c : cases) {
        script_->files = {Path(c.typed)};
        script_->saveFilters = {c.filter};
        print::SavePreviewPages(OnePage(), nullptr);
        EXPECT_EQ(FileHead(Path(c.written), static_cast<int>(c.magic.size())), c.magic) << c.typed;
        if (QString(c.written) != c.typed) {
            EXPECT_FALSE(QFile::exists(Path(c.typed))) << c.typed;
        }
    }
    EXPECT_TRUE(script_->MessageTexts().empty());
    const FileRequest& asked = script_->asked.front().file;
    EXPECT_EQ(asked.filter, kPageFiles + ";;" + kPdfs + ";;" + kPngs) << "the page file first";
    EXPECT_EQ(asked.selectedFilter, kPdfs);
    EXPECT_TRUE(PdfInfo(Path("rep3.pdf").toStdString(), "Page size").startsWith("612 x 792"))
        << "a Letter page saves as a Letter PDF";
}

// A name the dialog did not return (its extension added here) is not replaced unasked.
TEST_F(PreviewSave, ACompletedNameIsReplacedOnlyWhenTheUserSaysSo) {
    ASSERT_TRUE(WriteFileBytes(Path("old.pdf"), "old"));
    script_->files = {Path("old"), Path("old")};
    script_->saveFilters = {kPdfs, kPdfs};
    script_->buttons = {DialogButton::No, DialogButton::Yes};
    print::SavePreviewPages(OnePage(), nullptr);
    EXPECT_EQ(FileHead(Path("old.pdf"), 5), "old");
    print::SavePreviewPages(OnePage(), nullptr);
    EXPECT_EQ(FileHead(Path("old.pdf"), 5), "%PDF-");
    EXPECT_EQ(script_->MessageTexts(),
              (std::vector<QString>{"old.pdf already exists.  Do you want to replace it?",
                                    "old.pdf already exists.  Do you want to replace it?"}));
}

// Print Scores for Garcia: Save suggests "GARCIA Score Report.pdf" even after Brown has become
// the open client.
TEST_F(PreviewSave, SaveSuggestsTheLastNameOfTheClientShown) {
    print::ScoreReport scoreReport;
    gClientRecord = ClientBuilder().Name("Garcia", "Ana").Build();
    script_->files = {std::nullopt};
    UserSteps steps;
    steps.When("the preview's pages", ShownPreviewWithPages, [](QWidget& preview) {
        gClientRecord = ClientBuilder().Name("Brown", "Bob").Build();
        QTest::mouseClick(preview.findChild<QToolButton*>("SaveReport"), Qt::LeftButton);
        preview.close();
    });
    report::Preview(scoreReport.Report(), print::PrinterPreviewActions());
    EXPECT_TRUE(steps.Done());
    ResetClientRecord(gClientRecord);
    ASSERT_EQ(script_->asked.size(), 1u);
    EXPECT_EQ(script_->asked[0].kind, Asked::SaveFile);
    EXPECT_EQ(script_->asked[0].file.fileName, "GARCIA Score Report.pdf");
    EXPECT_EQ(print::SuggestedSaveName("", "KIVO Score Report"), "KIVO Score Report");
    EXPECT_EQ(print::SuggestedSaveName("o'Neil/Ng", "KIVO Score Report"), "O'NEIL_NG Score Report");
}

// A page file's title is anyone's text: after Load, Save suggests it as one plain name in
// the folder the dialog shows, never a path out of it, hidden or with control characters.
TEST_F(PreviewSave, ALoadedPageFilesTitleCannotSteerTheSave) {
    report::PageStore hostile = OnePage();
    hostile.title = QString("../../../../tmp/x") + QChar(0x1b) + "\\..\\y";
    report::SavePageStoreFile(hostile, Path("hostile.kps"));
    print::ScoreReport scoreReport;
    gClientRecord = ClientBuilder().Name("Garcia", "Ana").Build();
    script_->files = {Path("hostile.kps"), std::nullopt};
    UserSteps steps;
    steps.When("the preview's pages", ShownPreviewWithPages, [](QWidget& preview) {
        QTest::mouseClick(preview.findChild<QToolButton*>("LoadReport"), Qt::LeftButton);
        QTest::mouseClick(preview.findChild<QToolButton*>("SaveReport"), Qt::LeftButton);
        preview.close();
    });
    report::Preview(scoreReport.Report(), print::PrinterPreviewActions());
    EXPECT_TRUE(steps.Done());
    ResetClientRecord(gClientRecord);
    ASSERT_EQ(script_->asked.size(), 2u);
    EXPECT_EQ(script_->asked[0].kind, Asked::OpenFile);
    EXPECT_EQ(script_->asked[1].kind, Asked::SaveFile);
    EXPECT_EQ(script_->asked[1].file.fileName, "_.._.._.._tmp_x__.._y.pdf");
}

// No pages: Save refuses before any dialog and writes nothing; a page file without pages is
// refused on loading, with a message each time.
TEST_F(PreviewSave, PagesThereAreNoneOfAreNeitherSavedNorShown) {
    const report::PreviewActions actions = print::PrinterPreviewActions();
    script_->buttons = {DialogButton::Ok, DialogButton::Ok};
    actions.save(report::PageStore{}, "GARCIA Score Report", nullptr);
    EXPECT_TRUE(QDir(Path("")).isEmpty());
    report::PageStore empty;
    empty.title = "KIVO Score Report";
    report::SavePageStoreFile(empty, Path("empty.kps"));
    script_->files = {Path("empty.kps")};
    EXPECT_FALSE(actions.load(nullptr).has_value());
    EXPECT_EQ(script_->MessageTexts(),
              (std::vector<QString>{"The report has no pages to save.",
                                    "The page file \"empty.kps\" holds no pages."}));
    ASSERT_EQ(script_->asked.size(), 3u) << "no save dialog for nothing";
    EXPECT_EQ(script_->asked[1].kind, Asked::OpenFile);
}

// Qt's own save dialog: it opens large enough for its columns (or as large as the screen),
// and choosing PDF and typing rep3 saves rep3.pdf as a PDF.
TEST_F(PreviewSave, QtsSaveDialogOpensLargeAndTheChosenFilterSaysTheType) {
    InstallDialogs(MakeQtDialogs());
    QSize opened;
    QSize screen;
    UserSteps steps;
    steps.When(
        "the save dialog",
        []() -> QWidget* { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); },
        [&](QWidget& w) {
            auto& dialog = static_cast<QFileDialog&>(w);
            opened = dialog.size();
            screen = dialog.screen()->availableGeometry().size();
            dialog.setDirectory(Path(""));
            auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(types, nullptr);
            EXPECT_EQ(types->currentText(), kPdfs);
            types->setFocus();
            QTest::keyClick(types, Qt::Key_Up);  // the page file is offered first
            EXPECT_EQ(types->currentText(), kPageFiles);
            QTest::keyClick(types, Qt::Key_Down);
            EXPECT_EQ(types->currentText(), kPdfs);
            auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->text(), "KIVO Score Report.pdf");
            name->setFocus();
            name->selectAll();
            QTest::keyClicks(name, "rep3");
            QTest::keyClick(name, Qt::Key_Return);
        });
    print::SavePreviewPages(OnePage(), nullptr);
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(opened, QSize(900, 560).boundedTo(screen))
        << screen.width() << "x" << screen.height();
    EXPECT_EQ(FileHead(Path("rep3.pdf"), 5), "%PDF-");
    EXPECT_FALSE(QFile::exists(Path("rep3.kps")));
}

}  // namespace
}  // namespace kivo::test
