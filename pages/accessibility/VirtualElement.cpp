// Parts of a drawing reached as accessible objects, and the list that owns them.
#include "pages/accessibility/VirtualElement.h"

#include <QWindow>

namespace kivo {

QWindow* VirtualElement::window() const {
    return host_ ? host_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* VirtualElement::childAt(int x, int y) const {
    return ChildAtPoint(*this, x, y);
}

QRect VirtualElement::rect() const {
    if (!host_) return {};
    const QRect area = Area();
    return {host_->mapToGlobal(area.topLeft()), area.size()};
}

QAccessible::State VirtualElement::state() const {
    QAccessible::State state;
    state.readOnly = true;
    if (!host_ || !host_->isVisible()) state.invisible = true;
    return state;
}

ElementList::~ElementList() {
    for (QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* ElementList::At(int index,
                                      const std::function<QAccessibleInterface*(int)>& make) {
    if (index < 0) return nullptr;
    while (static_cast<int>(ids_.size()) <= index) {
        QAccessibleInterface* element = make(static_cast<int>(ids_.size()));
        ids_.push_back(QAccessible::registerAccessibleInterface(element));
        elements_.push_back(element);
    }
    return elements_[static_cast<std::size_t>(index)];
}

int ElementList::IndexOf(const QAccessibleInterface* element) const {
    if (element == nullptr) return -1;
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        if (elements_[i] == element) return static_cast<int>(i);
    }
    return -1;
}

QAccessibleInterface* ChildAtPoint(const QAccessibleInterface& parent, int x, int y) {
    for (int i = 0; i < parent.childCount(); ++i) {
        QAccessibleInterface* child = parent.child(i);
        if (child != nullptr && child->rect().contains(x, y)) return child;
    }
    return nullptr;
}

}  // namespace kivo
