// Where the program's windows stand on the screen: plain arithmetic, so that tests can check
// it without a display.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <optional>

namespace kivo {

// The main window's client area: what the fixed 1020 x 735 outer size leaves inside a classic
// frame. The window manager adds its own frame around it.
inline constexpr QSize kMainClientSize{1014, 710};
inline constexpr int kToolBarHeight = 33;
inline constexpr int kStatusBarHeight = 19;
// What a classic frame adds around the client area: 1020 x 735 outside.
inline constexpr QSize kClassicFrameExtra{6, 25};

// Top-left of the main window on a screen: centred horizontally; centred vertically only on
// screens taller than 800 pixels, else at the top. Integer halves truncate toward zero.
constexpr QPoint MainWindowPosition(QSize screen, QSize window) {
    const int x = screen.width() / 2 - window.width() / 2;
    const int y = screen.height() > 800 ? screen.height() / 2 - window.height() / 2 : 0;
    return {x, y};
}

// The main window on a screen whose free area (without panels and docks) cannot hold it:
// the client size that fits the free area and where the window's top-left goes.
struct FittedMainWindow {
    QSize client;
    QPoint position;
};

// Fits the main window into `available`, the screen's free area, given what the frame adds
// around the client area and the width of a scroll bar. The page area then scrolls: when the
// height is cut, the window grows by a scroll bar's width where the screen has room, so the
// pages need no horizontal scrolling. The window is centred horizontally and stands at the
// top of the free area. Nullopt when the whole window fits: it keeps its fixed size and place.
constexpr std::optional<FittedMainWindow> FitMainWindow(QRect available, QSize frameExtra,
                                                        int scrollBarExtent) {
    const QSize room = available.size() - frameExtra;
    if (room.width() >= kMainClientSize.width() && room.height() >= kMainClientSize.height()) {
        return std::nullopt;
    }
    const int height = std::max(1, std::min(kMainClientSize.height(), room.height()));
    const int wanted =
        kMainClientSize.width() + (height < kMainClientSize.height() ? scrollBarExtent : 0);
    const int width = std::max(1, std::min(wanted, room.width()));
    const int outerWidth = width + frameExtra.width();
    return FittedMainWindow{
        {width, height},
        {available.left() + std::max(0, (available.width() - outerWidth) / 2), available.top()}};
}

// Top-left that centres a window of `size` on the rectangle `over`.
constexpr QPoint CentredOn(QRect over, QSize size) {
    return {over.left() + (over.width() - size.width()) / 2,
            over.top() + (over.height() - size.height()) / 2};
}

}  // namespace kivo
