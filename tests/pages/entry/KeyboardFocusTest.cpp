// Where the keyboard is after the user leaves the answer grid for a moment: the Clear question,
// the page shortcuts, a form changed on the demographics page. Keys go to the focused widget,
// as the window system sends them.
#include <QApplication>
#include <QPushButton>

#include "tests/pages/entry/EntryFixture.h"

namespace kivo::test {
namespace {

class KeyboardFocus : public EntryPagesTest {
protected:
    // Starts with `record` and shows the entry page once the window system has made the main
    // window active (focus moves here are checked as the window system reports them).
    void OpenEntryPage(const ClientRecord& record) {
        StartWith(record);
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
        ShowEntryPage();
        Flush();
    }

    QWidget* Grid() const { return Entry<QWidget>("ScrollContent"); }

    static std::string FocusName() {
        const QWidget* focused = QApplication::focusWidget();
        return focused == nullptr ? "nothing" : focused->objectName().toStdString();
    }

    // Presses `key` on whatever has the keyboard focus, and lets its effects arrive.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << "nothing has the focus";
        QTest::keyClick(focused, key, modifiers);
        Flush();
    }
};

struct ClearCase {
    const char* what;
    DialogButton answer;
    std::string after;  // condition 1's first three answers once "B" and Space are typed
    int questions;      // Clear questions asked in all
};

void PrintTo(const ClearCase& c, std::ostream* out) {
    *out << c.what;
}

class ClearThenType : public KeyboardFocus, public ::testing::WithParamInterface<ClearCase> {};

// After the Clear question the keys go on in the grid: a cleared sheet from item 1, a kept one
// from where the focus cell was. Left on the button, "B" did nothing and Space asked again.
TEST_P(ClearThenType, KeysGoOnInTheGrid) {
    const ClearCase& c = GetParam();
    std::string answers = NoAnswers();
    answers[0] = 'A';
    answers[1] = 'C';
    OpenEntryPage(FullClient(kLongForm, answers));
    ASSERT_EQ(Pages().responseEntry->FocusRow(), 2);  // the first unanswered item
    script_->buttons = {c.answer, DialogButton::No};
    QTest::mouseClick(Entry<QPushButton>("ClearCondition1Button"), Qt::LeftButton);
    EXPECT_EQ(FocusName(), "ScrollContent");
    Press(Qt::Key_B);
    Press(Qt::Key_Space);
    EXPECT_EQ(script_->MessageTexts().size(), static_cast<std::size_t>(c.questions));
    ShowDemographicsPage();
    EXPECT_EQ(Responses().substr(0, 3), c.after);
}

INSTANTIATE_TEST_SUITE_P(Answers, ClearThenType,
                         ::testing::Values(ClearCase{"Yes", DialogButton::Yes, "B  ", 1},
                                           ClearCase{"No", DialogButton::No, "ACB", 1}),
                         [](const auto& param) { return std::string(param.param.what); });

// Ctrl+1, Ctrl+2 and Ctrl+3 away and back: the keys answer where typing left off.
TEST_F(KeyboardFocus, PageShortcutsAwayAndBackKeepTheKeysInTheGrid) {
    OpenEntryPage(FullClient(kLongForm, NoAnswers()));
    ASSERT_EQ(QApplication::focusWidget(), Grid());
    Press(Qt::Key_1, Qt::ControlModifier);
    ASSERT_TRUE(Pages().demographics->isVisible());
    Press(Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(FocusName(), "ScrollContent");
    Press(Qt::Key_C);
    Press(Qt::Key_3, Qt::ControlModifier);
    Press(Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(FocusName(), "ScrollContent");
    Press(Qt::Key_4);
    Press(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(Responses().substr(0, 3), "CD ");
}

// The long form changed to short form (a) on the demographics page, its answers kept: the use
// items are now items 26 to 28, and the keys write there; the long form's positions stay.
TEST_F(KeyboardFocus, UseItemsTypedAfterTheFormChangedGoToTheShortFormsPlaces) {
    std::string answers = NoAnswers();
    answers[37] = 'A';
    answers[38] = 'B';
    answers[39] = 'C';
    OpenEntryPage(FullClient(kLongForm, answers));
    Press(Qt::Key_1, Qt::ControlModifier);
    Demo<QComboBox>("ComboForm")->setFocus();
    script_->buttons = {DialogButton::Yes};  // keep the stored answers
    Press(Qt::Key_Home);
    Press(Qt::Key_2, Qt::ControlModifier);
    ASSERT_EQ(Pages().responseEntry->ShownItemCount(), 28);
    for (const Qt::Key key : {Qt::Key_End, Qt::Key_Up, Qt::Key_Up, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                              Qt::Key_End, Qt::Key_E})
        Press(key);
    Press(Qt::Key_1, Qt::ControlModifier);
    std::string expected = answers;
    expected[25] = 'B';
    expected[26] = 'C';
    expected[27] = 'D';
    expected[40 + 27] = 'E';
    EXPECT_EQ(Responses(), expected);
}

}  // namespace
}  // namespace kivo::test
