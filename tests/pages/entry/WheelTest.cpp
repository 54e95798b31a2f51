// The mouse wheel over the drop-down lists of the data entry pages: it never changes a value
// while the list is closed, and over the entry page it scrolls the answers as anywhere else.
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>

#include "tests/pages/entry/EntryFixture.h"

namespace kivo::test {
namespace {

// Turns the wheel by `notches` (positive: away from the user, up) with the pointer at `at`
// inside `over`, as the window system delivers it: to the deepest widget under the pointer,
// from where an ignored event goes on to the parents. Returns that widget.
QWidget* TurnWheel(QWidget& over, QPoint at, int notches) {
    QWidget* window = over.window();
    const QPoint inWindow = over.mapTo(window, at);
    QWidget* target = window->childAt(inWindow);
    if (target == nullptr) target = window;
    QWheelEvent wheel(target->mapFrom(window, inWindow), window->mapToGlobal(inWindow), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(target, &wheel);
    return target;
}

// Long form: condition 1 answered throughout, condition 2 its use items only.
std::string Answers() {
    std::string answers = NoAnswers();
    answers.replace(0, 37, std::string(37, 'C'));
    answers.replace(37, 3, "CDE");
    answers.replace(77, 3, "BAC");
    return answers;
}

ClientRecord AnsweredClient() {
    return FullClient(kLongForm, Answers());
}

using ListWheel = EntryPagesTest;

struct WheelOver {
    const char* what;
    int condition;  // the list's condition and use item, or 0 for the row label
    int useItem;
    bool onArrow;  // over the list's arrow instead of its text
    int notches;
};

void PrintTo(const WheelOver& c, std::ostream* out) {
    *out << c.what;
}

class EntryWheel : public EntryPagesTest, public ::testing::WithParamInterface<WheelOver> {};

// The same wheel over a row label scrolls the answers by the same amount: the list passes it on.
TEST_P(EntryWheel, ScrollsTheAnswersAndLeavesTheListAsItWas) {
    const WheelOver& c = GetParam();
    StartWith(AnsweredClient());
    ShowEntryPage();
    Flush();
    QScrollBar* bar = Entry<QScrollArea>("AnswerScrollBox")->verticalScrollBar();
    // Item 38's row and lists are in view at both starts.
    const int start = c.notches > 0 ? bar->maximum() : bar->maximum() - 60;

    // The reference: the wheel over the text of item 38's row label.
    bar->setValue(start);
    auto* row = Entry<QLabel>("RowLabel38");
    TurnWheel(*row, QPoint(60, 10), c.notches);
    const int expected = bar->value();
    ASSERT_NE(expected, start);

    bar->setValue(start);
    if (c.condition == 0) {
        TurnWheel(*row, QPoint(300, 20), c.notches);
    } else {
        QComboBox* list = UseList(c.condition, c.useItem);
        const QString before = list->currentText();
        const QPoint at = c.onArrow ? QPoint(list->width() - 6, list->height() / 2)
                                    : QPoint(20, list->height() / 2);
        QWidget* target = TurnWheel(*list, at, c.notches);
        ASSERT_TRUE(target == list || target->parentWidget() == list)
            << "the wheel went to " << target->objectName().toStdString();
        EXPECT_EQ(list->currentText(), before);
        EXPECT_FALSE(list->hasFocus());
    }
    EXPECT_EQ(bar->value(), expected);
    Flush();
    EXPECT_FALSE(FileModified());
    ShowDemographicsPage();
    EXPECT_EQ(Responses(), Answers());
}

INSTANTIATE_TEST_SUITE_P(Lists, EntryWheel,
                         ::testing::Values(WheelOver{"RowLabel", 0, 0, false, 1},
                                           WheelOver{"TextOfList1_1Up", 1, 1, false, 1},
                                           WheelOver{"TextOfList1_1Down", 1, 1, false, -1},
                                           WheelOver{"ArrowOfList2_3Up", 2, 3, true, 1},
                                           WheelOver{"ArrowOfList2_1Down", 2, 1, true, -1}),
                         [](const auto& param) { return std::string(param.param.what); });

TEST_F(ListWheel, ChangesNoListOfTheDemographicsPage) {
    StartWith(AnsweredClient());
    for (const char* name : {"ComboForm", "ComboGender", "ComboEars1", "ComboCoupling1",
                             "ComboEars2", "ComboCoupling2"}) {
        auto* list = Demo<QComboBox>(name);
        EXPECT_EQ(list->focusPolicy(), Qt::StrongFocus) << name;
        const QString before = list->currentText();
        for (const int notches : {1, -1, -3, 3}) {
            TurnWheel(*list, QPoint(10, list->height() / 2), notches);
            TurnWheel(*list, QPoint(list->width() - 5, list->height() / 2), notches);
        }
        EXPECT_EQ(list->currentText(), before) << name;
        // The list keeps its value also while it has the focus.
        list->setFocus();
        TurnWheel(*list, QPoint(list->width() - 5, list->height() / 2), -1);
        EXPECT_EQ(list->currentText(), before) << name;
    }
    Flush();
    EXPECT_TRUE(script_->asked.empty());  // no form-change question
    EXPECT_FALSE(FileModified());
    EXPECT_FALSE(ModifiedShown());
}

TEST_F(ListWheel, TheUseListsTakeTheFocusOnlyByClickOrTab) {
    StartWith(AnsweredClient());
    ShowEntryPage();
    for (int c = 1; c <= 2; ++c) {
        for (int j = 1; j <= 3; ++j) EXPECT_EQ(UseList(c, j)->focusPolicy(), Qt::StrongFocus);
    }
}

}  // namespace
}  // namespace kivo::test
