// Walking the accessible tree as a screen reader does, from a window's interface down.
#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace kivo::test {

// Calls `visit` for `root` and every interface below it, depth first.
inline void WalkAccessible(QAccessibleInterface* root,
                           const std::function<void(QAccessibleInterface&)>& visit) {
    if (root == nullptr || !root->isValid()) return;
    visit(*root);
    for (int i = 0; i < root->childCount(); ++i) WalkAccessible(root->child(i), visit);
}

// Who an interface is, for a failure message: its object's name, else its role and name.
inline QString Describe(QAccessibleInterface& iface) {
    QString who = iface.object() != nullptr ? iface.object()->objectName() : QString();
    if (who.isEmpty() && iface.object() != nullptr) {
        who = QString::fromLatin1(iface.object()->metaObject()->className());
    }
    return who + QStringLiteral(" (role %1, name \"%2\", value \"%3\")")
                     .arg(static_cast<int>(iface.role()))
                     .arg(iface.text(QAccessible::Name), iface.text(QAccessible::Value));
}

// The visible, enabled, focusable controls under `widget` that have no spoken name or whose
// name is only their value.
inline QStringList UnnamedControls(QWidget& widget) {
    QStringList unnamed;
    WalkAccessible(QAccessible::queryAccessibleInterface(&widget), [&](QAccessibleInterface& i) {
        const QAccessible::State state = i.state();
        if (!state.focusable || state.invisible || state.disabled) return;
        const QString name = i.text(QAccessible::Name).trimmed();
        const QString value = i.text(QAccessible::Value).trimmed();
        if (name.isEmpty() || (!value.isEmpty() && name == value)) unnamed << Describe(i);
    });
    return unnamed;
}

// The interface of the widget called `name` under `root`.
inline QAccessibleInterface* AccessibleOf(const QWidget& root, const char* name) {
    return QAccessible::queryAccessibleInterface(
        root.findChild<QWidget*>(QString::fromLatin1(name)));
}

}  // namespace kivo::test
