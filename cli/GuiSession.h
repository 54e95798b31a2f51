// The Qt application kivo-cli's drawing commands need, without a display.
#pragma once

#include <QGuiApplication>
#include <optional>

namespace kivo::cli {

// Drawing and PDF output need a GUI application object, never a display: the commands that
// draw make one of these first. It uses Qt's offscreen platform unless QT_QPA_PLATFORM says
// otherwise, and maps the program's font names.
class GuiSession {
public:
    GuiSession();

private:
    std::optional<QGuiApplication> app_;
};

}  // namespace kivo::cli
