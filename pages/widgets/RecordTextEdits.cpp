// The record text boxes: what they accept, how they report edits, and how their text is
// stored into a record field without ever splitting a CR LF line break.
#include "pages/widgets/RecordTextEdits.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <string>

#include "drawing/RecordText.h"
#include "model/ClientRecord.h"
#include "pages/widgets/FixedLayout.h"

namespace kivo::entry {
namespace {

bool IsLineBreak(QChar c) {
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Line breaks of any platform as '\n'.
QString WithLfBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

}  // namespace

void StoreFieldText(std::span<char> field, const QString& text) {
    if (field.empty()) return;
    std::string bytes = drawing::ToCp1252(text);
    if (bytes.size() > field.size() - 1) {
        bytes.resize(field.size() - 1);
        // Never leave half of a CR LF line break at the end.
        if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    }
    WriteFieldBytes(field, bytes);
}

QValidator::State RecordTextValidator::validate(QString& input, int& /*pos*/) const {
    return drawing::FitsCp1252(input) ? Acceptable : Invalid;
}

bool TypesCharacter(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) return false;
    switch (event.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Delete:
            return false;
        default:
            return text != QStringLiteral("\x7f");
    }
}

// --- RecordLineEdit ---------------------------------------------------------------------

RecordLineEdit::RecordLineEdit(QWidget* parent, const QString& name, QRect geometry, int maxLength)
    : QLineEdit(parent) {
    setObjectName(name);
    setGeometry(geometry);
    setFont(PixelFont(13));
    setMaxLength(maxLength);
    setValidator(new RecordTextValidator(this));
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!inKeyPress_) emit UserEdit();
    });
}

void RecordLineEdit::keyPressEvent(QKeyEvent* event) {
    if (TypesCharacter(*event)) emit UserEdit();
    inKeyPress_ = true;
    QLineEdit::keyPressEvent(event);
    inKeyPress_ = false;
}

// --- RecordMemo ---------------------------------------------------------------------

RecordMemo::RecordMemo(QWidget* parent, const QString& name, QRect geometry, int limit)
    : QPlainTextEdit(parent), limit_(limit) {
    setObjectName(name);
    setGeometry(geometry);
    setFont(PixelFont(13));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!inKeyPress_ && !signalsBlocked()) emit UserEdit();
    });
}

int RecordMemo::StoredLength(QStringView text) {
    int length = 0;
    for (const QChar c : text) length += IsLineBreak(c) ? 2 : 1;
    return length;
}

QString RecordMemo::RecordText() const {
    QString text = toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void RecordMemo::SetRecordText(const QString& crlfText) {
    const QSignalBlocker quiet(this);
    setPlainText(WithLfBreaks(crlfText));
}

int RecordMemo::Room() const {
    const QString selected = textCursor().selectedText();
    return limit_ - StoredLength(toPlainText()) + StoredLength(selected);
}

void RecordMemo::keyPressEvent(QKeyEvent* event) {
    if (TypesCharacter(*event)) emit UserEdit();
    const QString text = event->text();
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool printable = !text.isEmpty() && text.front().isPrint();
    if (lineBreak || printable) {
        const int needed = lineBreak ? 2 : StoredLength(text);
        if ((printable && !drawing::FitsCp1252(text)) || needed > Room()) {
            event->accept();  // refused: full, or a character the record cannot hold
            return;
        }
    }
    inKeyPress_ = true;
    QPlainTextEdit::keyPressEvent(event);
    inKeyPress_ = false;
}

bool RecordMemo::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void RecordMemo::insertFromMimeData(const QMimeData* source) {
    const QString text = WithLfBreaks(source->text());
    if (!drawing::FitsCp1252(text)) return;
    int room = Room();
    qsizetype keep = 0;
    while (keep < text.size() && StoredLength(QStringView(text).mid(keep, 1)) <= room) {
        room -= StoredLength(QStringView(text).mid(keep, 1));
        ++keep;
    }
    if (keep == 0) return;
    insertPlainText(text.left(keep));
}

}  // namespace kivo::entry
