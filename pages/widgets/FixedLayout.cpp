// The fixed-layout widget kit: every page and box places its widgets through these makers, so
// fonts, colours and label rules are decided in one place.
#include "pages/widgets/FixedLayout.h"

#include <QColor>
#include <QFrame>
#include <QLineEdit>
#include <QPalette>

#include "pages/widgets/RecordTextEdits.h"
#include "pages/widgets/WheelSafeComboBox.h"

namespace kivo {

QFont PixelFont(int pixelHeight, bool bold, const QString& family) {
    QFont font(family);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

void ApplyFont(QWidget& widget, const QFont& font) {
    if (widget.font() != font) widget.setFont(font);
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

QLabel* PlaceLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                   const LabelStyle& style) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    if (style.font) ApplyFont(*label, *style.font);
    label->setTextFormat(style.format);
    label->setText(text);
    if (geometry.isEmpty()) {
        label->adjustSize();
        label->move(geometry.topLeft());
    } else {
        label->setGeometry(geometry);
        label->setWordWrap(style.wordWrap);
        label->setAlignment(style.alignment);
    }
    return label;
}

void PlaceBevel(QWidget* parent, QRect geometry) {
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(QStringLiteral("Bevel"));
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(geometry);
}

QLabel* PlaceTitleLabel(QWidget* parent, QPoint at) {
    return PlaceLabel(parent, QStringLiteral("TitleLabel"), QStringLiteral("KIVO"), At(at),
                      {.font = PixelFont(24), .format = Qt::AutoText});
}

QWidget* PlacePanel(QWidget* parent, const QString& name, QRect geometry, unsigned rgb) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    SetBackground(*panel, rgb);
    return panel;
}

QComboBox* PlaceList(QWidget* parent, const QString& name, QRect geometry, const QStringList& items,
                     bool editable, int maxLength, const std::optional<QFont>& font) {
    auto* list = new WheelSafeComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->SetPopupRowHeight(16);
    list->addItems(items);
    if (editable) {
        // Typed and pasted text as in every other box of the pages.
        auto* edit = new entry::RecordLineEdit(list);
        list->setLineEdit(edit);
        // Connects the field's completer to the list, as the list does with one it makes.
        list->setCompleter(edit->completer());
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setValidator(new entry::RecordTextValidator(list));
        if (maxLength > 0) list->lineEdit()->setMaxLength(maxLength);
    }
    list->setCurrentIndex(-1);
    if (font) ApplyFont(*list, *font);
    return list;
}

QPushButton* PlaceButton(QWidget* parent, const QString& name, const QString& caption,
                         QRect geometry, const std::optional<QFont>& font, const QIcon& glyph) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    if (!glyph.isNull()) {
        button->setIcon(glyph);
        button->setIconSize(QSize(16, 16));
    }
    if (font) ApplyFont(*button, *font);
    return button;
}

}  // namespace kivo
