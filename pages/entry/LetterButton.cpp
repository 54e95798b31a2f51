// A letter button: a flat checkable tool button that stands out when down, and takes a
// double-click as one answer.
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
    // A flat button that is down must stand out at a glance across 28 rows of answers, on a
    // monochrome display too and to a user who cannot tell colours apart: a dark filled block
    // with a thick black frame and its letter white and bold, not a hue alone.
    setStyleSheet(
        QStringLiteral("QToolButton:checked { background-color: #000080; color: #ffffff;"
                       " font-weight: bold; border: 3px solid #000000; border-radius: 2px; }"));
}

void LetterButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A button takes the second press of a double-click as another click, which would raise
    // the letter the first one pressed. The user meant this letter: it ends down.
    if (event->button() != Qt::LeftButton) {
        QToolButton::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    if (!isChecked()) click();
}

}  // namespace kivo::entry
