// The response entry page: layout, rows per form, answers to and from Responses, the letter
// groups, the lists, the clear buttons and what marks the client modified.
#include <QAction>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "model/Cp1252.h"
#include "model/ProductContent.h"
#include "tests/pages/entry/EntryFixture.h"

namespace kivo::test {
namespace {

using EntryPage = EntryPagesTest;

TEST_F(EntryPage, StaticControlsStandAtTheirPlaces) {
    StartWith(FullClient(kLongForm, NoAnswers()));
    ShowEntryPage();
    const struct {
        const char* name;
        QRect geometry;  // an empty size: only the position is checked
        int pixelSize;
        bool bold;
    } controls[] = {
        {"InstructionPanel", {6, 8, 475, 224}, 16, true},
        {"FormTitleLabel", {0, 0, 475, 22}, 19, true},
        {"InstructionsLabel", {7, 32, 289, 151}, 16, false},
        {"OptionGuidePanel", {302, 24, 159, 202}, 16, true},
        {"OptionLabelA", {7, 7, 0, 0}, 16, true},
        {"OptionLabelB", {7, 34, 0, 0}, 16, true},
        {"OptionLabelC", {7, 62, 0, 0}, 16, true},
        {"OptionLabelD", {7, 89, 0, 0}, 16, true},
        {"OptionLabelE", {7, 117, 0, 0}, 16, true},
        {"OptionLabelF", {7, 144, 0, 0}, 16, true},
        {"OptionLabelG", {7, 172, 0, 0}, 16, true},
        {"StemLabel", {0, 201, 475, 23}, 19, false},
        {"ConditionLabel1", {503, 149, 0, 0}, 16, true},
        {"ConditionLabel2", {757, 149, 0, 0}, 16, true},
        {"HearingAid1Label", {503, 175, 0, 0}, 16, true},
        {"TestDate1Label", {503, 203, 0, 0}, 16, true},
        {"HearingAid2Label", {757, 175, 0, 0}, 16, true},
        {"TestDate2Label", {757, 203, 0, 0}, 16, true},
        {"AnswerScrollBox", {5, 240, 1004, 327}, 16, false},
        {"ClearCondition1Button", {17, 573, 140, 50}, 13, false},
        {"ClearCondition2Button", {207, 573, 140, 50}, 13, false},
    };
    for (const auto& p : controls) {
        const auto* w = Entry<QWidget>(p.name);
        ASSERT_NE(w, nullptr) << p.name;
        if (p.geometry.isEmpty()) {
            EXPECT_EQ(w->pos(), p.geometry.topLeft()) << p.name;
        } else {
            EXPECT_EQ(w->geometry(), p.geometry) << p.name;
        }
        EXPECT_EQ(w->font().family(), QStringLiteral("MS Sans Serif")) << p.name;
        EXPECT_EQ(w->font().pixelSize(), p.pixelSize) << p.name;
        EXPECT_EQ(w->font().bold(), p.bold) << p.name;
    }
    const char* guide[] = {"A - Not at all",   "B - A little", "C - Somewhat",    "D - Medium",
                           "E - Considerably", "F - Greatly",  "G - Tremendously"};
    for (int k = 0; k < 7; ++k) {
        const QString name = QStringLiteral("OptionLabel%1").arg(QChar('A' + k));
        EXPECT_EQ(Entry<QLabel>(name.toLatin1().constData())->text(), guide[k]);
    }
    EXPECT_EQ(Entry<QLabel>("StemLabel")->text(), " How good are the hearing aids at...");
    EXPECT_EQ(Entry<QLabel>("InstructionsLabel")->text(),
              QString::fromStdString(Cp1252ToUtf8(Content().screenInstructions)));
    EXPECT_EQ(Entry<QLabel>("FormTitleLabel")->palette().color(QPalette::Window),
              QColor(0xFF, 0, 0));
    EXPECT_EQ(Entry<QLabel>("FormTitleLabel")->palette().color(QPalette::WindowText),
              QColor(Qt::white));
    EXPECT_EQ(Entry<QLabel>("HearingAid1Label")->text(), "Model X (open dome)");
    EXPECT_EQ(Entry<QLabel>("TestDate1Label")->text(), "03/04/2013");
    EXPECT_EQ(Entry<QLabel>("HearingAid2Label")->text(), QString::fromUtf8("Modèle Y – € 1200"));
    EXPECT_EQ(Entry<QLabel>("TestDate2Label")->text(), "05/06/2013");
    Flush();
    auto* box = Entry<QScrollArea>("AnswerScrollBox");
    EXPECT_EQ(box->verticalScrollBar()->width(), 20);
    EXPECT_EQ(box->widget()->palette().color(QPalette::Window), QColor(0xC0, 0xDC, 0xC0));
    for (const char* name : {"ClearCondition1Button", "ClearCondition2Button"}) {
        EXPECT_EQ(Entry<QPushButton>(name)->toolTip(), "Clear all responses from this condition");
    }
    EXPECT_EQ(Entry<QPushButton>("ClearCondition2Button")->text(), "Clear Condition 2");
}

struct FormRows {
    FormKind form;
    const char* title;
    int rated;        // items with letter buttons
    int scrollRange;  // 43 x items + 5
};

void PrintTo(const FormRows& c, std::ostream* out) {
    *out << c.title;
}

class EntryRows : public EntryPagesTest, public ::testing::WithParamInterface<FormRows> {};

TEST_P(EntryRows, RowsButtonsAndListsFollowTheForm) {
    const FormRows& f = GetParam();
    // Show the other size of form first: the rows must follow each show.
    StartWith(FullClient(f.form == kLongForm ? kShortFormA : kLongForm, NoAnswers()));
    ShowEntryPage();
    ShowDemographicsPage();
    Demo<QComboBox>("ComboForm")->setCurrentIndex(f.form);
    auto* box = Entry<QScrollArea>("AnswerScrollBox");
    box->verticalScrollBar()->setValue(300);
    ShowEntryPage();

    EXPECT_EQ(Entry<QLabel>("FormTitleLabel")->text(), QString::fromLatin1(f.title));
    EXPECT_EQ(Pages().responseEntry->ShownItemCount(), f.rated + 3);
    EXPECT_EQ(box->widget()->height(), f.scrollRange);
    EXPECT_EQ(box->verticalScrollBar()->value(), 0);
    for (int item = 1; item <= 40; ++item) {
        for (int c = 1; c <= 2; ++c) {
            for (char letter = 'A'; letter <= 'G'; ++letter) {
                const QToolButton* button = Letter(c, item, letter);
                ASSERT_EQ(button->isVisibleTo(Pages().responseEntry), item <= f.rated)
                    << item << letter;
                EXPECT_EQ(button->isEnabled(), item <= f.rated);
            }
        }
    }
    for (int j = 1; j <= 3; ++j) {
        const int row = f.rated + j - 1;
        EXPECT_EQ(UseList(1, j)->geometry(), QRect(485, 43 * row + 10, 200, 25)) << j;
        EXPECT_EQ(UseList(2, j)->geometry(), QRect(745, 43 * row + 10, 200, 25)) << j;
        EXPECT_TRUE(UseList(1, j)->isVisibleTo(Pages().responseEntry));
        EXPECT_EQ(UseList(2, j)->count(), 5);
    }
    for (int item = 1; item <= f.rated + 3; ++item) {
        const QString name = QStringLiteral("RowLabel%1").arg(item);
        const auto* row = Entry<QLabel>(name.toLatin1().constData());
        EXPECT_EQ(row->text(), QString::number(item) + ". " +
                                   QString::fromStdString(Cp1252ToUtf8(ItemText(f.form, item))));
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, EntryRows,
                         ::testing::Values(FormRows{kShortFormA, " Form: KIVOs(a)", 25, 1209},
                                           FormRows{kShortFormB, " Form: KIVOs(b)", 25, 1209},
                                           FormRows{kLongForm, " Form: KIVO", 37, 1725}),
                         [](const auto& param) { return std::to_string(param.param.form); });

TEST_F(EntryPage, RowControlsStandAtTheirPlaces) {
    StartWith(FullClient(kLongForm, NoAnswers()));
    ShowEntryPage();
    for (const int item : {1, 2, 37}) {
        const int r = item - 1;
        EXPECT_EQ(Letter(1, item, 'A')->geometry(), QRect(480, 43 * r + 8, 28, 28));
        EXPECT_EQ(Letter(1, item, 'G')->geometry(), QRect(660, 43 * r + 8, 28, 28));
        EXPECT_EQ(Letter(2, item, 'A')->geometry(), QRect(740, 43 * r + 8, 25, 25));
        EXPECT_EQ(Letter(2, item, 'D')->geometry(), QRect(830, 43 * r + 8, 25, 25));
        const QString name = QStringLiteral("RowLabel%1").arg(item);
        const auto* row = Entry<QLabel>(name.toLatin1().constData());
        EXPECT_EQ(row->geometry(), QRect(12, 43 * r + 5, 960, 43));
        EXPECT_TRUE(row->wordWrap());
        EXPECT_EQ(row->palette().color(QPalette::Window),
                  item % 2 == 1 ? QColor(0xA6, 0xCA, 0xF0) : QColor(0xC0, 0xDC, 0xC0));
    }
    EXPECT_EQ(Letter(2, 5, 'F')->text(), "F");
    EXPECT_EQ(Letter(2, 5, 'F')->toolTip(), "Greatly");
    EXPECT_EQ(Letter(1, 1, 'A')->toolTip(), "Not at all");
    EXPECT_EQ(Letter(1, 1, 'A')->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(Letter(1, 1, 'A')->font().pixelSize(), 16);
    EXPECT_EQ(UseList(2, 3)->itemText(4), "Always (100%)");
    EXPECT_EQ(UseList(1, 1)->itemText(0), "None");
    EXPECT_EQ(UseList(1, 2)->itemText(4), "> 11 hours");
}

TEST_F(EntryPage, FocusGoesFromTheGridToTheClearButtonsThenTheLists) {
    StartWith(FullClient(kLongForm, NoAnswers()));
    ShowEntryPage();
    const QWidget* expected[] = {Entry<QWidget>("ScrollContent"),
                                 Entry<QWidget>("ClearCondition1Button"),
                                 Entry<QWidget>("ClearCondition2Button"),
                                 UseList(1, 1),
                                 UseList(2, 1),
                                 UseList(1, 2),
                                 UseList(2, 2),
                                 UseList(1, 3),
                                 UseList(2, 3)};
    const QWidget* w = expected[0];
    for (std::size_t i = 1; i < std::size(expected); ++i) {
        do {
            w = w->nextInFocusChain();
        } while (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(Pages().responseEntry) ||
                 qobject_cast<const QComboBox*>(w->parentWidget()) != nullptr);
        EXPECT_EQ(w, expected[i]) << i << " " << w->objectName().toStdString();
        w = expected[i];
    }
}

TEST_F(EntryPage, AnswersRoundTripThroughThePage) {
    const std::string answers = LongFormAnswers();
    StartWith(FullClient(kLongForm, answers));
    ShowEntryPage();
    EXPECT_EQ(Pressed(1, 1), "A");
    EXPECT_EQ(Pressed(1, 9), "B");
    EXPECT_EQ(Pressed(2, 1), "G");
    EXPECT_EQ(Pressed(2, 37), "F");
    EXPECT_EQ(UseList(1, 1)->currentText(), "None");
    EXPECT_EQ(UseList(1, 3)->currentText(), "Always (100%)");
    EXPECT_EQ(UseList(2, 1)->currentText(), "5 - 6 days");
    EXPECT_EQ(UseList(2, 3)->currentText(), "Never (0%)");
    std::memset(gClientRecord.Responses, 'x', 80);
    ShowDemographicsPage();
    EXPECT_EQ(Responses(), answers);
    Flush();
    EXPECT_FALSE(FileModified());
}

TEST_F(EntryPage, DamagedCodesShowNoAnswerAndStayAsStored) {
    std::string answers = NoAnswers();
    answers.replace(0, 4, "Ha\x01G");         // rated items 1-4
    answers.replace(25, 3, "FGe");            // use items 26-28 (short form)
    answers.replace(28, 12, "ZZZZZZZZZZZZ");  // outside the short form: never touched
    answers.replace(40 + 25, 3, "E@A");
    answers.replace(40 + 28, 12, "QQQQQQQQQQQQ");
    StartWith(FullClient(kShortFormB, answers));
    ShowEntryPage();
    EXPECT_EQ(Pressed(1, 1), "");
    EXPECT_EQ(Pressed(1, 2), "");
    EXPECT_EQ(Pressed(1, 3), "");
    EXPECT_EQ(Pressed(1, 4), "G");
    for (int j = 1; j <= 3; ++j) {
        EXPECT_EQ(UseList(1, j)->currentIndex(), -1) << j;
        EXPECT_EQ(UseList(1, j)->currentText(), "") << j;
    }
    EXPECT_EQ(UseList(2, 1)->currentIndex(), 4);
    EXPECT_EQ(UseList(2, 2)->currentIndex(), -1);
    EXPECT_EQ(UseList(2, 3)->currentIndex(), 0);
    // Until the user answers those items, their codes stay as they are.
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(Responses(), answers);
}

TEST_F(EntryPage, ARowIsAGroupInWhichAllButtonsMayBeUp) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    ShowEntryPage();
    QTest::mouseClick(Letter(1, 3, 'B'), Qt::LeftButton);
    EXPECT_EQ(Pressed(1, 3), "B");
    QTest::mouseClick(Letter(1, 3, 'E'), Qt::LeftButton);
    EXPECT_EQ(Pressed(1, 3), "E");
    QTest::mouseClick(Letter(2, 3, 'A'), Qt::LeftButton);
    EXPECT_EQ(Pressed(1, 3), "E");
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(gClientRecord.Responses[2], 'E');
    EXPECT_EQ(gClientRecord.Responses[42], 'A');
    QTest::mouseClick(Letter(1, 3, 'E'), Qt::LeftButton);  // the pressed one comes up
    EXPECT_EQ(Pressed(1, 3), "");
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(gClientRecord.Responses[2], ' ');
}

TEST_F(EntryPage, OnlyALeftClickOnALetterMarksTheClientModified) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        StartWith(FullClient(kShortFormA, NoAnswers()));
        ShowEntryPage();
        Flush();
        EXPECT_FALSE(FileModified());
        QTest::mouseClick(Letter(2, 25, 'G'), button);
        EXPECT_EQ(FileModified(), button == Qt::LeftButton) << button;
        Flush();
        EXPECT_EQ(ModifiedShown(), button == Qt::LeftButton);
        EXPECT_EQ(Pressed(2, 25), button == Qt::LeftButton ? "G" : "") << button;
        main_.reset();
    }
}

// The use lists are pick-only: a pick marks the client modified; their letters A-E and digits
// 1-5 pick, arrows move, and no other character reaches them.
TEST_F(EntryPage, UseListsArePickOnlyAndTheirKeysPick) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    ShowEntryPage();
    for (int c = 1; c <= 2; ++c) {
        for (int j = 1; j <= 3; ++j) EXPECT_FALSE(UseList(c, j)->isEditable());
    }
    UseList(1, 2)->setCurrentIndex(3);
    EXPECT_TRUE(FileModified());
    ClearFileModified();
    QComboBox* list = UseList(2, 1);
    struct Step {
        Qt::Key key;
        int entry;  // the list's entry afterwards
    };
    // Each key on the list as the window system sends it, with its text.
    const Step steps[] = {{Qt::Key_4, 3},     {Qt::Key_Down, 4}, {Qt::Key_B, 1},    {Qt::Key_X, 1},
                          {Qt::Key_9, 1},     {Qt::Key_F, 1},    {Qt::Key_Up, 0},   {Qt::Key_5, 4},
                          {Qt::Key_Minus, 4}, {Qt::Key_A, 0},    {Qt::Key_Home, 0}, {Qt::Key_E, 4}};
    for (const Step& step : steps) {
        QTest::keyClick(list, step.key);
        EXPECT_EQ(list->currentIndex(), step.entry) << step.key;
    }
    EXPECT_TRUE(FileModified());
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(gClientRecord.Responses[26], 'D');
    EXPECT_EQ(gClientRecord.Responses[40 + 25], 'E');
}

TEST_F(EntryPage, ClearButtonsClearOneConditionAndMarkTheClient) {
    const std::string answers = LongFormAnswers();
    StartWith(FullClient(kLongForm, answers));
    ShowEntryPage();
    script_->buttons = {DialogButton::Yes, DialogButton::Yes};  // clear, asked each time
    QTest::mouseClick(Entry<QPushButton>("ClearCondition2Button"), Qt::LeftButton);
    for (int item = 1; item <= 37; ++item) EXPECT_EQ(Pressed(2, item), "") << item;
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(UseList(2, j)->currentText(), "") << j;
    EXPECT_EQ(Pressed(1, 2), "B");
    EXPECT_EQ(Responses(), answers);  // not written until the next store
    Flush();
    EXPECT_TRUE(FileModified());
    EXPECT_TRUE(ModifiedShown());

    // Saved while the page is visible: blanks in every position of condition 2.
    script_->files.push_back(Path("cleared.KVO"));
    main_->Action("actionSave")->trigger();
    std::string expected = answers;
    expected.replace(40, 40, std::string(40, ' '));
    EXPECT_EQ(Responses(), expected);
    ClientRecord saved{};
    ReadClientFile(ToFsPath(Path("cleared.KVO")), saved);
    EXPECT_EQ(std::string(saved.Responses, 80), expected);

    EXPECT_FALSE(FileModified());

    QTest::mouseClick(Entry<QPushButton>("ClearCondition1Button"), Qt::LeftButton);
    Pages().responseEntry->StoreResponses();
    EXPECT_EQ(Responses(), NoAnswers());
    EXPECT_TRUE(FileModified());
    EXPECT_EQ(script_->asked.size(), 3u);  // two questions and the Save As dialog
}

TEST_F(EntryPage, ShowingAShortFormKeepsTheLongFormsLastAnswers) {
    const std::string answers = LongFormAnswers();
    StartWith(FullClient(kLongForm, answers));
    script_->buttons.push_back(DialogButton::Yes);  // keep the answers
    Demo<QComboBox>("ComboForm")->setCurrentIndex(kShortFormA);
    ShowEntryPage();
    EXPECT_FALSE(Letter(1, 26, 'A')->isVisibleTo(Pages().responseEntry));
    EXPECT_EQ(UseList(1, 1)->y(), 43 * 25 + 10);
    ShowDemographicsPage();
    // Items 1-25 come back. At the use items 26-28 stood the long form's rated answers: an 'E'
    // is an option there, an 'F' or 'G' is not and becomes a blank. Items 29-40 are untouched.
    std::string expected = answers;
    ASSERT_EQ(answers.substr(25, 3), "EFG");
    ASSERT_EQ(answers.substr(65, 3), "CBA");
    expected[26] = ' ';
    expected[27] = ' ';
    EXPECT_EQ(Responses(), expected);
}

TEST_F(EntryPage, ADamagedFormNumberShowsNoRowsAndStoresNothing) {
    std::string answers = LongFormAnswers();
    ClientRecord client = FullClient(kLongForm, answers);
    client.TestForm = -1;
    StartWith(client);
    ShowEntryPage();
    EXPECT_EQ(Entry<QLabel>("FormTitleLabel")->text(), " Form: ");
    EXPECT_EQ(Pages().responseEntry->ShownItemCount(), 0);
    EXPECT_EQ(Entry<QScrollArea>("AnswerScrollBox")->widget()->height(), 5);
    EXPECT_FALSE(Letter(1, 1, 'A')->isVisibleTo(Pages().responseEntry));
    EXPECT_FALSE(UseList(1, 1)->isVisibleTo(Pages().responseEntry));
    QTest::mouseClick(Entry<QPushButton>("ClearCondition1Button"), Qt::LeftButton);
    ShowDemographicsPage();
    EXPECT_EQ(Responses(), answers);
}

}  // namespace
}  // namespace kivo::test
