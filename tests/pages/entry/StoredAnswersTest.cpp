// The stored answers through the data entry pages: the form-change question and its Cancel,
// codes no control can show kept as stored, the question before clearing a condition and the
// double-click on a letter. Files on disk are checked byte for byte.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <functional>

#include "model/ClientFile.h"
#include "model/Scoring.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "tests/pages/entry/EntryFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

// Runs `action` with Qt's own message boxes instead of the scripted ones, doing `user` to the
// first box that opens (Escape, Enter, closing it).
void WithRealMessageBox(const std::function<void(QWidget* box)>& user,
                        const std::function<void()>& action) {
    auto scripted = InstallDialogs(MakeQtDialogs());
    bool answered = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            answered = true;
            user(box);
        }
    });
    action();
    InstallDialogs(std::move(scripted));
    EXPECT_TRUE(answered) << "no message box opened";
}

class StoredAnswers : public EntryPagesTest {
protected:
    // Writes `record` as client file `name` and loads it with the Load command.
    QString Open(const ClientRecord& record, const char* name) {
        const QString path = Path(name);
        WriteClientFile(ToFsPath(path), record);
        script_->files.push_back(path);
        test::TriggerAction(*main_, "actionLoad");
        Flush();
        EXPECT_EQ(main_->Session().Files().CurrentFileName, path);
        EXPECT_FALSE(FileModified());
        return path;
    }

    void Save() { test::TriggerAction(*main_, "actionSave"); }

    QComboBox* FormList() const { return Demo<QComboBox>("ComboForm"); }
};

// --- The form-change question --------------------------------------------------------------

struct FormAnswer {
    const char* what;
    DialogButton answer;
};

void PrintTo(const FormAnswer& c, std::ostream* out) {
    *out << c.what;
}

class FormChangeAnswer : public StoredAnswers, public ::testing::WithParamInterface<FormAnswer> {};

// The form list is changed with the keyboard (Home: the first form) on a loaded long-form
// client, then the client is saved.
TEST_P(FormChangeAnswer, CancelPutsTheFormBackYesKeepsWhatTheFormHoldsNoBlanks) {
    const FormAnswer& c = GetParam();
    Start();
    const ClientRecord original = FullClient(kLongForm, LongFormAnswers());
    const QString path = Open(original, "long.KVO");
    QApplication::setActiveWindow(main_.get());
    FormList()->setFocus();
    script_->asked.clear();
    script_->buttons = {c.answer};
    QTest::keyClick(FormList(), Qt::Key_Home);
    Flush();

    ASSERT_EQ(script_->asked.size(), 1u);
    const MessageRequest& asked = script_->asked[0].message;
    EXPECT_EQ(asked.text,
              "You have selected a different form.  Would you like to keep any previously stored "
              "responses?");
    EXPECT_EQ(asked.caption, "Confirm");
    EXPECT_EQ(asked.icon, DialogIcon::Question);
    EXPECT_EQ(asked.buttons, DialogButton::Yes | DialogButton::No | DialogButton::Cancel);

    ClientRecord expected = original;
    if (c.answer == DialogButton::Cancel) {
        EXPECT_EQ(FormList()->currentIndex(), kLongForm);
    } else {
        EXPECT_EQ(FormList()->currentIndex(), kShortFormA);
        expected.TestForm = kShortFormA;
        std::string answers = c.answer == DialogButton::No ? NoAnswers() : LongFormAnswers();
        // Items 26-28 become use items: their F and G cannot be held there.
        if (c.answer == DialogButton::Yes) answers.replace(25, 3, "E  ");
        std::copy(answers.begin(), answers.end(), expected.Responses);
    }
    const bool changed = c.answer != DialogButton::Cancel;
    EXPECT_EQ(Responses(), std::string(expected.Responses, 80));
    EXPECT_EQ(FileModified(), changed);
    EXPECT_EQ(ModifiedShown(), changed);

    // The entry page shows the form now in the list; nothing more is asked.
    ShowEntryPage();
    EXPECT_EQ(Entry<QLabel>("FormTitleLabel")->text(), changed ? " Form: KIVOs(a)" : " Form: KIVO");
    EXPECT_EQ(script_->asked.size(), 1u);
    Save();
    EXPECT_EQ(FileBytes(path), RecordBytes(expected));
    EXPECT_FALSE(FileModified());
}

INSTANTIATE_TEST_SUITE_P(Answers, FormChangeAnswer,
                         ::testing::Values(FormAnswer{"Cancel", DialogButton::Cancel},
                                           FormAnswer{"Yes", DialogButton::Yes},
                                           FormAnswer{"No", DialogButton::No}),
                         [](const auto& param) { return std::string(param.param.what); });

// Escape and closing the real box count as Cancel: the list shows the form it showed.
TEST_F(StoredAnswers, EscapeOrClosingTheFormQuestionChangesNothing) {
    const std::pair<const char*, std::function<void(QWidget*)>> users[] = {
        {"Escape", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }},
        {"Close", [](QWidget* box) { box->close(); }},
    };
    for (const auto& [what, user] : users) {
        SCOPED_TRACE(what);
        StartWith(FullClient(kLongForm, LongFormAnswers()));
        WithRealMessageBox(user, [this] { FormList()->setCurrentIndex(kShortFormB); });
        Flush();
        EXPECT_EQ(FormList()->currentIndex(), kLongForm);
        EXPECT_EQ(Responses(), LongFormAnswers());
        EXPECT_FALSE(FileModified());
        ShowEntryPage();
        EXPECT_EQ(gClientRecord.TestForm, kLongForm);
        main_.reset();
    }
}

// --- Codes that no control can show --------------------------------------------------------

// Short form (a): condition 1 answers every item, with a 'G' at use item 26; condition 2 has a
// damaged byte at rated item 3 and an 'x' at use item 28.
ClientRecord ClientWithUnshownCodes() {
    std::string answers = NoAnswers();
    answers.replace(0, 25, std::string(25, 'D'));
    answers.replace(25, 3, "GBC");
    answers[40 + 2] = '\x01';
    answers[40 + 4] = 'B';
    answers[40 + 27] = 'x';
    return FullClient(kShortFormA, answers);
}

TEST_F(StoredAnswers, CodesNoControlShowsAreMarkedAndNamed) {
    Start();
    Open(ClientWithUnshownCodes(), "codes.KVO");
    ShowEntryPage();
    const auto row = [this](int item) {
        return Entry<QLabel>(QStringLiteral("RowLabel%1").arg(item).toLatin1().constData());
    };
    const auto mark = [this](int item) {
        return Entry<QLabel>(QStringLiteral("RowMark%1").arg(item).toLatin1().constData());
    };
    for (int item = 1; item <= 40; ++item) {
        const bool marked = item == 3 || item == 26 || item == 28;
        EXPECT_EQ(mark(item)->isVisibleTo(Pages().responseEntry), marked) << item;
        EXPECT_EQ(row(item)->foregroundRole(), marked ? QPalette::BrightText : QPalette::WindowText)
            << item;
        EXPECT_EQ(row(item)->toolTip().isEmpty(), !marked) << item;
    }
    EXPECT_EQ(mark(26)->text(), "!");
    EXPECT_EQ(row(26)->palette().color(QPalette::BrightText), QColor(0xC0, 0x00, 0x00));
    EXPECT_EQ(row(26)->toolTip(),
              "Condition 1: stored answer 'G' cannot be shown for this item; answer the item to "
              "replace it.");
    EXPECT_EQ(mark(26)->toolTip(), row(26)->toolTip());
    EXPECT_EQ(row(3)->toolTip(),
              "Condition 2: stored answer byte 0x01 cannot be shown for this item; answer the "
              "item to replace it.");
    EXPECT_EQ(row(28)->toolTip(),
              "Condition 2: stored answer 'x' cannot be shown for this item; answer the item to "
              "replace it.");
    EXPECT_EQ(Pressed(2, 3), "");
    EXPECT_EQ(UseList(1, 1)->currentText(), "");
    EXPECT_EQ(UseList(1, 2)->currentText(), UseList(1, 2)->itemText(1));
}

// Visiting the pages and saving keeps every byte; the report screen scores what the file holds,
// as kivo-cli does.
TEST_F(StoredAnswers, VisitingThePagesKeepsTheCodesAndTheScores) {
    Start();
    const ClientRecord original = ClientWithUnshownCodes();
    const QString path = Open(original, "codes.KVO");
    SubscaleScoreTable fromFile{};
    ComputeSubscaleScores(original, fromFile);
    // The kept bytes count: blanked, they would change condition 1's Use score.
    ClientRecord blanked = original;
    blanked.Responses[25] = ' ';
    SubscaleScoreTable ifBlanked{};
    ComputeSubscaleScores(blanked, ifBlanked);
    ASSERT_NE(ifBlanked[0][5].MissingCount, fromFile[0][5].MissingCount);

    for (int round = 0; round < 2; ++round) {
        ShowEntryPage();
        ClickPageButton("ReportsButton");
        SubscaleScores = {};
        Pages().subscaleScores->grab();  // the report screen scores as it paints
        for (std::size_t c = 0; c < 2; ++c) {
            for (std::size_t s = 0; s < 6; ++s) {
                EXPECT_EQ(SubscaleScores[c][s].Score, fromFile[c][s].Score) << c << s;
                EXPECT_EQ(SubscaleScores[c][s].MissingCount, fromFile[c][s].MissingCount) << c << s;
                EXPECT_EQ(SubscaleScores[c][s].Valid, fromFile[c][s].Valid) << c << s;
            }
        }
        ShowEntryPage();
        Save();  // saved with the entry page visible
        EXPECT_EQ(FileBytes(path), RecordBytes(original)) << round;
        ShowDemographicsPage();
    }
    Flush();
    EXPECT_FALSE(FileModified());
}

// Answering the item replaces its kept code; the other kept codes stay. Pressing a letter and
// raising it again answers the item with no answer.
TEST_F(StoredAnswers, AnsweringTheItemReplacesItsKeptCode) {
    Start();
    const ClientRecord original = ClientWithUnshownCodes();
    const QString path = Open(original, "codes.KVO");
    ShowEntryPage();
    QApplication::setActiveWindow(main_.get());
    UseList(1, 1)->setFocus();
    QTest::keyClick(UseList(1, 1), Qt::Key_Down);  // the first entry: 'A'
    QTest::mouseClick(Letter(2, 3, 'E'), Qt::LeftButton);
    Flush();
    EXPECT_TRUE(ModifiedShown());
    EXPECT_FALSE(Entry<QLabel>("RowMark26")->isVisibleTo(Pages().responseEntry));
    EXPECT_EQ(Entry<QLabel>("RowLabel26")->toolTip(), "");
    EXPECT_FALSE(Entry<QLabel>("RowMark3")->isVisibleTo(Pages().responseEntry));
    EXPECT_TRUE(Entry<QLabel>("RowMark28")->isVisibleTo(Pages().responseEntry));
    Save();
    ClientRecord expected = original;
    expected.Responses[25] = 'A';
    expected.Responses[40 + 2] = 'E';
    EXPECT_EQ(FileBytes(path), RecordBytes(expected));

    QTest::mouseClick(Letter(2, 3, 'E'), Qt::LeftButton);
    Save();
    expected.Responses[40 + 2] = ' ';
    EXPECT_EQ(FileBytes(path), RecordBytes(expected));
}

// --- Clearing a condition ------------------------------------------------------------------

struct ClearCase {
    const char* what;
    std::string condition2;              // 40 answers of condition 2
    std::optional<DialogButton> answer;  // none: nothing may be asked
    bool cleared;
};

void PrintTo(const ClearCase& c, std::ostream* out) {
    *out << c.what;
}

class ClearQuestion : public StoredAnswers, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(ClearQuestion, AsksWhenTheConditionHoldsAnAnswer) {
    const ClearCase& c = GetParam();
    Start();
    std::string answers = NoAnswers();
    answers.replace(0, 4, "ABCD");
    answers.replace(40, 40, c.condition2);
    const ClientRecord original = FullClient(kShortFormA, answers);
    const QString path = Open(original, "clear.KVO");
    ShowEntryPage();
    script_->asked.clear();
    if (c.answer) script_->buttons = {*c.answer};
    QTest::mouseClick(Entry<QPushButton>("ClearCondition2Button"), Qt::LeftButton);
    Flush();

    ASSERT_EQ(script_->asked.size(), c.answer ? 1u : 0u);
    if (c.answer) {
        const MessageRequest& asked = script_->asked[0].message;
        EXPECT_EQ(asked.text, "Clear all answers of Condition 2?");
        EXPECT_EQ(asked.caption, "Confirm");
        EXPECT_EQ(asked.icon, DialogIcon::Question);
        EXPECT_EQ(asked.buttons, DialogButton::Yes | DialogButton::No);
        EXPECT_EQ(asked.defaultButton, DialogButton::No);
    }
    EXPECT_EQ(FileModified(), c.cleared);
    EXPECT_EQ(ModifiedShown(), c.cleared);
    Save();
    ClientRecord expected = original;
    if (c.cleared) std::fill(expected.Responses + 40, expected.Responses + 40 + 28, ' ');
    EXPECT_EQ(FileBytes(path), RecordBytes(expected));
    EXPECT_EQ(Pressed(1, 4), "D");
}

std::string Condition2(const std::string& first28) {
    return first28 + std::string(40 - first28.size(), ' ');
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClearQuestion,
    ::testing::Values(ClearCase{"NothingStored", Condition2(""), std::nullopt, false},
                      ClearCase{"AnswersNo", Condition2("GFEDCBA"), DialogButton::No, false},
                      ClearCase{"AnswersYes", Condition2("GFEDCBA"), DialogButton::Yes, true},
                      ClearCase{"UseAnswerOnlyYes", Condition2(std::string(27, ' ') + "E"),
                                DialogButton::Yes, true},
                      ClearCase{"KeptCodeOnlyYes", Condition2("\x01"), DialogButton::Yes, true},
                      ClearCase{"KeptCodeOnlyNo", Condition2(std::string(26, ' ') + "G"),
                                DialogButton::No, false},
                      // Outside the short form's 28 items: nothing of the page to clear.
                      ClearCase{"OnlyBeyondTheForm", Condition2(std::string(30, ' ') + "AB"),
                                std::nullopt, false}),
    [](const auto& param) { return std::string(param.param.what); });

// The real box: Space on the focused button asks, and Enter chooses No.
TEST_F(StoredAnswers, SpaceOnTheClearButtonAsksAndEnterKeepsTheAnswers) {
    StartWith(FullClient(kShortFormA, std::string(80, 'C')));
    ShowEntryPage();
    QApplication::setActiveWindow(main_.get());
    auto* clear = Entry<QPushButton>("ClearCondition1Button");
    clear->setFocus();
    WithRealMessageBox([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); },
                       [clear] { QTest::keyClick(clear, Qt::Key_Space); });
    Flush();
    EXPECT_EQ(Pressed(1, 1), "C");
    EXPECT_EQ(UseList(1, 3)->currentText(), "Sometimes (50%)");
    EXPECT_FALSE(FileModified());
    ShowDemographicsPage();
    EXPECT_EQ(Responses(), std::string(80, 'C'));
}

// --- The double-click on a letter ----------------------------------------------------------

struct DoubleClick {
    const char* what;
    char before;     // the letter of item 4, condition 1, down before ('\0': none)
    bool wholePair;  // press, release, double-click, release, as the window system sends it
    bool modified;   // the first click of a whole pair on the letter down raises it
};

void PrintTo(const DoubleClick& c, std::ostream* out) {
    *out << c.what;
}

class LetterDoubleClick : public StoredAnswers,
                          public ::testing::WithParamInterface<DoubleClick> {};

TEST_P(LetterDoubleClick, AnswersOnceAndTheLetterStaysDown) {
    const DoubleClick& c = GetParam();
    std::string answers = NoAnswers();
    if (c.before != '\0') answers[3] = c.before;
    StartWith(FullClient(kShortFormA, answers));
    ShowEntryPage();
    QToolButton* letter = Letter(1, 4, 'C');
    if (c.wholePair) {
        QTest::mousePress(letter, Qt::LeftButton);
        QTest::mouseRelease(letter, Qt::LeftButton);
        QTest::mouseDClick(letter, Qt::LeftButton);
        QTest::mouseRelease(letter, Qt::LeftButton);
    } else {
        QTest::mouseDClick(letter, Qt::LeftButton);
    }
    Flush();
    EXPECT_EQ(Pressed(1, 4), "C");
    EXPECT_EQ(FileModified(), c.modified);
    ShowDemographicsPage();
    EXPECT_EQ(gClientRecord.Responses[3], 'C');
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, LetterDoubleClick,
    ::testing::Values(DoubleClick{"OnAnUnansweredItem", '\0', false, true},
                      DoubleClick{"OnAnUnansweredItemWholePair", '\0', true, true},
                      DoubleClick{"OverAnotherLetter", 'F', false, true},
                      DoubleClick{"OverAnotherLetterWholePair", 'F', true, true},
                      DoubleClick{"OnTheLetterDown", 'C', false, false},
                      DoubleClick{"OnTheLetterDownWholePair", 'C', true, true}),
    [](const auto& param) { return std::string(param.param.what); });

}  // namespace
}  // namespace kivo::test
