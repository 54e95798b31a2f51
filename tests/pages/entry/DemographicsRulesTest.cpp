// The demographics page: what marks the client modified, the form-change question and what
// the boxes accept.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "tests/pages/entry/EntryFixture.h"

namespace kivo::test {
namespace {

using DemographicsRules = EntryPagesTest;

// Types each character of `text` as a key press carrying it (any character, not only ASCII).
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

const char* const kTextBoxes[] = {
    "EditLastName",  "EditFirstName",      "EditMI",        "EditID",
    "EditDOB",       "EditConditionText1", "EditTestDate1", "EditConditionText2",
    "EditTestDate2", "CommentsMemo"};

TEST_F(DemographicsRules, ATypedCharacterMarksTheClientModified) {
    for (const char* name : kTextBoxes) {
        StartWith(FullClient(kShortFormA, NoAnswers()));
        // Typed over the whole text: some boxes are full.
        QTest::keyClick(Demo<QWidget>(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Demo<QWidget>(name), Qt::Key_Z);
        EXPECT_TRUE(FileModified()) << name;
        Flush();
        EXPECT_TRUE(ModifiedShown()) << name;
        main_.reset();
    }
}

TEST_F(DemographicsRules, KeysThatChangeNothingLeaveTheClientUnmodified) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    for (const char* name : kTextBoxes) {
        for (const Qt::Key key :
             {Qt::Key_Left, Qt::Key_Right, Qt::Key_End, Qt::Key_Home, Qt::Key_F5, Qt::Key_Shift}) {
            QTest::keyClick(Demo<QWidget>(name), key);
        }
    }
    EXPECT_FALSE(FileModified());
    EXPECT_EQ(Demo<QLineEdit>("EditLastName")->text(), "Johnson");
    // Delete deletes: a change like any other.
    QTest::keyClick(Demo<QLineEdit>("EditLastName"), Qt::Key_Delete);
    EXPECT_EQ(Demo<QLineEdit>("EditLastName")->text(), "ohnson");
    EXPECT_TRUE(FileModified());
}

TEST_F(DemographicsRules, ACharacterRefusedByAFullBoxLeavesTheClientUnmodified) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    QTest::keyClick(Demo<QLineEdit>("EditMI"), Qt::Key_End);
    QTest::keyClick(Demo<QLineEdit>("EditMI"), Qt::Key_X);
    EXPECT_EQ(Demo<QLineEdit>("EditMI")->text(), "Q");
    EXPECT_FALSE(FileModified());
}

TEST_F(DemographicsRules, BoxesStopAtTheirLimits) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    const std::pair<const char*, int> limits[] = {
        {"EditLastName", 17}, {"EditFirstName", 17},      {"EditMI", 1},        {"EditID", 13},
        {"EditDOB", 10},      {"EditConditionText1", 29}, {"EditTestDate2", 10}};
    for (const auto& [name, limit] : limits) {
        auto* box = Demo<QLineEdit>(name);
        box->clear();
        QTest::keyClicks(box, QString(40, u'w'));
        EXPECT_EQ(box->text().size(), limit) << name;
    }
    const std::pair<const char*, int> lists[] = {
        {"ComboGender", 1}, {"ComboEars1", 5}, {"ComboCoupling2", 11}};
    for (const auto& [name, limit] : lists) {
        auto* list = Demo<QComboBox>(name);
        list->clearEditText();
        QTest::keyClicks(list->lineEdit(), QString(20, u'q'));
        EXPECT_EQ(list->currentText().size(), limit) << name;
    }
}

TEST_F(DemographicsRules, TheMemoHoldsAtMost254WithALineBreakCountingTwo) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    auto* memo = Demo<QPlainTextEdit>("CommentsMemo");
    memo->clear();
    QTest::keyClicks(memo, QString(251, u'm'));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("abc"));
    EXPECT_EQ(memo->toPlainText(), QString(251, u'm') + QStringLiteral("\na"));
    // Full: a further line break does not fit either.
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(memo->toPlainText().size(), 253);
    Pages().demographics->ControlsToRecord();
    EXPECT_EQ(FieldBytes(gClientRecord.Comments), std::string(251, 'm') + "\r\na");
}

TEST_F(DemographicsRules, OnlyCharactersTheRecordCanHoldAreAccepted) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    auto* name = Demo<QLineEdit>("EditFirstName");
    name->clear();
    Type(name, QString::fromUtf8("Zoë€Ω…"));
    EXPECT_EQ(name->text(), QString::fromUtf8("Zoë€…"));
    EXPECT_TRUE(FileModified());

    QApplication::clipboard()->setText(QString::fromUtf8("Ωmega"));
    name->paste();
    EXPECT_EQ(name->text(), QString::fromUtf8("Zoë€…"));
    auto* memo = Demo<QPlainTextEdit>("CommentsMemo");
    memo->clear();
    memo->paste();  // the Omega is left out of the paste
    Type(memo, QString::fromUtf8("a✓b"));
    EXPECT_EQ(memo->toPlainText(), "megaab");
    QApplication::clipboard()->setText(QStringLiteral("one\r\ntwo"));
    memo->paste();
    Pages().demographics->ControlsToRecord();
    EXPECT_EQ(FieldBytes(gClientRecord.Comments), "megaabone\r\ntwo");
    EXPECT_EQ(FieldBytes(gClientRecord.FirstName), "Zo\xEB\x80\x85");
}

TEST_F(DemographicsRules, OnlyALeftClickOnAnotherOptionMarksTheClientModified) {
    for (const char* name : {"RadioHAE1Option3", "RadioHAE1Option1", "RadioHAE2Option4"}) {
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            StartWith(FullClient(kShortFormA, NoAnswers()));
            // RadioHAE1Option3 and RadioHAE2Option4 are the options already checked.
            QTest::mouseClick(Demo<QRadioButton>(name), button);
            const bool changed =
                button == Qt::LeftButton && std::string_view(name) == "RadioHAE1Option1";
            EXPECT_EQ(FileModified(), changed) << name << " " << button;
            main_.reset();
        }
    }
}

TEST_F(DemographicsRules, MovingTheOptionWithTheKeyboardMarksTheClientModified) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    QApplication::setActiveWindow(main_.get());
    auto* option = Demo<QRadioButton>("RadioHAE1Option3");
    option->setFocus();
    QTest::keyClick(option, Qt::Key_Down);
    EXPECT_TRUE(Demo<QRadioButton>("RadioHAE1Option4")->isChecked());
    EXPECT_TRUE(FileModified());
}

TEST_F(DemographicsRules, EveryTextChangeOfAListMarksTheClientModified) {
    for (const char* name :
         {"ComboGender", "ComboEars1", "ComboCoupling1", "ComboEars2", "ComboCoupling2"}) {
        StartWith(FullClient(kShortFormA, NoAnswers()));
        // Another entry than the one shown.
        auto* list = Demo<QComboBox>(name);
        list->setCurrentIndex((list->findText(list->currentText()) + 1) % list->count());
        EXPECT_TRUE(FileModified()) << name;
        main_.reset();
        StartWith(FullClient(kShortFormA, NoAnswers()));
        QTest::keyClick(Demo<QComboBox>(name)->lineEdit(), Qt::Key_Backspace);
        EXPECT_TRUE(FileModified()) << name;
        main_.reset();
    }
}

TEST_F(DemographicsRules, LoadingTheControlsNeverMarksTheClientModified) {
    StartWith(FullClient(kLongForm, std::string(80, 'C')));
    gClientRecord = FullClient(kShortFormB, NoAnswers());
    gClientRecord.Experience1 = 9;
    Pages().demographics->RecordToControls();
    ShowEntryPage();
    ShowDemographicsPage();
    Flush();
    EXPECT_FALSE(FileModified());
    EXPECT_FALSE(ModifiedShown());
    EXPECT_TRUE(script_->asked.empty());
}

// The form-change question: its paths.
struct FormChangeCase {
    const char* what;
    bool answersStored;
    std::optional<DialogButton> answer;  // none: nothing may be asked
    bool answersKept;
    bool modified;
    bool formChanged;  // false: the list went back to the form it showed
};

void PrintTo(const FormChangeCase& c, std::ostream* out) {
    *out << c.what;
}

class FormChange : public EntryPagesTest, public ::testing::WithParamInterface<FormChangeCase> {};

TEST_P(FormChange, KeepsOrBlanksTheStoredAnswers) {
    const FormChangeCase& c = GetParam();
    std::string answers = NoAnswers();
    if (c.answersStored) {
        answers[0] = 'D';
        answers[79] = 'B';
    }
    StartWith(FullClient(kShortFormA, answers));
    if (c.answer) script_->buttons.push_back(*c.answer);

    Demo<QComboBox>("ComboForm")->setCurrentIndex(kShortFormB);
    Flush();

    ASSERT_EQ(script_->asked.size(), c.answer ? 1u : 0u);
    if (c.answer) {
        const MessageRequest& asked = script_->asked[0].message;
        EXPECT_EQ(asked.text,
                  "You have selected a different form.  Would you like to keep any previously "
                  "stored responses?");
        EXPECT_EQ(asked.caption, "Confirm");
        EXPECT_EQ(asked.icon, DialogIcon::Question);
        EXPECT_EQ(asked.buttons, DialogButton::Yes | DialogButton::No | DialogButton::Cancel);
    }
    EXPECT_EQ(Responses(), c.answersKept ? answers : NoAnswers());
    EXPECT_EQ(FileModified(), c.modified);
    EXPECT_EQ(ModifiedShown(), c.modified);
    const FormKind shown = c.formChanged ? kShortFormB : kShortFormA;
    EXPECT_EQ(Demo<QComboBox>("ComboForm")->currentIndex(), shown);
    // The form reaches the record when the page is hidden.
    EXPECT_EQ(gClientRecord.TestForm, kShortFormA);
    ShowEntryPage();
    EXPECT_EQ(gClientRecord.TestForm, shown);
    EXPECT_EQ(script_->asked.size(), c.answer ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FormChange,
    ::testing::Values(FormChangeCase{"NoStoredAnswers", false, std::nullopt, true, true, true},
                      FormChangeCase{"No", true, DialogButton::No, false, true, true},
                      FormChangeCase{"CancelOrBoxClosed", true, DialogButton::Cancel, true, false,
                                     false},
                      FormChangeCase{"Yes", true, DialogButton::Yes, true, true, true}),
    [](const auto& param) { return std::string(param.param.what); });

}  // namespace
}  // namespace kivo::test
