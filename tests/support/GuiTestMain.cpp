// The main of GUI test binaries: font measuring, painting and widgets need one QApplication for
// the whole run.
#include <gtest/gtest.h>

#include <QApplication>

#include "canvas/FontMap.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs the binary without the test environment: never need a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kivo::canvas::InstallFontSubstitutes();
    return RUN_ALL_TESTS();
}
