// The focus ring of the program's style.
#include "shell/FocusRingStyle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace kivo {
namespace {

constexpr int kRingWidth = 2;

bool IsButton(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) != nullptr;
}

// A solid frame of kRingWidth inside `r`.
void DrawRing(QPainter& painter, const QRect& r, const QColor& colour) {
    painter.save();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), kRingWidth), colour);
    painter.fillRect(QRect(r.left(), r.bottom() - kRingWidth + 1, r.width(), kRingWidth), colour);
    painter.fillRect(QRect(r.left(), r.top(), kRingWidth, r.height()), colour);
    painter.fillRect(QRect(r.right() - kRingWidth + 1, r.top(), kRingWidth, r.height()), colour);
    painter.restore();
}

void DrawRingIfFocused(QPainter* painter, const QStyleOption* option, int inset) {
    if ((option->state & QStyle::State_HasFocus) == 0) return;
    DrawRing(*painter, option->rect.adjusted(inset, inset, -inset, -inset),
             option->palette.color(QPalette::Active, QPalette::Highlight));
}

}  // namespace

FocusRingStyle::FocusRingStyle() : QProxyStyle(QApplication::style()->name()) {}

void FocusRingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    // Buttons get their ring round the whole control (drawControl); elsewhere the styles'
    // own faint rectangle becomes a solid one.
    if (element == PE_FrameFocusRect) {
        if (!IsButton(widget)) DrawRingIfFocused(painter, option, 0);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusRingStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton) DrawRingIfFocused(painter, option, 2);
    if (element == CE_RadioButton || element == CE_CheckBox) DrawRingIfFocused(painter, option, 0);
}

void FocusRingStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ToolButton) DrawRingIfFocused(painter, option, 0);
}

void InstallFocusRingStyle() {
    QApplication::setStyle(new FocusRingStyle);
}

}  // namespace kivo
