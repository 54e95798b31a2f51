// What a user does to the main window, for GUI tests: trigger a menu command's action or click
// a tool or push button, found by object name, so a control wired to the wrong command fails.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

namespace kivo::test {

// Triggers the action `name` of `window` (actionNew, actionLoad, actionSave, ...), which must
// exist and be enabled.
inline void TriggerAction(const QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << "no action " << name;
    ASSERT_TRUE(action->isEnabled()) << name << " is disabled";
    action->trigger();
}

// Clicks the button `name` inside `window` (tool bar buttons, page buttons); it must exist and
// be enabled.
inline void ClickButton(const QWidget& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << "no button " << name;
    ASSERT_TRUE(button->isEnabled()) << name << " is disabled";
    button->click();
}

}  // namespace kivo::test
