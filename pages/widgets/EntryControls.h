#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QValidator>
#include <span>

// Controls and helpers shared by the two data entry pages (demographics, response entry).
namespace kivo::entry {

// "MS Sans Serif" at a character height in pixels (the font map picks the installed family).
QFont WinFont(int pixelHeight, bool bold = false);

// Sets a widget's background (0xRRGGBB) and makes it paint it.
void SetBackground(QWidget& widget, unsigned rgb);
// Sets a widget's text colour (0xRRGGBB).
void SetTextColour(QWidget& widget, unsigned rgb);

// A plain-text label at `at` in `font` that sizes itself to its text.
QLabel* PlaceLabel(QWidget* parent, const QString& name, const QString& text, QPoint at,
                   const QFont& font);

// True when every character of `text` can be stored in a record text field (Windows-1252,
// no NUL).
bool FitsRecord(QStringView text);

// The text of a record field (Windows-1252, up to its first NUL or its width).
QString FieldText(std::span<const char> field);

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
    bool InKeyPress_ = false;
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

    int Limit_;
    bool InKeyPress_ = false;
};

// A drop-down list at a fixed place with `items` and 16 px item rows. Editable lists get the
// length limit (0: none) and refuse characters the record cannot hold; typed text never adds
// an item.
QComboBox* PlaceList(QWidget* parent, const QString& name, QRect geometry, const QStringList& items,
                     bool editable, int maxLength = 0);

// True for a key press that types a character into a box (letters, digits, blanks,
// Backspace, Enter, control characters); false for keys that type nothing (arrows, Delete,
// function keys) and for Tab and Escape, which the page takes for itself.
bool TypesCharacter(const QKeyEvent& event);

}  // namespace kivo::entry
