// A letter button: a flat checkable tool button that stands out when down and reports every
// mouse release over it.
#include "pages/entry/LetterButton.h"

#include <QMouseEvent>

namespace kivo::entry {

LetterButton::LetterButton(QWidget* parent, const QString& letter, const QString& tip,
                           QRect geometry)
    : QToolButton(parent) {
    setText(letter);
    setToolTip(tip);
    setGeometry(geometry);
    setCheckable(true);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    // A flat button that is down must stand out at a glance across 28 rows of answers.
    setStyleSheet(
        QStringLiteral("QToolButton:checked { background-color: #ffffff; color: #000080;"
                       " border: 2px solid #000080; border-radius: 2px; }"));
}

void LetterButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool over = rect().contains(event->position().toPoint());
    QToolButton::mouseReleaseEvent(event);
    if (over) emit UserAnswer();
}

}  // namespace kivo::entry
