// The score report's preview worked from the keyboard alone: opened with Ctrl+P, printed into
// the private CUPS queue with Ctrl+P, saved as a PDF with Ctrl+S and closed with Escape.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "tests/printing_cups/CupsFixture.h"
#include "tests/printing_cups/SpooledJobs.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PdfPages.h"
#include "tests/support/ShownPreview.h"

namespace kivo::test {
namespace {

using PreviewKeys = CupsShellTest;

// Keys to whatever has the focus, as the window system sends them.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr) << "nothing has the focus";
    QTest::keyClick(focused, key, modifiers);
}

bool HasWord(const std::filesystem::path& pdf, const QString& text) {
    for (const PdfWord& word : PdfWords(pdf, 1)) {
        if (word.text == text) return true;
    }
    return false;
}

TEST_F(PreviewKeys, PrintAndSaveAPdfFromTheKeyboardAlone) {
    QApplication::setActiveWindow(main_.get());
    auto* lastName = Find<QLineEdit>("EditLastName");
    QTest::mouseClick(lastName, Qt::LeftButton);
    QTest::keyClicks(lastName, "Jones");
    script_->files = {Path("jones.pdf")};
    script_->saveFilters = {"PDF files (*.pdf)"};
    bool closed = false;
    QElapsedTimer waited;
    waited.start();
    QTimer steps;
    QObject::connect(&steps, &QTimer::timeout, [&] {
        report::ReportPreview* preview = ShownPreviewWithPages();
        if (preview == nullptr) {
            if (waited.elapsed() < 30000) return;
            steps.stop();
            ADD_FAILURE() << "no preview with pages";
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (qobject_cast<report::ReportPreview*>(window) != nullptr) window->close();
            }
            return;
        }
        steps.stop();
        // The window manager gives the preview the keys back after each dialog.
        QApplication::setActiveWindow(preview);
        Press(Qt::Key_P, Qt::ControlModifier);
        QApplication::setActiveWindow(preview);
        Press(Qt::Key_S, Qt::ControlModifier);
        QApplication::setActiveWindow(preview);
        Press(Qt::Key_Escape);
        closed = !preview->isVisible();
    });
    steps.start(10);
    Press(Qt::Key_P, Qt::ControlModifier);  // Print Scores: returns when the preview closes
    EXPECT_TRUE(closed);
    EXPECT_TRUE(script_->files.empty()) << "Ctrl+S in the preview did not save";

    // Print prints the shown pages on the printer of the set-up, without a dialog.
    const auto jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u) << "Ctrl+P in the preview did not print";
    EXPECT_EQ(PdfInfo(jobs[0], "Title"), "KIVO Score Report");
    EXPECT_TRUE(HasWord(jobs[0], "Jones,"));
    EXPECT_EQ(FileHead(Path("jones.pdf"), 5), "%PDF-");
    EXPECT_TRUE(HasWord(Path("jones.pdf").toStdString(), "Jones,"));
}

}  // namespace
}  // namespace kivo::test
