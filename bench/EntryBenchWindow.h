// The program's main window as the entry page benchmarks start it: shown, with a client open on
// the demographics page and nothing modified.
#pragma once

#include <QApplication>
#include <memory>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "model/Session.h"
#include "pages/demographics/DemographicsPage.h"
#include "shell/FileModified.h"

namespace kivo::bench {

inline std::unique_ptr<MainWindow> StartWithClient(const ClientRecord& client) {
    auto main = CreateWindows({});
    main->show();
    QApplication::processEvents();
    gClientRecord = client;
    gDemographicsPage->RecordToControls();
    ClearFileModified();
    QApplication::processEvents();
    return main;
}

}  // namespace kivo::bench
