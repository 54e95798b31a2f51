// The text boxes of the data entry pages and the way their text goes into a record field: the
// boxes accept only what a Windows-1252 field can hold and report every edit the user makes.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QValidator>
#include <span>

class QKeyEvent;

namespace kivo::entry {

// Stores `text` with its NUL at the start of `field`, cut to the field's width less one.
// Characters that Windows-1252 cannot hold (the controls refuse them) are left out.
void StoreFieldText(std::span<char> field, const QString& text);

// Refuses any text holding a character that cannot be stored in the record.
class RecordTextValidator final : public QValidator {
public:
    explicit RecordTextValidator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
};

// A one-line edit box of the data entry pages: MS Sans Serif 13 px on white, a length limit,
// and only characters the record can hold. UserEdit() is emitted for every character typed
// (also one the box refuses because it is full) and for changes made without the keyboard
// (context menu, drag and drop); keys that type nothing (arrows, Delete) emit nothing.
class RecordLineEdit final : public QLineEdit {
    Q_OBJECT
public:
    RecordLineEdit(QWidget* parent, const QString& name, QRect geometry, int maxLength);

signals:
    void UserEdit();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool inKeyPress_ = false;
};

// The comments memo: wraps long lines, no scroll bars, at most `limit` characters with a line
// break counting as two (it is stored as CR LF), only characters the record can hold, Tab
// moves the focus. UserEdit() as for RecordLineEdit.
class RecordMemo final : public QPlainTextEdit {
    Q_OBJECT
public:
    RecordMemo(QWidget* parent, const QString& name, QRect geometry, int limit);

    // The text with line breaks as CR LF, and back.
    QString RecordText() const;
    void SetRecordText(const QString& crlfText);
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
    bool inKeyPress_ = false;
};

// True for a key press that types a character into a box (letters, digits, blanks,
// Backspace, Enter, control characters); false for keys that type nothing (arrows, Delete,
// function keys) and for Tab and Escape, which the page takes for itself.
bool TypesCharacter(const QKeyEvent& event);

}  // namespace kivo::entry
