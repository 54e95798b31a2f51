// Reports a window's first paint on standard output: how the start-up benchmark times KIVO and
// its baseline program alike.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdio>

// Watches a window: at its first paint prints "PAINTED <steady-clock ns>" and quits the
// message loop. Shared by the start-up benchmark's two programs.
class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("PAINTED %lld\n",
                        static_cast<long long>(std::chrono::nanoseconds(now).count()));
            std::fflush(stdout);
            QTimer::singleShot(0, [] { QCoreApplication::quit(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = false;
};
