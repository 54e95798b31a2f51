// Where the keys go in the main window, as a user finds out by typing: Last Name after New and
// Load, the first button of a score page, never a scroll area; and the page keys and Ctrl+Q
// from the guide's window.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include "app/HelpWindow.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

class FocusAndKeys : public ShellTest {
protected:
    MainWindow& StartActive() {
        MainWindow& main = Start();
        QApplication::setActiveWindow(&main);
        return main;
    }
    // Keys to whatever has the focus, as the window system sends them.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << "nothing has the focus";
        QTest::keyClick(focused, key, modifiers);
    }
    static void Type(const QString& text) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << "nothing has the focus";
        QTest::keyClicks(focused, text);
    }
    static QString FocusName() {
        const QWidget* focused = QApplication::focusWidget();
        return focused == nullptr ? QStringLiteral("(none)") : focused->objectName();
    }
};

// The typist's reflex after Ctrl+N: the name goes into the new client's Last Name, not into
// the control that had the keys for the client before.
TEST_F(FocusAndKeys, TypingAfterNewOrLoadLandsInLastName) {
    MainWindow& main = StartActive();
    WriteClient(Path("okafor.KVO"), "Okafor");
    struct Case {
        const char* what;
        Qt::Key key;
    };
    for (const Case& c : {Case{"New", Qt::Key_N}, Case{"Load", Qt::Key_O}}) {
        SCOPED_TRACE(c.what);
        auto* comments = Find<QPlainTextEdit>("CommentsMemo");
        ASSERT_NE(comments, nullptr);
        QTest::mouseClick(comments->viewport(), Qt::LeftButton);
        Type("note");
        script_->buttons = {DialogButton::No};
        script_->files = {Path("okafor.KVO")};
        Press(c.key, Qt::ControlModifier);
        EXPECT_EQ(FocusName(), "EditLastName");
        Type("Smith");
        const QString expected = c.key == Qt::Key_N ? "Smith" : "OkaforSmith";
        EXPECT_EQ(Find<QLineEdit>("EditLastName")->text(), expected);
        EXPECT_EQ(comments->toPlainText(), "");
        script_->buttons = {DialogButton::No};
        test::TriggerAction(main, "actionNew");
    }
}

// The score pages give the keys to their first button; the tool bar keeps none of them.
TEST_F(FocusAndKeys, ScorePagesFocusTheirFirstButton) {
    StartActive();
    Press(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(FocusName(), "PrintScoresButton");
    Press(Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "ViewItemScoresButton");
    Press(Qt::Key_Space);  // View Item Scores
    EXPECT_EQ(FocusName(), "SubscaleButton1");
}

// No scroll area takes the keys: Shift+Tab from Last Name and Tab round the whole window land
// on controls one can see, and a click on the page's background leaves them where they were.
TEST_F(FocusAndKeys, ScrollAreasTakeNoFocus) {
    MainWindow& main = StartActive();
    for (auto* area : main.findChildren<QScrollArea*>()) {
        EXPECT_EQ(area->focusPolicy(), Qt::NoFocus) << area->objectName().toStdString();
    }
    ASSERT_EQ(FocusName(), "EditLastName");
    for (int i = 0; i < 40; ++i) {
        Press(i == 0 ? Qt::Key_Backtab : Qt::Key_Tab, i == 0 ? Qt::ShiftModifier : Qt::NoModifier);
        const QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << i;
        EXPECT_EQ(qobject_cast<const QScrollArea*>(focused), nullptr) << i;
        EXPECT_TRUE(focused->isVisible()) << i << " " << FocusName().toStdString();
    }
    QTest::mouseClick(Find<QLineEdit>("EditFirstName"), Qt::LeftButton);
    QTest::mouseClick(Find<QWidget>("DemographicsPage"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(900, 300));
    EXPECT_EQ(FocusName(), "EditFirstName");
}

// Ctrl+1 to Ctrl+3 and Ctrl+Q work while the guide's window has the keys.
TEST_F(FocusAndKeys, PageKeysAndQuitWorkFromTheGuide) {
    MainWindow& main = StartActive();
    test::TriggerAction(main, "actionHelpContents");
    auto* help = Find<HelpWindow>("HelpWindow");
    ASSERT_NE(help, nullptr);
    QApplication::setActiveWindow(help);
    ASSERT_EQ(QApplication::activeWindow(), help);
    Press(Qt::Key_2, Qt::ControlModifier);
    EXPECT_TRUE(Find<QWidget>("ResponseEntryPage")->isVisible());
    QApplication::setActiveWindow(help);
    Press(Qt::Key_3, Qt::ControlModifier);
    EXPECT_TRUE(Find<QWidget>("SubscaleScoresPage")->isVisible());
    QApplication::setActiveWindow(help);
    Press(Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(Find<QWidget>("DemographicsPage")->isVisible());
    QApplication::setActiveWindow(help);
    Press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(main.isVisible());
}

}  // namespace
}  // namespace kivo::test
