#include <gtest/gtest.h>

#include <QGuiApplication>

#include "FontMap.h"

// Font measuring and painting need a QGuiApplication for the whole test run.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs the binary without the test environment: never need a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    kivo::canvas::InstallFontSubstitutes();
    return RUN_ALL_TESTS();
}
