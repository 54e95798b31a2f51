// Pasting and dropping text into the boxes of the demographics page: line breaks and tabs
// of a one-line box become blanks, characters a client file cannot hold are left out and named
// in the status bar, what does not fit is counted there; the saved file holds what the box shows.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <functional>
#include <ostream>

#include "tests/pages/entry/EntryFixture.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

// How the text reaches the box.
enum class Route { CtrlV, ShiftInsert, ContextMenu, Drop };

const char* RouteName(Route route) {
    switch (route) {
        case Route::CtrlV:
            return "CtrlV";
        case Route::ShiftInsert:
            return "ShiftInsert";
        case Route::ContextMenu:
            return "ContextMenu";
        case Route::Drop:
            return "Drop";
    }
    return "";
}

// Names the route in ctest's listing instead of its bytes.
void PrintTo(Route route, std::ostream* out) {
    *out << RouteName(route);
}

// Drops `text` from another program onto the middle of `target`.
void DropText(QWidget* target, const QString& text) {
    QMimeData data;
    data.setText(text);
    const QPointF at = QRectF(target->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

// Opens the box's own context menu and triggers its Paste.
void PasteFromContextMenu(QWidget* box) {
    const QPoint at = box->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->mapToGlobal(at));
    QApplication::sendEvent(box, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "no context menu";
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QStringLiteral("&Paste"))) paste = action;
    }
    ASSERT_NE(paste, nullptr) << "no Paste in the context menu";
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    menu->close();
}

// Pastes as the user does: keys go to the focused box (a list hands them to its text field),
// the pointer acts on the widget under it (a list's text field, the memo's viewport).
void Paste(Route route, QWidget* box, const QString& text) {
    QWidget* under = box;
    if (auto* list = qobject_cast<QComboBox*>(box)) under = list->lineEdit();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(box)) under = memo->viewport();
    switch (route) {
        case Route::CtrlV:
            QApplication::clipboard()->setText(text);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            break;
        case Route::ShiftInsert:
            QApplication::clipboard()->setText(text);
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case Route::ContextMenu:
            QApplication::clipboard()->setText(text);
            PasteFromContextMenu(under);
            break;
        case Route::Drop:
            DropText(under, text);
            break;
    }
}

struct PasteCase {
    const char* what;
    const char* box;
    const char* pasted;  // UTF-8
    const char* shown;   // what the box shows afterwards, UTF-8
    const char* stored;  // the field's bytes in the saved file, Windows-1252
    const char* note;    // the status bar's first panel, UTF-8
};

void PrintTo(const PasteCase& c, std::ostream* out) {
    *out << c.what;
}

// A client with every text field empty, so a paste fills a box from its start.
ClientRecord EmptyClient() {
    return ClientBuilder().Form(kShortFormA).Build();
}

class Pasting : public EntryPagesTest,
                public ::testing::WithParamInterface<std::tuple<PasteCase, Route>> {};

TEST_P(Pasting, KeepsWhatARecordFieldCanHoldAndSaysWhatItLeftOut) {
    const auto& [c, route] = GetParam();
    StartWith(EmptyClient());
    QApplication::setActiveWindow(main_.get());
    auto* box = Demo<QWidget>(c.box);
    ASSERT_NE(box, nullptr) << c.box;
    if (route == Route::ContextMenu && qobject_cast<QComboBox*>(box) != nullptr) {
        // A list's text field has no context menu to paste from.
        EXPECT_EQ(qobject_cast<QComboBox*>(box)->lineEdit()->contextMenuPolicy(),
                  Qt::NoContextMenu);
        return;
    }
    box->setFocus(Qt::OtherFocusReason);
    Paste(route, box, QString::fromUtf8(c.pasted));
    Flush();

    QString shown;
    if (auto* memo = qobject_cast<QPlainTextEdit*>(box)) {
        shown = memo->toPlainText();
    } else if (auto* list = qobject_cast<QComboBox*>(box)) {
        shown = list->currentText();
    } else {
        shown = qobject_cast<QLineEdit*>(box)->text();
    }
    EXPECT_EQ(shown.toStdString(), c.shown);
    EXPECT_EQ(main_->StatusPanelText(0).toStdString(), c.note);
    // Every box starts empty: whatever the paste kept is a change.
    const bool changed = !shown.isEmpty();
    EXPECT_EQ(FileModified(), changed);
    EXPECT_EQ(ModifiedShown(), changed);

    // Saved while the page is visible: the bytes on disk are what the box shows.
    script_->files.push_back(Path("pasted.KVO"));
    test::TriggerAction(*main_, "actionSave");
    QFile file(Path("pasted.KVO"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 552);
    EXPECT_EQ(main_->StatusPanelText(0), "");  // the note went with the saved work
    const struct {
        const char* name;
        std::size_t offset, width;
    } fields[] = {
        {"EditLastName", offsetof(ClientRecord, LastName), sizeof(ClientRecord::LastName)},
        {"EditMI", offsetof(ClientRecord, MiddleInitial), sizeof(ClientRecord::MiddleInitial)},
        {"ComboCoupling1", offsetof(ClientRecord, Coupling1), sizeof(ClientRecord::Coupling1)},
        {"CommentsMemo", offsetof(ClientRecord, Comments), sizeof(ClientRecord::Comments)}};
    for (const auto& field : fields) {
        if (std::string_view(field.name) != c.box) continue;
        const QByteArray stored =
            bytes.mid(static_cast<qsizetype>(field.offset), static_cast<qsizetype>(field.width));
        EXPECT_EQ(stored,
                  QByteArray(c.stored) + QByteArray(field.width - std::strlen(c.stored), '\0'));
    }
}

const PasteCase kPasteCases[] = {
    {"LineBreak", "EditLastName", "Ann\nMarie", "Ann Marie", "Ann Marie", ""},
    {"CrLfCountsOnce", "EditLastName", "Ann\r\nMarie", "Ann Marie", "Ann Marie", ""},
    {"TabsAndOtherBreaks", "EditLastName", "A\tB\rC\u2028D", "A B C D", "A B C D", ""},
    {"Windows1252Kept", "EditLastName", "Zoë 5€", "Zoë 5€", "Zo\xEB 5\x80", ""},
    {"UnheldCharactersLeftOut", "EditLastName", "Zoë☃✓☃", "Zoë", "Zo\xEB",
     "Not pasted: characters that a client file cannot hold: ☃ ✓"},
    {"CharacterOutsideTheBasicPlane", "EditLastName", "A😀B", "AB", "AB",
     "Not pasted: characters that a client file cannot hold: 😀"},
    {"NothingHeld", "EditLastName", "☃", "", "",
     "Not pasted: characters that a client file cannot hold: ☃"},
    {"TooLongForTheBox", "EditMI", "XYZ", "X", "X",
     "Not pasted: 2 characters that do not fit in the box"},
    {"ListTextField", "ComboCoupling1", "Open\r\n☃dome", "Open dome", "Open dome",
     "Not pasted: characters that a client file cannot hold: ☃"},
    {"MemoKeepsLineBreaks", "CommentsMemo", "one\r\ntwo\nthree\tfour☃", "one\ntwo\nthree\tfour",
     "one\r\ntwo\r\nthree\tfour", "Not pasted: characters that a client file cannot hold: ☃"},
};

INSTANTIATE_TEST_SUITE_P(Texts, Pasting,
                         ::testing::Combine(::testing::ValuesIn(kPasteCases),
                                            ::testing::Values(Route::CtrlV, Route::ShiftInsert,
                                                              Route::ContextMenu, Route::Drop)),
                         [](const auto& param) {
                             return std::string(std::get<0>(param.param).what) + "_" +
                                    RouteName(std::get<1>(param.param));
                         });

}  // namespace
}  // namespace kivo::test
