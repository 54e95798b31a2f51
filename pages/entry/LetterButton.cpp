#include "LetterButton.h"

#include <QMouseEvent>

namespace kivo::entry {

TLetterButton::TLetterButton(QWidget* parent, const QString& letter, const QString& tip,
                             QRect geometry)
    : QToolButton(parent) {
    setText(letter);
    setToolTip(tip);
    setGeometry(geometry);
    setCheckable(true);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
}

void TLetterButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool over = rect().contains(event->position().toPoint());
    QToolButton::mouseReleaseEvent(event);
    if (over) emit MouseUp();
}

}  // namespace kivo::entry
