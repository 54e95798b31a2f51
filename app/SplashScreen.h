// The splash window shown while the program starts.
#pragma once

#include <QWidget>

class QTimer;

namespace kivo {

// The splash window shown while the program starts. Its timer (1500 ms, running from
// creation) closes and destroys it once the message loop runs.
class SplashScreen : public QWidget {
    Q_OBJECT
public:
    SplashScreen();

private:
    QTimer* closeTimer_ = nullptr;
};

}  // namespace kivo
