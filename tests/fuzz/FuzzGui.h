// The GUI application of fuzz targets that draw or measure text: libFuzzer owns main, so the
// target makes the application itself on first use.
#pragma once

#include <QGuiApplication>
#include <memory>

namespace kivo::fuzz {

// Drawing measures text with Qt's fonts, which needs one GUI application for the run; the
// offscreen platform needs no display.
inline void EnsureGuiApplication() {
    static std::unique_ptr<QGuiApplication> app = [] {
        std::unique_ptr<QGuiApplication> made;
        if (QCoreApplication::instance() == nullptr) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "kivo-fuzz";
            static char* argv[] = {name, nullptr};
            made = std::make_unique<QGuiApplication>(argc, argv);
        }
        return made;
    }();
}

}  // namespace kivo::fuzz
