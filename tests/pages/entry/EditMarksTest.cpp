// What marks the client modified on the data entry pages: every change the user makes to a
// control, by key, mouse or clipboard, and nothing that leaves the control as it was.
#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <functional>
#include <vector>

#include "tests/pages/entry/EntryFixture.h"

namespace kivo::test {
namespace {

// One key of a case, with its modifiers.
struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Presses and releases each key on `control`, which has the focus as it would for a user.
std::function<void(QWidget*)> Keys(std::vector<Key> keys) {
    return [keys](QWidget* control) {
        for (const Key& k : keys) QTest::keyClick(control, k.key, k.modifiers);
    };
}

// Types each character of `text` as a key press carrying it (any character, not only ASCII).
std::function<void(QWidget*)> Characters(QString text) {
    return [text](QWidget* control) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(control, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(control, &release);
        }
    };
}

// Puts `text` on the clipboard, then presses the keys.
std::function<void(QWidget*)> PasteKeys(QString text, std::vector<Key> keys) {
    return [text, keys](QWidget* control) {
        QApplication::clipboard()->setText(text);
        Keys(keys)(control);
    };
}

std::function<void(QWidget*)> Click(Qt::MouseButton button) {
    return [button](QWidget* control) { QTest::mouseClick(control, button); };
}

// Opens the list's popup and clicks the entry `text` in it.
std::function<void(QWidget*)> PopupPick(QString text) {
    return [text](QWidget* control) {
        auto* list = qobject_cast<QComboBox*>(control);
        ASSERT_NE(list, nullptr);
        list->showPopup();
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(view->isVisible());
        const QModelIndex entry = view->model()->index(list->findText(text), 0);
        ASSERT_TRUE(entry.isValid()) << text.toStdString();
        view->setCurrentIndex(entry);  // as the pointer moving over it does
        QTest::qWait(QApplication::doubleClickInterval() + 20);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(entry).center());
        EXPECT_FALSE(view->isVisible());
    };
}

// What a control holds, for the check that it changed exactly when the client was marked.
QString ValueOf(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control)) {
        return memo->toPlainText();
    }
    if (const auto* list = qobject_cast<const QComboBox*>(control)) return list->currentText();
    if (const auto* option = qobject_cast<const QRadioButton*>(control)) {
        const QAbstractButton* checked = option->group()->checkedButton();
        return checked ? checked->objectName() : QString();
    }
    if (const auto* letter = qobject_cast<const QToolButton*>(control)) {
        return letter->isChecked() ? QStringLiteral("down") : QStringLiteral("up");
    }
    return {};
}

struct EditCase {
    const char* what;
    bool onEntryPage;
    const char* control;
    std::function<void(QWidget*)> act;
    const char* valueAfter;  // UTF-8
    bool modified;
};

void PrintTo(const EditCase& c, std::ostream* out) {
    *out << c.what;
}

// The client of every case: short form (a); item 1 answered C and use item 26 answered B in
// condition 1.
ClientRecord CaseClient() {
    std::string answers = NoAnswers();
    answers[0] = 'C';
    answers[25] = 'B';
    return FullClient(kShortFormA, answers);
}

class EditMarks : public EntryPagesTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditMarks, OnlyAChangeMarksTheClientModified) {
    const EditCase& c = GetParam();
    StartWith(CaseClient());
    if (c.onEntryPage) ShowEntryPage();
    QApplication::setActiveWindow(main_.get());
    Page* page = c.onEntryPage ? static_cast<Page*>(Pages().responseEntry) : Pages().demographics;
    auto* control = page->findChild<QWidget*>(QString::fromLatin1(c.control));
    ASSERT_NE(control, nullptr) << c.control;
    if (control->focusPolicy() != Qt::NoFocus) control->setFocus(Qt::OtherFocusReason);
    Flush();
    ASSERT_FALSE(FileModified());
    const QString before = ValueOf(control);

    c.act(control);
    Flush();

    EXPECT_EQ(ValueOf(control), QString::fromUtf8(c.valueAfter));
    EXPECT_EQ(FileModified(), c.modified);
    EXPECT_EQ(ModifiedShown(), c.modified);
    EXPECT_TRUE(script_->asked.empty());
    // The table's own consistency: a case that changes the value must expect the mark.
    EXPECT_TRUE(ValueOf(control) == before || c.modified) << "a change that was not marked";
}

const Key kSelectAll{Qt::Key_A, Qt::ControlModifier};

INSTANTIATE_TEST_SUITE_P(
    Paths, EditMarks,
    ::testing::Values(
        // One-line boxes.
        EditCase{"TypedLetter", false, "EditLastName", Keys({{Qt::Key_Z}}), "Johnsonz", true},
        EditCase{"Backspace", false, "EditLastName", Keys({{Qt::Key_Backspace}}), "Johnso", true},
        EditCase{"Delete", false, "EditLastName", Keys({{Qt::Key_Home}, {Qt::Key_Delete}}),
                 "ohnson", true},
        EditCase{"CutWithTheKeyboard", false, "EditFirstName",
                 Keys({kSelectAll, {Qt::Key_X, Qt::ControlModifier}}), "", true},
        EditCase{"PasteWithTheKeyboard", false, "EditID",
                 PasteKeys("77", {{Qt::Key_End}, {Qt::Key_V, Qt::ControlModifier}}), "ID-004277",
                 true},
        EditCase{"PasteWithShiftInsert", false, "EditID",
                 PasteKeys("9", {{Qt::Key_Insert, Qt::ShiftModifier}}), "ID-00429", true},
        EditCase{"UndoOfADeletion", false, "EditLastName",
                 Keys({{Qt::Key_Backspace}, {Qt::Key_Z, Qt::ControlModifier}}), "Johnson", true},
        EditCase{"Enter", false, "EditLastName", Keys({{Qt::Key_Return}, {Qt::Key_Enter}}),
                 "Johnson", false},
        EditCase{"CursorKeys", false, "EditLastName",
                 Keys({{Qt::Key_Left},
                       {Qt::Key_Home},
                       {Qt::Key_Right},
                       {Qt::Key_End},
                       {Qt::Key_Left, Qt::ShiftModifier}}),
                 "Johnson", false},
        EditCase{"SameLetterTypedOverItself", false, "EditLastName",
                 Keys({{Qt::Key_End}, {Qt::Key_Left, Qt::ShiftModifier}, {Qt::Key_N}}), "Johnson",
                 false},
        EditCase{"CopyOnly", false, "EditLastName",
                 Keys({kSelectAll, {Qt::Key_C, Qt::ControlModifier}}), "Johnson", false},
        EditCase{"LetterAFullBoxRefuses", false, "EditMI", Keys({{Qt::Key_End}, {Qt::Key_X}}), "Q",
                 false},
        EditCase{"CharacterTheRecordCannotHold", false, "EditLastName",
                 Characters(QString::fromUtf8("☃")), "Johnson", false},
        EditCase{"DeleteAtTheEnd", false, "EditDOB", Keys({{Qt::Key_End}, {Qt::Key_Delete}}),
                 "01/02/1950", false},
        // The memo.
        EditCase{"MemoLineBreak", false, "CommentsMemo",
                 Keys({{Qt::Key_End, Qt::ControlModifier}, {Qt::Key_Return}}),
                 "First line.\nSecond line.\n", true},
        EditCase{"MemoDelete", false, "CommentsMemo",
                 Keys({{Qt::Key_Home, Qt::ControlModifier}, {Qt::Key_Delete}}),
                 "irst line.\nSecond line.", true},
        EditCase{
            "MemoCutAndPasteBack", false, "CommentsMemo",
            Keys({kSelectAll, {Qt::Key_X, Qt::ControlModifier}, {Qt::Key_V, Qt::ControlModifier}}),
            "First line.\nSecond line.", true},
        EditCase{"MemoCursorKeys", false, "CommentsMemo",
                 Keys({{Qt::Key_Down}, {Qt::Key_Up}, {Qt::Key_End, Qt::ControlModifier}}),
                 "First line.\nSecond line.", false},
        // The experience options: condition 1 holds option 3, condition 2 option 4.
        EditCase{"ArrowMovesTheCheck", false, "RadioHAE1Option3", Keys({{Qt::Key_Down}}),
                 "RadioHAE1Option4", true},
        EditCase{"ArrowUpMovesTheCheck", false, "RadioHAE2Option4", Keys({{Qt::Key_Up}}),
                 "RadioHAE2Option3", true},
        // Focus on an unchecked option (a click that was refused, a record loaded since): the
        // arrow moves the check with the focus, so the ring never stands apart from the check.
        EditCase{"ArrowFromAnUncheckedOptionMovesTheCheck", false, "RadioHAE2Option1",
                 Keys({{Qt::Key_Down}}), "RadioHAE2Option2", true},
        EditCase{"SpaceChecksTheFocusedOption", false, "RadioHAE2Option1", Keys({{Qt::Key_Space}}),
                 "RadioHAE2Option1", true},
        EditCase{"ClickOnTheCheckedOption", false, "RadioHAE1Option3", Click(Qt::LeftButton),
                 "RadioHAE1Option3", false},
        EditCase{"ClickOnAnotherOption", false, "RadioHAE1Option1", Click(Qt::LeftButton),
                 "RadioHAE1Option1", true},
        EditCase{"RightClickOnAnotherOption", false, "RadioHAE1Option1", Click(Qt::RightButton),
                 "RadioHAE1Option3", false},
        // The lists.
        EditCase{"ListPickWithTheKeyboard", false, "ComboEars1", Keys({{Qt::Key_Down}}), "Left",
                 true},
        EditCase{"ListPickOfAnotherEntry", false, "ComboCoupling2", PopupPick("Other"), "Other",
                 true},
        EditCase{"ListPickOfTheShownEntry", false, "ComboCoupling2", PopupPick("Vented"), "Vented",
                 false},
        EditCase{"ListBackspace", false, "ComboGender", Keys({{Qt::Key_End}, {Qt::Key_Backspace}}),
                 "", true},
        EditCase{"ListEnter", false, "ComboEars2", Keys({{Qt::Key_Return}}), "Left", false},
        // The entry page.
        EditCase{"LetterClick", true, "Letter1_2_D", Click(Qt::LeftButton), "down", true},
        EditCase{"LetterRightClick", true, "Letter1_2_D", Click(Qt::RightButton), "up", false},
        EditCase{"LetterMiddleClick", true, "Letter1_2_D", Click(Qt::MiddleButton), "up", false},
        EditCase{"ClickOnThePressedLetter", true, "Letter1_1_C", Click(Qt::LeftButton), "up", true},
        EditCase{"UseListPickWithTheKeyboard", true, "UseList1_1", Keys({{Qt::Key_Down}}),
                 "3 - 4 days", true},
        EditCase{"UseListPickOfTheShownEntry", true, "UseList1_1", PopupPick("1 - 2 days"),
                 "1 - 2 days", false},
        // Pick-only: a letter of no option is refused, a digit picks its option.
        EditCase{"UseListLetterOfNoOption", true, "UseList2_1", Keys({{Qt::Key_X}}), "", false},
        EditCase{"UseListDigitPicks", true, "UseList2_1", Keys({{Qt::Key_2}}), "1 - 2 days", true},
        EditCase{"UseListEnter", true, "UseList1_1", Keys({{Qt::Key_Return}}), "1 - 2 days",
                 false}),
    [](const auto& param) { return std::string(param.param.what); });

}  // namespace
}  // namespace kivo::test
