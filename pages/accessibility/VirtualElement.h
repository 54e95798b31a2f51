// Parts of a drawing that a screen reader reaches as objects of their own, with no widget behind
// them (a chart, a table and its cells, an item row), and the list that owns them.
#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

namespace kivo {

// A read-only part of the widget `host`, at `area` in the host's coordinates. Its parent is the
// interface that made it, which owns it through an ElementList.
class VirtualElement : public QAccessibleInterface {
public:
    VirtualElement(QWidget* host, QAccessibleInterface* parent, QAccessible::Role role)
        : host_(host), parent_(parent), role_(role) {}

    bool isValid() const override { return !host_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override { return parent_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override;

protected:
    // Where the element lies in the host, in the host's pixels.
    virtual QRect Area() const = 0;
    QWidget* Host() const { return host_.data(); }

private:
    QPointer<QWidget> host_;
    QAccessibleInterface* parent_;
    QAccessible::Role role_;
};

// The elements an interface made, registered with Qt's accessibility cache so a screen reader
// can address them, and removed from it with their owner.
class ElementList {
public:
    ElementList() = default;
    ElementList(const ElementList&) = delete;
    ElementList& operator=(const ElementList&) = delete;
    ~ElementList();

    // Element `index`, made by `make` the first time it is asked for.
    QAccessibleInterface* At(int index, const std::function<QAccessibleInterface*(int)>& make);
    int IndexOf(const QAccessibleInterface* element) const;

private:
    std::vector<QAccessible::Id> ids_;
    std::vector<QAccessibleInterface*> elements_;  // owned by Qt's cache, removed with ids_
};

// The child of `parent` whose rectangle holds the screen point (x, y).
QAccessibleInterface* ChildAtPoint(const QAccessibleInterface& parent, int x, int y);

}  // namespace kivo
