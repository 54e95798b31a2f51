// Where the program's windows stand on the screen: plain arithmetic, so that tests can check
// it without a display.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kivo {

// The main window's client area: what the fixed 1020 x 735 outer size leaves inside a classic
// frame. The window manager adds its own frame around it.
inline constexpr QSize kMainClientSize{1014, 710};
inline constexpr int kToolBarHeight = 33;
inline constexpr int kStatusBarHeight = 19;

// Top-left of the main window on a screen: centred horizontally; centred vertically only on
// screens taller than 800 pixels, else at the top. Integer halves truncate toward zero.
constexpr QPoint MainWindowPosition(QSize screen, QSize window) {
    const int x = screen.width() / 2 - window.width() / 2;
    const int y = screen.height() > 800 ? screen.height() / 2 - window.height() / 2 : 0;
    return {x, y};
}

// Top-left that centres a window of `size` on the rectangle `over`.
constexpr QPoint CentredOn(QRect over, QSize size) {
    return {over.left() + (over.width() - size.width()) / 2,
            over.top() + (over.height() - size.height()) / 2};
}

}  // namespace kivo
