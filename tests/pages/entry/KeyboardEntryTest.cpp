// Typing the answers on the response entry page: one key stream for a whole form, the keys that
// move the focus cell, what marks the client modified, the answered counts and marks, the
// accessible names, and the mouse alongside the keyboard. Keys go to the focused widget, as the
// window system sends them.
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <vector>

#include "drawing/RecordText.h"
#include "model/ClientFile.h"
#include "model/Questionnaire.h"
#include "pages/entry/AnswerGrid.h"
#include "tests/pages/entry/EntryFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

// One key with its modifiers.
struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// A cell of the grid as the user names it: condition 1 or 2, item 1..40.
struct Cell {
    int condition;
    int item;
    bool operator==(const Cell&) const = default;
};

void PrintTo(const Cell& cell, std::ostream* out) {
    *out << "condition " << cell.condition << " item " << cell.item;
}

constexpr int kResponsesOffset = 472;  // Responses in the client file

class KeyboardEntry : public EntryPagesTest {
protected:
    entry::AnswerGrid* Grid() const {
        return dynamic_cast<entry::AnswerGrid*>(Entry<QWidget>("ScrollContent"));
    }

    // Presses and releases `key` on whatever has the keyboard focus.
    static void Press(Key key) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << "nothing has the focus";
        QTest::keyClick(focused, key.key, key.modifiers);
    }
    static void PressAll(const std::vector<Key>& keys) {
        for (const Key& key : keys) Press(key);
    }
    // Types `text`: each character one key ('A', 'c', '5', ' ').
    static void Type(const std::string& text) {
        for (const char ch : text) {
            const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            Qt::Key key = Qt::Key_unknown;
            if (upper >= 'A' && upper <= 'Z') key = static_cast<Qt::Key>(Qt::Key_A + (upper - 'A'));
            if (upper >= '0' && upper <= '9') key = static_cast<Qt::Key>(Qt::Key_0 + (upper - '0'));
            if (upper == ' ') key = Qt::Key_Space;
            ASSERT_NE(key, Qt::Key_unknown) << ch;
            Press(Key{key});
        }
    }

    Cell FocusCell() const {
        return {Pages().responseEntry->FocusCondition() + 1, Pages().responseEntry->FocusRow() + 1};
    }

    // What the grid shows for a cell: the pressed letter, the list's entry as a letter, or ' '.
    char Shown(Cell cell) const {
        if (cell.item > Pages().responseEntry->ShownItemCount() - 3) {
            const QComboBox* list =
                UseList(cell.condition, cell.item - (Pages().responseEntry->ShownItemCount() - 3));
            const int entry = list->findText(list->currentText());
            return entry < 0 ? ' ' : static_cast<char>('A' + entry);
        }
        const std::string pressed = Pressed(cell.condition, cell.item);
        return pressed.empty() ? ' ' : pressed.front();
    }

    // The list or its text field has the focus.
    static bool HasFocus(const QComboBox* list) {
        const QWidget* focused = QApplication::focusWidget();
        return focused != nullptr && (focused == list || focused->parentWidget() == list);
    }

    QString Answered(int condition) const {
        const QString name = QStringLiteral("AnsweredLabel%1").arg(condition);
        return Entry<QLabel>(name.toLatin1().constData())->text();
    }
};

// The long form's answers in code letters, 40 for condition 1 then 40 for condition 2, every
// option of the rated and the use items used somewhere.
std::string LongFormSheets() {
    std::string answers;
    for (int c = 0; c < 2; ++c) {
        for (int item = 1; item <= 40; ++item) {
            const int options = item <= 37 ? 7 : 5;
            answers.push_back(static_cast<char>('A' + (item * 3 + c * 5) % options));
        }
    }
    return answers;
}

// --- One stream of keys ---------------------------------------------------------------------

// Both sheets typed without a pause, alternating letters and digits, then saved: the file holds
// exactly the typed answers and nothing else changed.
TEST_F(KeyboardEntry, AWholeLongFormTypedAsOneStreamIsSaved) {
    const ClientRecord original = FullClient(kLongForm, NoAnswers());
    OpenEntryPage(original);
    ASSERT_EQ(QApplication::focusWidget(), Grid());
    const std::string answers = LongFormSheets();
    std::string keys;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const char code = answers[i];
        // Every other answer as its digit.
        keys.push_back(i % 2 == 0 ? static_cast<char>('1' + (code - 'A')) : code);
    }
    Type(keys);
    EXPECT_EQ(FocusCell(), (Cell{2, 40}));  // the focus stops at the last cell
    EXPECT_TRUE(Pages().responseEntry->FormComplete());
    EXPECT_EQ(Answered(1), "Condition 1: 40 of 40 answered");
    EXPECT_EQ(Answered(2), "Condition 2: 40 of 40 answered");
    Flush();
    EXPECT_TRUE(ModifiedShown());

    script_->files = {Path("typed.KVO")};
    test::TriggerAction(*main_, "actionSave");
    const QByteArray bytes = FileBytes(Path("typed.KVO"));
    ASSERT_EQ(bytes.size(), 552);
    EXPECT_EQ(bytes.mid(kResponsesOffset, 80).toStdString(), answers);
    ClientRecord expected = original;
    std::copy(answers.begin(), answers.end(), expected.Responses);
    const ClientImage image = ToImage(expected);
    EXPECT_EQ(bytes, QByteArray(reinterpret_cast<const char*>(image.data()),
                                static_cast<qsizetype>(image.size())));
    EXPECT_FALSE(FileModified());
}

// A short form: the condition 2 sheet starts after item 28 of condition 1.
TEST_F(KeyboardEntry, TheSecondSheetFollowsTheLastItemOfTheShortForm) {
    OpenEntryPage(FullClient(kShortFormB, NoAnswers()));
    Type(std::string(25, 'G') + "EDC");
    EXPECT_EQ(FocusCell(), (Cell{2, 1}));
    Type("A");
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(Responses(),
              std::string(25, 'G') + "EDC" + std::string(12, ' ') + "A" + std::string(39, ' '));
}

// --- Moving the focus cell ------------------------------------------------------------------

struct Move {
    const char* what;
    std::vector<Key> keys;
    Cell expected;
    bool gridKeepsFocus = true;
};

void PrintTo(const Move& c, std::ostream* out) {
    *out << c.what;
}

class FocusMoves : public KeyboardEntry, public ::testing::WithParamInterface<Move> {};

// From the first cell of a long form with no answers.
TEST_P(FocusMoves, KeysMoveTheFocusCell) {
    const Move& c = GetParam();
    OpenEntryPage(FullClient(kLongForm, NoAnswers()));
    ASSERT_EQ(FocusCell(), (Cell{1, 1}));
    PressAll(c.keys);
    EXPECT_EQ(FocusCell(), c.expected);
    EXPECT_EQ(QApplication::focusWidget() == Grid(), c.gridKeepsFocus);
    // Moving never answers.
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(Responses(), NoAnswers());
    Flush();
    EXPECT_FALSE(FileModified());
}

const Key kTab{Qt::Key_Tab};
const Key kBacktab{Qt::Key_Backtab, Qt::ShiftModifier};

INSTANTIATE_TEST_SUITE_P(
    Keys, FocusMoves,
    ::testing::Values(
        Move{"Down", {{Qt::Key_Down}}, {1, 2}},
        Move{"DownDownDownUp",
             {{Qt::Key_Down}, {Qt::Key_Down}, {Qt::Key_Down}, {Qt::Key_Up}},
             {1, 3}},
        Move{"UpAtTheFirstItemStays", {{Qt::Key_Up}}, {1, 1}},
        Move{"End", {{Qt::Key_End}}, {1, 40}},
        Move{"DownAtTheLastItemStays", {{Qt::Key_End}, {Qt::Key_Down}}, {1, 40}},
        Move{"Home", {{Qt::Key_Down}, {Qt::Key_Down}, {Qt::Key_Home}}, {1, 1}},
        Move{"PageDown", {{Qt::Key_PageDown}}, {1, 8}},
        Move{"PageUp", {{Qt::Key_End}, {Qt::Key_PageUp}}, {1, 33}},
        Move{"Right", {{Qt::Key_Down}, {Qt::Key_Right}}, {2, 2}},
        Move{"RightAtConditionTwoStays", {{Qt::Key_Right}, {Qt::Key_Right}}, {2, 1}},
        Move{"Left", {{Qt::Key_Right}, {Qt::Key_End}, {Qt::Key_Left}}, {1, 40}},
        Move{"HomeAndEndKeepTheCondition", {{Qt::Key_Right}, {Qt::Key_End}}, {2, 40}},
        Move{"Tab", {{Qt::Key_Down}, kTab}, {2, 2}}, Move{"ShiftTab", {kTab, kBacktab}, {1, 1}},
        Move{"ShiftTabAsTabWithShift", {kTab, {Qt::Key_Tab, Qt::ShiftModifier}}, {1, 1}},
        Move{"Space", {{Qt::Key_Space}}, {1, 2}},
        Move{"SpaceAtTheEndOfConditionOne", {{Qt::Key_End}, {Qt::Key_Space}}, {2, 1}},
        Move{"SpaceAtTheEndOfConditionTwoStays",
             {{Qt::Key_Right}, {Qt::Key_End}, {Qt::Key_Space}},
             {2, 40}},
        Move{"LetterTheItemDoesNotOffer", {{Qt::Key_End}, {Qt::Key_F}}, {1, 40}},
        Move{"KeyOfNoMeaning", {{Qt::Key_H}, {Qt::Key_8}, {Qt::Key_Return}}, {1, 1}},
        // Leaving the grid: to the clear buttons, the next controls of the page; the focus
        // cell stays where it was.
        Move{"TabFromConditionTwoLeaves", {kTab, kTab}, {2, 1}, false},
        Move{"CtrlTabLeaves", {{Qt::Key_Tab, Qt::ControlModifier}}, {1, 1}, false},
        Move{"ShiftTabFromConditionOneLeaves", {kBacktab}, {1, 1}, false}),
    [](const auto& param) { return std::string(param.param.what); });

// Tab out of the grid reaches the clear buttons, where letters and digits answer nothing;
// Shift+Tab brings the keys back to the grid where they left it.
TEST_F(KeyboardEntry, TabOutOfTheGridThenLettersAndDigitsChangeNoAnswer) {
    const std::string answers = LongFormAnswers();
    OpenEntryPage(FullClient(kLongForm, answers));
    PressAll({{Qt::Key_End}, kTab, kTab});
    EXPECT_EQ(QApplication::focusWidget(), Entry<QWidget>("ClearCondition1Button"));
    Type("abcdefg1234567");
    PressAll({kTab});
    EXPECT_EQ(QApplication::focusWidget(), Entry<QWidget>("ClearCondition2Button"));
    Type("ebd53");
    Flush();
    EXPECT_FALSE(FileModified());
    EXPECT_TRUE(script_->asked.empty());
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(Responses(), answers);
    PressAll({kBacktab, kBacktab});
    EXPECT_EQ(QApplication::focusWidget(), Grid());
    EXPECT_EQ(FocusCell(), (Cell{2, 40}));
}

// The frame lies around the focused cell's controls and nothing else, and the scroll box
// keeps it in view.
TEST_F(KeyboardEntry, TheFrameSurroundsTheFocusCellAndStaysInView) {
    OpenEntryPage(FullClient(kLongForm, NoAnswers()));
    QScrollArea* box = Entry<QScrollArea>("AnswerScrollBox");
    const std::vector<std::pair<std::vector<Key>, Cell>> steps = {
        {{}, {1, 1}},
        {{{Qt::Key_Right}}, {2, 1}},
        {{{Qt::Key_End}}, {2, 40}},
        {{{Qt::Key_Left}, {Qt::Key_Up}, {Qt::Key_Up}, {Qt::Key_Up}}, {1, 37}},
        {{{Qt::Key_Home}, {Qt::Key_PageDown}, {Qt::Key_PageDown}}, {1, 15}},
    };
    for (const auto& [keys, cell] : steps) {
        PressAll(keys);
        SCOPED_TRACE(cell.item);
        ASSERT_EQ(FocusCell(), cell);
        const QRect frame = Grid()->FocusFrame();
        QRect cellControls;
        if (cell.item <= 37) {
            cellControls = Letter(cell.condition, cell.item, 'A')
                               ->geometry()
                               .united(Letter(cell.condition, cell.item, 'G')->geometry());
        } else {
            cellControls = UseList(cell.condition, cell.item - 37)->geometry();
        }
        EXPECT_TRUE(frame.contains(cellControls)) << frame.x() << "," << frame.y();
        // Not over the other condition, nor over the rows above and below.
        const int other = 3 - cell.condition;
        const QRect otherControls = cell.item <= 37 ? Letter(other, cell.item, 'A')->geometry()
                                                    : UseList(other, cell.item - 37)->geometry();
        EXPECT_FALSE(frame.intersects(otherControls));
        EXPECT_GE(frame.top(), 43 * (cell.item - 1) + 5);
        EXPECT_LT(frame.bottom(), 43 * cell.item + 5);
        // In view: inside the viewport at the current scroll position.
        const QRect inViewport = frame.translated(0, -box->verticalScrollBar()->value());
        EXPECT_TRUE(box->viewport()->rect().contains(inViewport));
    }
    // Drawn: the frame's edge in the frame colour, on the grid as painted with its children.
    const QRect frame = Grid()->FocusFrame();
    const QImage shot = Grid()->grab(frame).toImage();
    EXPECT_EQ(shot.pixelColor(1, shot.height() / 2), QColor(0xFF, 0x8C, 0x00));
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, 1), QColor(0xFF, 0x8C, 0x00));
}

// --- The first focus ------------------------------------------------------------------------

struct FirstFocus {
    const char* what;
    FormKind form;
    std::string answers;
    Cell expected;
};

void PrintTo(const FirstFocus& c, std::ostream* out) {
    *out << c.what;
}

class FocusOnShow : public KeyboardEntry, public ::testing::WithParamInterface<FirstFocus> {};

TEST_P(FocusOnShow, IsOnTheFirstUnansweredItemOfConditionOne) {
    const FirstFocus& c = GetParam();
    OpenEntryPage(FullClient(c.form, c.answers));
    EXPECT_EQ(FocusCell(), c.expected);
    EXPECT_EQ(QApplication::focusWidget(), Grid());
    // Shown again by another way than its button, after moving away: the same.
    Press(Key{Qt::Key_Right});
    ShowDemographicsPage();
    main_->Show(*Pages().responseEntry);
    EXPECT_EQ(FocusCell(), c.expected);
    EXPECT_EQ(QApplication::focusWidget(), Grid());
}

// `first` from item 1 of condition 1 on, blanks after it.
std::string Filled(const std::string& first) {
    return first + std::string(80 - first.size(), ' ');
}

INSTANTIATE_TEST_SUITE_P(
    Clients, FocusOnShow,
    ::testing::Values(
        FirstFocus{"NoAnswers", kLongForm, NoAnswers(), {1, 1}},
        FirstFocus{"ThreeAnswered", kLongForm, Filled("ABC"), {1, 4}},
        // Item 2 holds a code the page cannot show: unanswered.
        FirstFocus{"KeptCode", kLongForm, Filled("AxC"), {1, 2}},
        FirstFocus{"OnlyAUseItemLeft", kShortFormA, Filled(std::string(27, 'B')), {1, 28}},
        FirstFocus{"ConditionOneComplete", kShortFormA, Filled(std::string(28, 'C')), {1, 1}}),
    [](const auto& param) { return std::string(param.param.what); });

// --- Delete, Space, F8 ------------------------------------------------------------------------

TEST_F(KeyboardEntry, DeleteClearsSpaceKeeps) {
    std::string answers = NoAnswers();
    answers.replace(0, 4, "ABCD");
    answers.replace(37, 3, "EDC");
    OpenEntryPage(FullClient(kLongForm, answers));
    PressAll({{Qt::Key_Home}});
    PressAll({{Qt::Key_Delete}});  // item 1 cleared, the focus stays
    EXPECT_EQ(FocusCell(), (Cell{1, 1}));
    PressAll({{Qt::Key_Space}, {Qt::Key_Space}, {Qt::Key_Delete}});  // item 3 cleared
    EXPECT_EQ(FocusCell(), (Cell{1, 3}));
    PressAll({{Qt::Key_End}, {Qt::Key_Delete}, {Qt::Key_Up}});  // use item 40 cleared
    EXPECT_EQ(UseList(1, 3)->currentText(), "");
    EXPECT_EQ(UseList(1, 2)->currentText(), "9 - 10 hours");
    Pages().responseEntry->StoreResponses();
    std::string expected = answers;
    expected[0] = ' ';
    expected[2] = ' ';
    expected[39] = ' ';
    EXPECT_EQ(Responses(), expected);
}

TEST_F(KeyboardEntry, F8GoesToTheNextUnansweredItemConditionOneFirstAndWraps) {
    std::string answers = std::string(80, ' ');
    for (int i = 0; i < 37; ++i) {
        answers[static_cast<std::size_t>(i)] = 'C';
        answers[static_cast<std::size_t>(40 + i)] = 'D';
    }
    answers.replace(37, 3, "AAA");
    answers.replace(77, 3, "BBB");
    answers[4] = ' ';        // item 5, condition 1
    answers[38] = ' ';       // item 39, condition 1
    answers[40 + 1] = 'x';   // item 2, condition 2: a code the page cannot show
    answers[40 + 39] = ' ';  // item 40, condition 2
    OpenEntryPage(FullClient(kLongForm, answers));
    EXPECT_EQ(FocusCell(), (Cell{1, 5}));
    const std::vector<Cell> jumps = {{1, 39}, {2, 2}, {2, 40}, {1, 5}, {1, 39}};
    for (const Cell& expected : jumps) {
        Press(Key{Qt::Key_F8});
        EXPECT_EQ(FocusCell(), expected);
    }
    // Answered as the jumps lead: F8 then finds nothing and stays.
    Type("B");  // item 39 of condition 1, then on to 40
    PressAll({{Qt::Key_F8}});
    EXPECT_EQ(FocusCell(), (Cell{2, 2}));
    Type("G");
    PressAll({{Qt::Key_F8}});
    EXPECT_EQ(FocusCell(), (Cell{2, 40}));
    Type("E");
    PressAll({{Qt::Key_Up}, {Qt::Key_F8}});
    EXPECT_EQ(FocusCell(), (Cell{1, 5}));
    Type("A");
    EXPECT_EQ(Answered(1), "Condition 1: 40 of 40 answered");
    EXPECT_EQ(Answered(2), "Condition 2: 40 of 40 answered");
    PressAll({{Qt::Key_F8}});
    EXPECT_EQ(FocusCell(), (Cell{1, 6}));
}

// --- The modified flag ------------------------------------------------------------------------

struct ModifiedCase {
    const char* what;
    std::vector<Key> keys;  // from the first cell
    Cell cell;              // the cell to check afterwards
    char shown;             // what it shows
    char stored;            // its byte after the next store
    bool modified;
};

void PrintTo(const ModifiedCase& c, std::ostream* out) {
    *out << c.what;
}

class KeyMarks : public KeyboardEntry, public ::testing::WithParamInterface<ModifiedCase> {};

// Short form (a): item 1 answered C, item 2 holds a damaged byte, items 3-25 unanswered, use
// item 26 answered B, use item 27 holds a 'G' it cannot show; condition 2 unanswered.
ClientRecord MarksClient() {
    std::string answers = NoAnswers();
    answers[0] = 'C';
    answers[1] = '\x01';
    answers[25] = 'B';
    answers[26] = 'G';
    return FullClient(kShortFormA, answers);
}

TEST_P(KeyMarks, OnlyAChangeMarksTheClientModified) {
    const ModifiedCase& c = GetParam();
    OpenEntryPage(MarksClient());
    PressAll({{Qt::Key_Home}});
    PressAll(c.keys);
    Flush();
    EXPECT_EQ(Shown(c.cell), c.shown);
    EXPECT_EQ(FileModified(), c.modified);
    EXPECT_EQ(ModifiedShown(), c.modified);
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(Responses()[static_cast<std::size_t>(40 * (c.cell.condition - 1) + c.cell.item - 1)],
              c.stored);
}

const Key kDown{Qt::Key_Down};

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyMarks,
    ::testing::Values(
        ModifiedCase{"SameLetterAgain", {{Qt::Key_C}}, {1, 1}, 'C', 'C', false},
        ModifiedCase{"SameDigitAgain", {{Qt::Key_3}}, {1, 1}, 'C', 'C', false},
        ModifiedCase{"OtherLetter", {{Qt::Key_D}}, {1, 1}, 'D', 'D', true},
        ModifiedCase{"DeleteAnAnswer", {{Qt::Key_Delete}}, {1, 1}, ' ', ' ', true},
        ModifiedCase{"DeleteNothing", {kDown, kDown, {Qt::Key_Delete}}, {1, 3}, ' ', ' ', false},
        ModifiedCase{"MovingOnly",
                     {kDown, {Qt::Key_Space}, {Qt::Key_Right}, {Qt::Key_End}, {Qt::Key_F8}},
                     {1, 1},
                     'C',
                     'C',
                     false},
        // A kept code stays until the item is answered, by a letter or by Delete.
        ModifiedCase{"KeptCodePassedOver", {kDown, {Qt::Key_Space}}, {1, 2}, ' ', '\x01', false},
        ModifiedCase{"KeptCodeAnswered", {kDown, {Qt::Key_A}}, {1, 2}, 'A', 'A', true},
        ModifiedCase{"KeptCodeDeleted", {kDown, {Qt::Key_Delete}}, {1, 2}, ' ', ' ', true},
        ModifiedCase{"UseItemSameEntry",
                     {{Qt::Key_End}, {Qt::Key_Up}, {Qt::Key_Up}, {Qt::Key_B}},
                     {1, 26},
                     'B',
                     'B',
                     false},
        ModifiedCase{"UseItemOtherEntry",
                     {{Qt::Key_End}, {Qt::Key_Up}, {Qt::Key_Up}, {Qt::Key_5}},
                     {1, 26},
                     'E',
                     'E',
                     true},
        ModifiedCase{"UseItemDeleted",
                     {{Qt::Key_End}, {Qt::Key_Up}, {Qt::Key_Up}, {Qt::Key_Delete}},
                     {1, 26},
                     ' ',
                     ' ',
                     true},
        ModifiedCase{"UseItemLetterItDoesNotOffer",
                     {{Qt::Key_End}, {Qt::Key_Up}, {Qt::Key_Up}, {Qt::Key_G}, {Qt::Key_6}},
                     {1, 26},
                     'B',
                     'B',
                     false},
        ModifiedCase{"UseItemKeptCodeAnswered",
                     {{Qt::Key_End}, {Qt::Key_Up}, {Qt::Key_A}},
                     {1, 27},
                     'A',
                     'A',
                     true},
        ModifiedCase{"UseItemKeptCodeDeleted",
                     {{Qt::Key_End}, {Qt::Key_Up}, {Qt::Key_Delete}},
                     {1, 27},
                     ' ',
                     ' ',
                     true},
        ModifiedCase{"UseItemKeptCodePassedOver",
                     {{Qt::Key_End}, {Qt::Key_Up}, {Qt::Key_Space}},
                     {1, 27},
                     ' ',
                     'G',
                     false},
        ModifiedCase{"ConditionTwo", {{Qt::Key_Right}, {Qt::Key_7}}, {2, 1}, 'G', 'G', true},
        // Ctrl and Alt with a letter are the window's, never an answer.
        ModifiedCase{"CtrlLetter", {{Qt::Key_D, Qt::ControlModifier}}, {1, 1}, 'C', 'C', false},
        ModifiedCase{"AltDigit", {{Qt::Key_5, Qt::AltModifier}}, {1, 1}, 'C', 'C', false}),
    [](const auto& param) { return std::string(param.param.what); });

// The kept code's mark goes when a key answers the item, as when a click does.
TEST_F(KeyboardEntry, AnsweringAKeptCodeByKeyRemovesItsMark) {
    OpenEntryPage(MarksClient());
    auto* mark = Entry<QLabel>("RowMark2");
    ASSERT_TRUE(mark->isVisibleTo(Pages().responseEntry));
    PressAll({{Qt::Key_Home}, kDown, {Qt::Key_E}});
    EXPECT_FALSE(mark->isVisibleTo(Pages().responseEntry));
    EXPECT_TRUE(Entry<QLabel>("RowMark27")->isVisibleTo(Pages().responseEntry));
}

// --- Counts and marks -----------------------------------------------------------------------

TEST_F(KeyboardEntry, CountsAndUnansweredMarksFollowTheAnswers) {
    OpenEntryPage(MarksClient());
    // Items 1 and 26 answered in condition 1; the kept codes are no answers shown.
    EXPECT_EQ(Answered(1), "Condition 1: 2 of 28 answered");
    EXPECT_EQ(Answered(2), "Condition 2: 0 of 28 answered");
    const auto* label = Entry<QLabel>("AnsweredLabel1");
    EXPECT_EQ(label->pos(), QPoint(503, 578));
    EXPECT_EQ(Entry<QLabel>("AnsweredLabel2")->pos(), QPoint(757, 578));
    EXPECT_TRUE(label->isVisibleTo(Pages().responseEntry));
    for (int item = 1; item <= 40; ++item) {
        const bool unanswered1 = item <= 28 && item != 1 && item != 26;
        EXPECT_EQ(Grid()->Unanswered(0, item - 1), unanswered1) << item;
        EXPECT_EQ(Grid()->Unanswered(1, item - 1), item <= 28) << item;
    }
    PressAll({{Qt::Key_Home}, kDown, {Qt::Key_B}, {Qt::Key_C}});  // items 2 and 3
    EXPECT_EQ(Answered(1), "Condition 1: 4 of 28 answered");
    EXPECT_FALSE(Grid()->Unanswered(0, 1));
    EXPECT_FALSE(Grid()->Unanswered(0, 2));
    PressAll({{Qt::Key_Up}, {Qt::Key_Delete}});
    EXPECT_EQ(Answered(1), "Condition 1: 3 of 28 answered");
    EXPECT_TRUE(Grid()->Unanswered(0, 2));
    // The mouse counts alike.
    QTest::mouseClick(Letter(2, 5, 'A'), Qt::LeftButton);
    EXPECT_EQ(Answered(2), "Condition 2: 1 of 28 answered");
    EXPECT_FALSE(Grid()->Unanswered(1, 4));
    // A clear button too.
    script_->buttons = {DialogButton::Yes};
    QTest::mouseClick(Entry<QPushButton>("ClearCondition1Button"), Qt::LeftButton);
    EXPECT_EQ(Answered(1), "Condition 1: 0 of 28 answered");
    EXPECT_TRUE(Grid()->Unanswered(0, 0));
    // The dot is drawn left of the condition's letters, in red, and only for unanswered cells.
    const QImage shot = Grid()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(468, 43 * 2 + 21), QColor(0xC0, 0x00, 0x00));  // item 3, cond 1
    EXPECT_EQ(shot.pixelColor(728, 43 * 2 + 21), QColor(0xC0, 0x00, 0x00));  // item 3, cond 2
    EXPECT_NE(shot.pixelColor(728, 43 * 4 + 21), QColor(0xC0, 0x00, 0x00));  // item 5 answered
}

TEST_F(KeyboardEntry, ALongFormCountsFortyItems) {
    OpenEntryPage(FullClient(kLongForm, std::string(37, 'A') + "ABC" + std::string(40, ' ')));
    EXPECT_EQ(Answered(1), "Condition 1: 40 of 40 answered");
    EXPECT_EQ(Answered(2), "Condition 2: 0 of 40 answered");
}

// --- Accessible names -----------------------------------------------------------------------

TEST_F(KeyboardEntry, ControlsAndTheFocusCellCarryAccessibleNames) {
    std::string answers = NoAnswers();
    answers[0] = 'C';
    OpenEntryPage(FullClient(kLongForm, answers));
    EXPECT_EQ(Letter(1, 5, 'C')->accessibleName(), "Item 5, condition 1: C, Somewhat");
    EXPECT_EQ(Letter(2, 37, 'G')->accessibleName(), "Item 37, condition 2: G, Tremendously");
    EXPECT_EQ(Letter(1, 1, 'A')->accessibleName(), "Item 1, condition 1: A, Not at all");
    EXPECT_EQ(UseList(1, 1)->accessibleName(), "Item 38, condition 1");
    EXPECT_EQ(UseList(2, 3)->accessibleName(), "Item 40, condition 2");

    // The focus cell is the grid's focused child; its name says the item, its answer and its
    // question.
    const auto focusName = [this] {
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(Grid());
        QAccessibleInterface* cell = grid->focusChild();
        return (cell != nullptr ? cell : grid)->text(QAccessible::Name).toStdString();
    };
    const auto question = [](int item) {
        return " " + drawing::Cp1252Text(ItemText(kLongForm, item)).simplified().toStdString();
    };
    EXPECT_EQ(focusName(), "Item 2, condition 1: no answer." + question(2));
    PressAll({{Qt::Key_Up}});
    EXPECT_EQ(focusName(), "Item 1, condition 1: C, Somewhat." + question(1));
    Type("F");
    PressAll({{Qt::Key_Up}});
    EXPECT_EQ(focusName(), "Item 1, condition 1: F, Greatly." + question(1));
    PressAll({{Qt::Key_Delete}});
    EXPECT_EQ(focusName(), "Item 1, condition 1: no answer." + question(1));
    QTest::mouseClick(Letter(1, 1, 'B'), Qt::LeftButton);
    EXPECT_EQ(focusName(), "Item 1, condition 1: B, A little." + question(1));
    // The last answer completes the form, which the grid's name then says.
    PressAll({{Qt::Key_End}, {Qt::Key_Right}, {Qt::Key_2}});
    EXPECT_TRUE(
        QString::fromStdString(focusName()).startsWith("Form complete: Condition 1: 1 of 40"))
        << focusName();
    PressAll({{Qt::Key_Up}});
    EXPECT_EQ(focusName(), "Item 40, condition 2: B, Rarely (25%)." + question(40));
    PressAll({{Qt::Key_Up}});
    EXPECT_EQ(focusName(), "Item 39, condition 2: no answer." + question(39));

    // A short form names its use lists by its own item numbers.
    ShowDemographicsPage();
    script_->buttons = {DialogButton::Yes};
    Demo<QComboBox>("ComboForm")->setCurrentIndex(kShortFormA);
    ShowEntryPage();
    EXPECT_EQ(UseList(2, 1)->accessibleName(), "Item 26, condition 2");
}

// --- The mouse beside the keyboard --------------------------------------------------------------

// A click answers and puts the focus cell on the clicked cell, so the keys act where the user
// looked; a click on a row's band only moves the focus cell.
TEST_F(KeyboardEntry, AClickAnswersAndTypingGoesOnFromThere) {
    OpenEntryPage(FullClient(kLongForm, NoAnswers()));
    QScrollBar* bar = Entry<QScrollArea>("AnswerScrollBox")->verticalScrollBar();
    const int before = bar->value();
    QTest::mouseClick(Letter(2, 4, 'D'), Qt::LeftButton);
    EXPECT_EQ(Pressed(2, 4), "D");
    EXPECT_EQ(FocusCell(), (Cell{2, 4}));
    EXPECT_EQ(bar->value(), before);  // a click never scrolls
    EXPECT_EQ(QApplication::focusWidget(), Grid());
    Type("EF");
    EXPECT_EQ(Pressed(2, 4), "E");
    EXPECT_EQ(Pressed(2, 5), "F");
    EXPECT_EQ(FocusCell(), (Cell{2, 6}));
    // The keyboard's answer comes up with a click, as a clicked one does.
    QTest::mouseClick(Letter(2, 5, 'F'), Qt::LeftButton);
    EXPECT_EQ(Pressed(2, 5), "");
    EXPECT_EQ(FocusCell(), (Cell{2, 5}));
    // The band of item 2, left and right of the letters.
    auto* row = Entry<QLabel>("RowLabel2");
    QTest::mouseClick(row, Qt::LeftButton, Qt::NoModifier, QPoint(100, 20));
    EXPECT_EQ(FocusCell(), (Cell{1, 2}));
    QTest::mouseClick(row, Qt::LeftButton, Qt::NoModifier, QPoint(950, 20));
    EXPECT_EQ(FocusCell(), (Cell{2, 2}));
    EXPECT_EQ(Pressed(2, 2), "");
    Type("1");
    Pages().responseEntry->StoreResponses();
    std::string expected = NoAnswers();
    expected[40 + 1] = 'A';
    expected[40 + 3] = 'E';
    EXPECT_EQ(Responses(), expected);
}

TEST_F(KeyboardEntry, AListPickedWithTheMouseTakesTheFocusCell) {
    OpenEntryPage(FullClient(kLongForm, NoAnswers()));
    QComboBox* list = UseList(2, 2);
    QTest::mouseClick(list, Qt::LeftButton);  // opens its popup
    EXPECT_EQ(FocusCell(), (Cell{2, 39}));
    list->hidePopup();
    EXPECT_TRUE(HasFocus(list));
}

TEST_F(KeyboardEntry, ADamagedFormNumberTakesNoKeys) {
    ClientRecord client = FullClient(kLongForm, NoAnswers());
    client.TestForm = -1;
    OpenEntryPage(client);
    Type("ABC12");
    PressAll({{Qt::Key_Delete}, {Qt::Key_F8}, {Qt::Key_End}});
    Flush();
    EXPECT_FALSE(FileModified());
    EXPECT_TRUE(Grid()->FocusFrame().isEmpty());
    EXPECT_FALSE(Entry<QLabel>("AnsweredLabel1")->isVisibleTo(Pages().responseEntry));
    ShowDemographicsPage();
    EXPECT_EQ(Responses(), NoAnswers());
}

}  // namespace
}  // namespace kivo::test
