// The main of the benchmarks that paint: they run under one application object on the offscreen
// platform, with the font substitutes the program registers.
#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include "canvas/FontMap.h"

namespace kivo::bench {

// Runs the registered benchmarks under an `App` (QApplication for widgets, QGuiApplication for
// painting alone); `prepare` runs once the application exists, `summarise` after the last
// benchmark. Exits 1 on an argument the benchmarks do not know.
template <typename App>
int RunGuiBenchmarks(int argc, char** argv, void (*prepare)() = nullptr,
                     void (*summarise)() = nullptr) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    canvas::InstallFontSubstitutes();
    if (prepare) prepare();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (summarise) summarise();
    return 0;
}

}  // namespace kivo::bench
