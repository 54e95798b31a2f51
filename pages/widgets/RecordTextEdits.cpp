// The record text boxes: what they accept, how they report edits and pastes, and how their text
// is stored into a record field without ever splitting a CR LF line break.
#include "pages/widgets/RecordTextEdits.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <string>

#include "drawing/RecordText.h"
#include "model/ClientRecord.h"
#include "pages/widgets/FixedLayout.h"
#include "shell/StatusMessage.h"

namespace kivo::entry {
namespace {

bool IsLineBreak(QChar c) {
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Any character that ends a line in text from another program: CR, LF, VT, FF, NEL and the
// two Unicode separators.
bool EndsLine(QChar c) {
    return c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' || c == QChar(0x85) ||
           c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Line breaks of any platform as '\n'.
QString WithLfBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// One character as the note names it: itself when it can be seen, U+XXXX otherwise.
QString NamedCharacter(QStringView character) {
    const QList<uint> points = character.toUcs4();
    const char32_t point = points.isEmpty() ? 0 : points.front();
    const bool visible = points.size() == 1 && QChar::isPrint(point) && !QChar::isSpace(point);
    if (visible) return character.toString();
    return QStringLiteral("U+%1").arg(static_cast<uint>(point), 4, 16, QLatin1Char('0')).toUpper();
}

void ShowPasteNote(const QString& refused, qsizetype notFitting) {
    ShowStatusMessage(PasteNote(refused, notFitting));
}

}  // namespace

void StoreFieldText(std::span<char> field, const QString& text) {
    if (field.empty() || drawing::RecordText(field) == text) return;
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

PastedText CleanPastedText(QStringView text, bool oneLine) {
    PastedText pasted;
    QStringList refused;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (EndsLine(c)) {
            // CR LF is one line break.
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            pasted.kept += oneLine ? u' ' : u'\n';
            continue;
        }
        if (oneLine && c == u'\t') {
            pasted.kept += u' ';
            continue;
        }
        const qsizetype length =
            c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = text.mid(i, length);
        if (drawing::FitsCp1252(character)) {
            pasted.kept += c;
        } else {
            const QString name = NamedCharacter(character);
            if (!refused.contains(name)) refused << name;
        }
        i += length - 1;
    }
    pasted.refused = refused.join(u' ');
    return pasted;
}

QString PasteNote(const QString& refused, qsizetype notFitting) {
    QStringList parts;
    if (!refused.isEmpty()) {
        parts << QStringLiteral("characters that a client file cannot hold: ") + refused;
    }
    if (notFitting > 0) {
        parts << (notFitting == 1
                      ? QStringLiteral("1 character that does not fit in the box")
                      : QStringLiteral("%1 characters that do not fit in the box").arg(notFitting));
    }
    if (parts.isEmpty()) return {};
    return QStringLiteral("Not pasted: ") + parts.join(QStringLiteral("; "));
}

// --- RecordLineEdit ---------------------------------------------------------------------

RecordLineEdit::RecordLineEdit(QWidget* parent, const QString& name, QRect geometry, int maxLength)
    : QLineEdit(parent) {
    setObjectName(name);
    setGeometry(geometry);
    ApplyFont(*this, PixelFont(13));
    setMaxLength(maxLength);
    setValidator(new RecordTextValidator(this));
    WatchEdits();
}

RecordLineEdit::RecordLineEdit(QComboBox* list) : QLineEdit(list) {
    // As the list makes its own edit field and its completer.
    setPalette(list->palette());
    auto* completer = new QCompleter(this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    completer->setCompletionColumn(list->modelColumn());
    setCompleter(completer);
    WatchEdits();
}

bool RecordLineEdit::event(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::KeyPress || type == QEvent::InputMethod) {
        auto* list = qobject_cast<QComboBox*>(parentWidget());
        if (list != nullptr && completer() != nullptr && completer()->model() == nullptr) {
            completer()->setModel(list->model());
        }
    }
    return QLineEdit::event(event);
}

void RecordLineEdit::WatchEdits() {
    // textEdited comes before textChanged: shownText_ still holds the text before the edit.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text != shownText_) emit UserEdit();
    });
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { shownText_ = text; });
}

void RecordLineEdit::ShowText(const QString& text) {
    if (typingLimit_ < 0) typingLimit_ = maxLength();
    setMaxLength(std::max(typingLimit_, static_cast<int>(text.size())));
    setText(text);
}

void RecordLineEdit::PasteText(const QString& text) {
    const PastedText pasted = CleanPastedText(text, true);
    const qsizetype room = maxLength() - this->text().size() + selectedText().size();
    const qsizetype notFitting = std::max<qsizetype>(0, pasted.kept.size() - room);
    if (!pasted.kept.isEmpty() && !isReadOnly()) insert(pasted.kept);
    ShowPasteNote(pasted.refused, notFitting);
}

void RecordLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        PasteText(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void RecordLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The box's own menu, with its Paste going the way of every other paste. The Paste item
    // is the one wired to QLineEdit::paste; Qt wires it by name (the only reason for the
    // SIGNAL/SLOT form here) or, in other versions, by function pointer.
    QPointer<QMenu> menu = createStandardContextMenu();
    if (menu.isNull()) return;
    for (QAction* action : menu->actions()) {
        const bool paste = disconnect(action, &QAction::triggered, this, &QLineEdit::paste) ||
                           disconnect(action, SIGNAL(triggered()), this, SLOT(paste()));
        if (!paste) continue;
        connect(action, &QAction::triggered, this,
                [this] { PasteText(QGuiApplication::clipboard()->text()); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void RecordLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection where the window system has one.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        deselect();
        PasteText(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void RecordLineEdit::dropEvent(QDropEvent* event) {
    const QMimeData* source = event->mimeData();
    if (source == nullptr || !source->hasText() || isReadOnly()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const PastedText pasted = CleanPastedText(source->text(), true);
    const qsizetype room = maxLength() - text().size();
    QMimeData cleaned;
    cleaned.setText(pasted.kept);
    QDropEvent drop(event->position(), event->possibleActions(), &cleaned, event->buttons(),
                    event->modifiers(), event->type());
    drop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&drop);
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
    ShowPasteNote(pasted.refused, std::max<qsizetype>(0, pasted.kept.size() - room));
}

// --- RecordMemo ---------------------------------------------------------------------

RecordMemo::RecordMemo(QWidget* parent, const QString& name, QRect geometry, int limit)
    : QPlainTextEdit(parent), limit_(limit) {
    setObjectName(name);
    setGeometry(geometry);
    ApplyFont(*this, PixelFont(13));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    // The document reports changes that leave the text as it was (a character typed over
    // the same one): only a different text is an edit.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (signalsBlocked()) return;
        QString text = ShownText();
        if (text == shownText_) return;
        shownText_ = std::move(text);
        emit UserEdit();
    });
}

int RecordMemo::StoredLength(QStringView text) {
    int length = 0;
    for (const QChar c : text) length += IsLineBreak(c) ? 2 : 1;
    return length;
}

QString RecordMemo::ShownText() const {
    // Not toPlainText(): it turns non-breaking spaces into spaces.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

QString RecordMemo::RecordText() const {
    QString text = ShownText();
    if (text == givenShown_) return givenText_;
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void RecordMemo::SetRecordText(const QString& crlfText) {
    const QSignalBlocker quiet(this);
    setPlainText(WithLfBreaks(crlfText));
    shownText_ = ShownText();
    givenText_ = crlfText;
    givenShown_ = shownText_;
}

int RecordMemo::Room() const {
    const QString selected = textCursor().selectedText();
    return limit_ - StoredLength(ShownText()) + StoredLength(selected);
}

void RecordMemo::keyPressEvent(QKeyEvent* event) {
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
    QPlainTextEdit::keyPressEvent(event);
}

bool RecordMemo::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void RecordMemo::insertFromMimeData(const QMimeData* source) {
    const PastedText pasted = CleanPastedText(source->text(), false);
    const QString& text = pasted.kept;
    int room = Room();
    qsizetype keep = 0;
    while (keep < text.size() && StoredLength(QStringView(text).mid(keep, 1)) <= room) {
        room -= StoredLength(QStringView(text).mid(keep, 1));
        ++keep;
    }
    if (keep > 0) insertPlainText(text.left(keep));
    ShowPasteNote(pasted.refused, text.size() - keep);
}

}  // namespace kivo::entry
