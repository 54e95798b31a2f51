// The Tab stop and the arrow keys of an option group.
#include "pages/widgets/OptionGroupKeys.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QKeyEvent>
#include <algorithm>

namespace kivo {

OptionGroupKeys::OptionGroupKeys(QButtonGroup& group) : QObject(&group), group_(group) {
    for (QAbstractButton* button : group.buttons()) button->installEventFilter(this);
    connect(&group, &QButtonGroup::buttonToggled, this, [this] { UpdateTabStop(); });
    UpdateTabStop();
}

void OptionGroupKeys::UpdateTabStop() {
    const QList<QAbstractButton*> buttons = group_.buttons();
    if (buttons.isEmpty()) return;
    QAbstractButton* stop = group_.checkedButton();
    if (stop == nullptr) stop = buttons.front();
    for (QAbstractButton* button : buttons)
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool OptionGroupKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    int step = 0;
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            step = -1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            step = 1;
            break;
        default:
            return false;
    }
    const QList<QAbstractButton*> buttons = group_.buttons();
    const auto at = buttons.indexOf(qobject_cast<QAbstractButton*>(watched));
    if (at < 0) return false;
    const auto target = std::clamp<qsizetype>(at + step, 0, buttons.size() - 1);
    QAbstractButton* next = buttons[target];
    // The focused option is checked too: after a load it may be the unchecked first one.
    next->setChecked(true);
    next->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return true;
}

}  // namespace kivo
