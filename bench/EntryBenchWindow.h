// The program's main window as the entry page benchmarks start it: shown, with a client open on
// the demographics page and nothing modified.
#pragma once

#include <QApplication>
#include <QRect>
#include <memory>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "model/Session.h"
#include "pages/demographics/DemographicsPage.h"
#include "shell/FileModified.h"

namespace kivo::bench {

inline std::unique_ptr<MainWindow> StartWithClient(const ClientRecord& client) {
    auto main = CreateWindows({});
    // The offscreen screen is smaller than the window; measure the window as designed, on a
    // screen that holds it, as on a clinic's desktop.
    const QRect desktop(0, 0, 1920, 1080);
    main->FitToScreen(desktop, desktop);
    main->show();
    QApplication::processEvents();
    gClientRecord = client;
    main->Pages().demographics->RecordToControls();
    ClearFileModified();
    QApplication::processEvents();
    return main;
}

}  // namespace kivo::bench
