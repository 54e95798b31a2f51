// The text boxes of the data entry pages and the way their text goes into a record field: the
// boxes accept only what a Windows-1252 field can hold and report every edit the user makes.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QValidator>
#include <span>

class QComboBox;

namespace kivo::entry {

// Stores `text` with its NUL at the start of `field`, cut to the field's width less one.
// Characters that Windows-1252 cannot hold (the controls refuse them) are left out. Text the
// field already holds (the control shows it as loaded) leaves the field byte for byte as it
// is, a field filled to its width without a NUL included.
void StoreFieldText(std::span<char> field, const QString& text);

// Refuses any text holding a character that cannot be stored in the record.
class RecordTextValidator final : public QValidator {
public:
    explicit RecordTextValidator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
};

// What a paste keeps of the text it was given.
struct PastedText {
    QString kept;
    // The characters left out because the record cannot hold them, each once, in the order
    // met, separated by blanks (an invisible one as U+XXXX).
    QString refused;
};

// Pasted text as a record box takes it: characters that Windows-1252 cannot hold (and NULs)
// are left out. In a one-line box every line break (CR LF counting once) and every tab becomes
// one blank; in the memo line breaks become '\n'.
PastedText CleanPastedText(QStringView text, bool oneLine);

// The status bar note on a paste: which characters were left out and how many did not fit;
// empty when the whole paste was taken.
QString PasteNote(const QString& refused, qsizetype notFitting);

// A one-line edit box of the data entry pages: MS Sans Serif 13 px on white, a length limit,
// and only characters the record can hold. UserEdit() is emitted whenever the user changes the
// text (typing, Delete, Backspace, cut, paste, drag and drop, undo), never for keys or clicks
// that leave it as it was. A paste is cleaned as CleanPastedText says and what it left out is
// said in the status bar.
class RecordLineEdit final : public QLineEdit {
    Q_OBJECT
public:
    RecordLineEdit(QWidget* parent, const QString& name, QRect geometry, int maxLength);
    // The edit field of an editable list, in the list's font and colours, completing typed
    // text inline from the list's items as Qt's own field does. The completer is given the
    // items at the field's first focus or key: made with them, it costs as much as the field.
    explicit RecordLineEdit(QComboBox* list);

    // Shows a record field's text whole: a field another program filled to its width holds
    // one character more than the box lets the user type, so the limit grows to fit it (and
    // goes back for a shorter text).
    void ShowText(const QString& text);

signals:
    void UserEdit();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void WatchEdits();
    // Inserts `text` at the cursor as a paste does, over the selection.
    void PasteText(const QString& text);

    // The text as it stood before the latest change.
    QString shownText_;
    // The limit on what the user types, once ShowText has first been called; -1 before.
    int typingLimit_ = -1;
};

// The comments memo: wraps long lines, no scroll bars, at most `limit` characters with a line
// break counting as two (it is stored as CR LF), only characters the record can hold, Tab
// moves the focus. UserEdit() and pastes as for RecordLineEdit, line breaks kept.
class RecordMemo final : public QPlainTextEdit {
    Q_OBJECT
public:
    RecordMemo(QWidget* parent, const QString& name, QRect geometry, int limit);

    // The text with line breaks as CR LF, and back. Until the user changes it the text is the
    // one given, character for character (a lone CR or LF, a non-breaking space).
    QString RecordText() const;
    void SetRecordText(const QString& crlfText);
    // The text as shown, line breaks as '\n', every other character as it is.
    QString ShownText() const;
    // Length as stored: a line break counts as two.
    static int StoredLength(QStringView text);

signals:
    void UserEdit();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Room left for inserting, the selection being replaced.
    int Room() const;

    int limit_;
    // The text as it stood before the latest change.
    QString shownText_;
    // The text SetRecordText was given, and how it was shown.
    QString givenText_;
    QString givenShown_;
};

}  // namespace kivo::entry
