// A typist's reflexes on the data entry pages, as real key events: Backspace takes back the
// last answer, nothing is typed past the end of the form, and an experience option chosen by
// the keyboard is the one saved. Files are checked byte by byte.
#include <QApplication>
#include <QButtonGroup>
#include <QRadioButton>
#include <vector>

#include "model/ClientFile.h"
#include "pages/entry/AnswerGrid.h"
#include "tests/pages/entry/EntryFixture.h"
#include "tests/support/FileBytes.h"

namespace kivo::test {
namespace {

constexpr int kResponsesOffset = 472;  // Responses in the client file
constexpr int kExperience1Offset = 148;
constexpr int kExperience2Offset = 212;

class TypistKeys : public EntryPagesTest {
protected:
    // One key on whatever has the keyboard focus, as the window system sends it.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << "nothing has the focus";
        QTest::keyClick(focused, key, modifiers);
    }
    // Letters and digits, one key each; '<' is Backspace.
    static void Type(const std::string& keys) {
        for (const char ch : keys) {
            if (ch == '<') {
                Press(Qt::Key_Backspace);
            } else if (ch >= '0' && ch <= '9') {
                Press(static_cast<Qt::Key>(Qt::Key_0 + (ch - '0')));
            } else {
                const int upper = std::toupper(static_cast<unsigned char>(ch));
                Press(static_cast<Qt::Key>(Qt::Key_A + (upper - 'A')));
            }
        }
    }

    entry::AnswerGrid* Grid() const {
        return dynamic_cast<entry::AnswerGrid*>(Entry<QWidget>("ScrollContent"));
    }
    std::pair<int, int> FocusCell() const {
        return {Pages().responseEntry->FocusCondition() + 1, Pages().responseEntry->FocusRow() + 1};
    }

    // Saves through Ctrl+S into `name` (a new client asks for the name) and returns the file.
    QByteArray SaveByKeys(const std::string& name) {
        script_->files = {Path(name)};
        Press(Qt::Key_S, Qt::ControlModifier);
        return FileBytes(Path(name));
    }
};

// --- Backspace ------------------------------------------------------------------------------

// The reflex of a typist who hit the wrong key: "a b d", Backspace, "c" is A B C on disk.
TEST_F(TypistKeys, BackspaceTakesBackTheLastAnswer) {
    const ClientRecord original = FullClient(kShortFormA, NoAnswers());
    OpenEntryPage(original);
    Type("abd<c");
    EXPECT_EQ(FocusCell(), (std::pair{1, 4}));
    const QByteArray bytes = SaveByKeys("typed.KVO");
    ClientRecord expected = original;
    std::copy_n("ABC", 3, expected.Responses);
    EXPECT_EQ(bytes, RecordBytes(expected));
    EXPECT_EQ(bytes.mid(kResponsesOffset, 4), QByteArray("ABC "));
}

struct TakeBack {
    const char* what;
    std::string keys;           // typed from item 1 of condition 1 ('<' is Backspace)
    std::pair<int, int> frame;  // where the frame is afterwards (condition, item)
    std::string responses;      // the 80 bytes then stored
};

void PrintTo(const TakeBack& c, std::ostream* out) {
    *out << c.what;
}

class BackspaceCases : public TypistKeys, public ::testing::WithParamInterface<TakeBack> {};

// Short form (a), 28 items: condition 2 starts at byte 40.
std::string Sheets(const std::string& first, const std::string& second) {
    std::string bytes = NoAnswers();
    bytes.replace(0, first.size(), first);
    bytes.replace(40, second.size(), second);
    return bytes;
}

TEST_P(BackspaceCases, MovesTheFrameBackAndClears) {
    const TakeBack& c = GetParam();
    OpenEntryPage(FullClient(kShortFormA, NoAnswers()));
    Type(c.keys);
    EXPECT_EQ(FocusCell(), c.frame);
    EXPECT_FALSE(Pages().responseEntry->FormComplete());
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(Responses(), c.responses);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, BackspaceCases,
    ::testing::Values(TakeBack{"TwiceTakesBackTwo", "abcd<<", {1, 3}, Sheets("AB", "")},
                      // From item 1 of condition 2 to the last item of condition 1.
                      TakeBack{"AcrossTheSheets",
                               std::string(25, 'g') + "abc" + "d<<",
                               {1, 28},
                               Sheets(std::string(25, 'G') + "AB", "")},
                      // From the completed form to its last item.
                      TakeBack{"FromTheCompleteForm",
                               std::string(56, 'a') + "<",
                               {2, 28},
                               Sheets(std::string(28, 'A'), std::string(27, 'A'))},
                      // Nothing comes before item 1 of condition 1.
                      TakeBack{"AtTheFirstItem", "<<a", {1, 2}, Sheets("A", "")}),
    [](const auto& param) { return std::string(param.param.what); });

// --- The end of the form --------------------------------------------------------------------

// 57 letters on form A: the 57th finds the form complete and changes nothing; the frame
// leaves the grid, the counters and a note say so, until Up brings the frame back.
TEST_F(TypistKeys, NothingIsTypedPastTheEnd) {
    const ClientRecord original = FullClient(kShortFormA, NoAnswers());
    OpenEntryPage(original);
    // A to E in turn, options of every item, rated and use: 56 answers, then one too many.
    std::string typed;
    for (int i = 0; i < 56; ++i) typed.push_back(static_cast<char>('A' + i % 5));
    ASSERT_EQ(typed[55], 'A');
    std::string keys = typed;
    for (char& key : keys) key = static_cast<char>(std::tolower(key));
    Type(keys + "e");
    EXPECT_TRUE(Pages().responseEntry->FormComplete());
    EXPECT_TRUE(Grid()->FocusFrame().isEmpty());
    EXPECT_EQ(Entry<QLabel>("AnsweredLabel1")->text(), "Condition 1: 28 of 28 answered");
    EXPECT_EQ(Entry<QLabel>("AnsweredLabel2")->text(), "Condition 2: 28 of 28 answered");
    EXPECT_EQ(main_->StatusPanelText(0),
              "Form complete: Condition 1: 28 of 28 answered, condition 2: 28 of 28 answered");
    // Neither Delete nor Space nor Down nor more letters reach the last item.
    Press(Qt::Key_Delete);
    Press(Qt::Key_Space);
    Press(Qt::Key_Down);
    Type("b2");
    EXPECT_TRUE(Pages().responseEntry->FormComplete());

    const QByteArray bytes = SaveByKeys("complete.KVO");
    ClientRecord expected = original;
    const std::string responses = Sheets(typed.substr(0, 28), typed.substr(28));
    std::copy(responses.begin(), responses.end(), expected.Responses);
    EXPECT_EQ(bytes, RecordBytes(expected));
    EXPECT_EQ(bytes[kResponsesOffset + 40 + 27], 'A');  // item 28 of condition 2 as typed

    // Up brings the frame back to the last item, where a letter answers again.
    Press(Qt::Key_Up);
    EXPECT_FALSE(Pages().responseEntry->FormComplete());
    EXPECT_EQ(FocusCell(), (std::pair{2, 28}));
    EXPECT_FALSE(Grid()->FocusFrame().isEmpty());
    EXPECT_EQ(main_->StatusPanelText(0), "");
    Type("c");
    EXPECT_TRUE(Pages().responseEntry->FormComplete());
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(Responses()[40 + 27], 'C');
}

// Every other move brings the frame back from the complete form as from the last item.
TEST_F(TypistKeys, MovesBringTheFrameBack) {
    const std::vector<std::pair<Qt::Key, std::pair<int, int>>> moves = {
        {Qt::Key_Home, {2, 1}}, {Qt::Key_End, {2, 28}}, {Qt::Key_Left, {1, 28}},
        {Qt::Key_F8, {1, 1}},   {Qt::Key_Up, {2, 28}},
    };
    for (const auto& [key, cell] : moves) {
        OpenEntryPage(FullClient(kShortFormA, NoAnswers()));
        Press(Qt::Key_End);
        Press(Qt::Key_Right);
        Type("a");
        ASSERT_TRUE(Pages().responseEntry->FormComplete());
        Press(key);
        EXPECT_FALSE(Pages().responseEntry->FormComplete()) << key;
        EXPECT_EQ(FocusCell(), cell) << key;
        main_.reset();
    }
}

// --- Counters and key help ------------------------------------------------------------------

TEST_F(TypistKeys, CountersNameTheirConditionBesideOneLineOfKeyHelp) {
    OpenEntryPage(FullClient(kShortFormA, Sheets("ABC", "D")));
    const auto* first = Entry<QLabel>("AnsweredLabel1");
    const auto* second = Entry<QLabel>("AnsweredLabel2");
    const auto* help = Entry<QLabel>("KeyHelpLabel");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(first->text(), "Condition 1: 3 of 28 answered");
    EXPECT_EQ(second->text(), "Condition 2: 1 of 28 answered");
    EXPECT_EQ(help->text(),
              QString::fromUtf8("A\u2013G answer \u00B7 Space skip \u00B7 Backspace undo "
                                "\u00B7 F8 next unanswered"));
    EXPECT_TRUE(help->isVisibleTo(Pages().responseEntry));
    // One line, under the counters, inside the page and clear of the clear buttons.
    EXPECT_EQ(help->pos(), QPoint(503, 603));
    EXPECT_LE(help->height(), 20);
    EXPECT_LE(help->geometry().right(), Pages().responseEntry->width());
    EXPECT_LT(first->geometry().right(), second->x());
    EXPECT_LE(second->geometry().right(), Pages().responseEntry->width());
    EXPECT_LE(first->geometry().bottom(), help->y());
}

// --- The experience options -----------------------------------------------------------------

// The option groups' Tab stops: the checked option, or the first when none is.
std::vector<QString> TabStops(const QWidget& group) {
    std::vector<QString> stops;
    for (const QRadioButton* option : group.findChildren<QRadioButton*>()) {
        if ((option->focusPolicy() & Qt::TabFocus) != 0) stops.push_back(option->objectName());
    }
    return stops;
}

TEST_F(TypistKeys, TheTabStopOfAnOptionGroupIsItsCheckedOption) {
    StartWith(FullClient(kShortFormA, NoAnswers()));  // experience 2 and 3
    EXPECT_EQ(TabStops(*Demo<QWidget>("Condition1ExperienceGroup")),
              std::vector<QString>{"RadioHAE1Option3"});
    EXPECT_EQ(TabStops(*Demo<QWidget>("Condition2ExperienceGroup")),
              std::vector<QString>{"RadioHAE2Option4"});
    QTest::mouseClick(Demo<QRadioButton>("RadioHAE1Option2"), Qt::LeftButton);
    EXPECT_EQ(TabStops(*Demo<QWidget>("Condition1ExperienceGroup")),
              std::vector<QString>{"RadioHAE1Option2"});
    ClientRecord damaged = FullClient(kShortFormA, NoAnswers());
    damaged.Experience2 = 7;
    gClientRecord = damaged;
    Pages().demographics->RecordToControls();
    EXPECT_EQ(TabStops(*Demo<QWidget>("Condition2ExperienceGroup")),
              std::vector<QString>{"RadioHAE2Option1"});
}

// The reflex that saved OKAFOR with experience 0: an option picked, New (or Load), then Tab
// into the group and the arrows. What the keyboard shows is what is saved.
TEST_F(TypistKeys, AnExperienceChosenByKeyAfterNewIsTheOneSaved) {
    Start();
    QApplication::setActiveWindow(main_.get());
    QTest::mouseClick(Demo<QRadioButton>("RadioHAE1Option3"), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), Demo<QRadioButton>("RadioHAE1Option3"));
    script_->buttons = {DialogButton::No};  // the unsaved-changes question
    Press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(Demo<QRadioButton>("RadioHAE1Option1")->isChecked());
    QTest::mouseClick(Demo<QWidget>("EditTestDate1"), Qt::LeftButton);
    Press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Demo<QRadioButton>("RadioHAE1Option1"));
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);  // stops at the last option
    EXPECT_EQ(QApplication::focusWidget(), Demo<QRadioButton>("RadioHAE1Option4"));
    EXPECT_TRUE(Demo<QRadioButton>("RadioHAE1Option4")->isChecked());
    const QByteArray bytes = SaveByKeys("okafor.KVO");
    ASSERT_EQ(bytes.size(), 552);
    EXPECT_EQ(bytes.mid(kExperience1Offset, 4), QByteArray("\x03\0\0\0", 4));
}

TEST_F(TypistKeys, AnExperienceChosenByKeyAfterLoadIsTheOneSaved) {
    WriteClientFile(ToFsPath(Path("loaded.KVO")), FullClient(kShortFormA, NoAnswers()));
    Start();
    QApplication::setActiveWindow(main_.get());
    QTest::mouseClick(Demo<QRadioButton>("RadioHAE2Option1"), Qt::LeftButton);
    script_->buttons = {DialogButton::No};
    script_->files = {Path("loaded.KVO")};
    Press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(Demo<QRadioButton>("RadioHAE2Option4")->isChecked());
    QTest::mouseClick(Demo<QWidget>("EditTestDate2"), Qt::LeftButton);
    Press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Demo<QRadioButton>("RadioHAE2Option4"));
    Press(Qt::Key_Up);
    EXPECT_TRUE(Demo<QRadioButton>("RadioHAE2Option3")->isChecked());
    Press(Qt::Key_S, Qt::ControlModifier);  // saved under its own name
    const QByteArray bytes = FileBytes(Path("loaded.KVO"));
    ASSERT_EQ(bytes.size(), 552);
    EXPECT_EQ(bytes.mid(kExperience2Offset, 4), QByteArray("\x02\0\0\0", 4));
    EXPECT_EQ(bytes.mid(kExperience1Offset, 4), QByteArray("\x02\0\0\0", 4));
}

}  // namespace
}  // namespace kivo::test
