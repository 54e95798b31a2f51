#include "pages/widgets/EntryControls.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPalette>
#include <QStyledItemDelegate>
#include <QTextCursor>
#include <string>

#include "model/ClientRecord.h"
#include "model/Cp1252.h"

namespace kivo::entry {
namespace {

// List rows of a fixed height.
class RowHeightDelegate final : public QStyledItemDelegate {
public:
    RowHeightDelegate(int height, QObject* parent)
        : QStyledItemDelegate(parent), Height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), Height_};
    }

private:
    int Height_;
};

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

QFont WinFont(int pixelHeight, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

void SetBackground(QWidget& widget, unsigned rgb) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(rgb));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void SetTextColour(QWidget& widget, unsigned rgb) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(rgb));
    palette.setColor(QPalette::Text, QColor::fromRgb(rgb));
    widget.setPalette(palette);
}

QLabel* PlaceLabel(QWidget* parent, const QString& name, const QString& text, QPoint at,
                   const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->adjustSize();
    label->move(at);
    return label;
}

bool FitsRecord(QStringView text) {
    for (const QChar c : text) {
        if (c.isNull() || c.isSurrogate() || !CodePointToCp1252(c.unicode())) return false;
    }
    return true;
}

QString FieldText(std::span<const char> field) {
    return QString::fromStdString(ReadTextField(field));
}

void StoreFieldText(std::span<char> field, const QString& text) {
    if (field.empty()) return;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c.isNull() || c.isSurrogate()) continue;
        if (const auto byte = CodePointToCp1252(c.unicode()))
            bytes.push_back(static_cast<char>(*byte));
    }
    if (bytes.size() > field.size() - 1) {
        bytes.resize(field.size() - 1);
        // Never leave half of a CR LF line break at the end.
        if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    }
    WriteFieldBytes(field, bytes);
}

QValidator::State RecordTextValidator::validate(QString& input, int& /*pos*/) const {
    return FitsRecord(input) ? Acceptable : Invalid;
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
    setFont(WinFont(13));
    setMaxLength(maxLength);
    setValidator(new RecordTextValidator(this));
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!InKeyPress_) emit UserEdit();
    });
}

void RecordLineEdit::keyPressEvent(QKeyEvent* event) {
    if (TypesCharacter(*event)) emit UserEdit();
    InKeyPress_ = true;
    QLineEdit::keyPressEvent(event);
    InKeyPress_ = false;
}

// --- RecordMemo ---------------------------------------------------------------------

RecordMemo::RecordMemo(QWidget* parent, const QString& name, QRect geometry, int limit)
    : QPlainTextEdit(parent), Limit_(limit) {
    setObjectName(name);
    setGeometry(geometry);
    setFont(WinFont(13));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!InKeyPress_ && !signalsBlocked()) emit UserEdit();
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
    return Limit_ - StoredLength(toPlainText()) + StoredLength(selected);
}

void RecordMemo::keyPressEvent(QKeyEvent* event) {
    if (TypesCharacter(*event)) emit UserEdit();
    const QString text = event->text();
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool printable = !text.isEmpty() && text.front().isPrint();
    if (lineBreak || printable) {
        const int needed = lineBreak ? 2 : StoredLength(text);
        if ((printable && !FitsRecord(text)) || needed > Room()) {
            event->accept();  // refused: full, or a character the record cannot hold
            return;
        }
    }
    InKeyPress_ = true;
    QPlainTextEdit::keyPressEvent(event);
    InKeyPress_ = false;
}

bool RecordMemo::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void RecordMemo::insertFromMimeData(const QMimeData* source) {
    const QString text = WithLfBreaks(source->text());
    if (!FitsRecord(text)) return;
    int room = Room();
    qsizetype keep = 0;
    while (keep < text.size() && StoredLength(QStringView(text).mid(keep, 1)) <= room) {
        room -= StoredLength(QStringView(text).mid(keep, 1));
        ++keep;
    }
    if (keep == 0) return;
    insertPlainText(text.left(keep));
}

// --- Lists --------------------------------------------------------------------------

QComboBox* PlaceList(QWidget* parent, const QString& name, QRect geometry, const QStringList& items,
                     bool editable, int maxLength) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setItemDelegate(new RowHeightDelegate(16, list));
    list->addItems(items);
    if (editable) {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setValidator(new RecordTextValidator(list));
        if (maxLength > 0) list->lineEdit()->setMaxLength(maxLength);
    }
    list->setCurrentIndex(-1);
    return list;
}

}  // namespace kivo::entry
