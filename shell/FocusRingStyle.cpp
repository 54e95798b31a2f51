// The focus ring of the program's style.
#include "shell/FocusRingStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace kivo {

FocusRingStyle::FocusRingStyle() : QProxyStyle(QApplication::style()->name()) {}

void FocusRingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    constexpr int kWidth = 2;
    const QColor colour = option->palette.color(QPalette::Active, QPalette::Highlight);
    const QRect r = option->rect;
    painter->save();
    painter->fillRect(QRect(r.left(), r.top(), r.width(), kWidth), colour);
    painter->fillRect(QRect(r.left(), r.bottom() - kWidth + 1, r.width(), kWidth), colour);
    painter->fillRect(QRect(r.left(), r.top(), kWidth, r.height()), colour);
    painter->fillRect(QRect(r.right() - kWidth + 1, r.top(), kWidth, r.height()), colour);
    painter->restore();
}

void InstallFocusRingStyle() {
    QApplication::setStyle(new FocusRingStyle);
}

}  // namespace kivo
