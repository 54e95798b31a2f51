// The drop-down list that leaves the mouse wheel to the page while its popup is closed.
#include "pages/widgets/WheelSafeComboBox.h"

#include <QAbstractItemView>
#include <QWheelEvent>

namespace kivo {

WheelSafeComboBox::WheelSafeComboBox(QWidget* parent) : QComboBox(parent) {
    // A wheel focus would let the wheel pull the focus onto the list on its way past.
    setFocusPolicy(Qt::StrongFocus);
}

void WheelSafeComboBox::wheelEvent(QWheelEvent* event) {
    if (view() != nullptr && view()->isVisible()) {
        QComboBox::wheelEvent(event);
        return;
    }
    // Ignored, the event goes on to the parents: over the entry page, the scroll box scrolls.
    event->ignore();
}

}  // namespace kivo
