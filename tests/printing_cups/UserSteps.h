// Acting on the program's modal windows as a user does, for tests in which the program runs
// Qt's own dialogs: each step waits for its window, then clicks and types in it with QTest.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

#include "tests/support/ShownPreview.h"

namespace kivo::test {

// Steps a user takes while the program waits in a dialog's or the preview's own event loop.
// A polling timer finds the window each step waits for; the step then runs from a timer of
// its own, so a step that opens a further modal window (and waits in its loop) leaves the
// poll free to drive that window too.
class UserSteps {
public:
    UserSteps() {
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    }
    UserSteps(const UserSteps&) = delete;
    UserSteps& operator=(const UserSteps&) = delete;
    ~UserSteps() { poll_.stop(); }

    // Once `ready` finds a widget, `act` runs on it.
    void When(std::string what, std::function<QWidget*()> ready,
              std::function<void(QWidget&)> act) {
        steps_.push_back({std::move(what), std::move(ready), std::move(act)});
        if (!poll_.isActive()) {
            waiting_.start();
            poll_.start();
        }
    }

    // The modal window in front holding a child named `child` (Qt's print dialog holds
    // "printers", its printer properties "pageSetup").
    void OnModalWith(const char* child, std::string what, std::function<void(QDialog&)> act) {
        When(
            std::move(what),
            [child]() -> QWidget* {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal || !modal->findChild<QWidget*>(QString::fromLatin1(child))) {
                    return nullptr;
                }
                return modal;
            },
            [act = std::move(act)](QWidget& w) { act(static_cast<QDialog&>(w)); });
    }

    bool Done() const { return steps_.empty() && running_ == 0; }

private:
    struct Step {
        std::string what;
        std::function<QWidget*()> ready;
        std::function<void(QWidget&)> act;
    };

    void Poll() {
        if (steps_.empty()) {
            poll_.stop();
            return;
        }
        QWidget* widget = steps_.front().ready();
        if (!widget) {
            if (waiting_.elapsed() > 20000) GiveUp();
            return;
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        waiting_.start();
        ++running_;
        QTimer::singleShot(0, widget, [this, widget, act = std::move(step.act)] {
            act(*widget);
            --running_;
        });
    }

    // A window never came: fail, and close what is open so the test does not hang.
    void GiveUp() {
        ADD_FAILURE() << "gave up waiting for: " << steps_.front().what;
        steps_.clear();
        poll_.stop();
        for (int i = 0; i < 10; ++i) {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) break;
            dialog->reject();
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("ReportPreview") && w->isVisible()) w->close();
        }
    }

    std::deque<Step> steps_;
    QTimer poll_;
    QElapsedTimer waiting_;
    int running_ = 0;
};

// Clicks a dialog's button of `role` with the mouse.
inline void ClickDialogButton(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    QAbstractButton* button = box->button(which);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace kivo::test
