// Creating every window of the program once, at start-up, in one place.
#pragma once

#include <QString>
#include <memory>

namespace kivo {

class MainWindow;

// Creates every window of the program once: the main window, the About box, the pages
// (demographics, configuration, subscale scores, response entry, item scores) and the
// printing of the Reports menu and of Print Scores, whose preview the Print Scores hook
// opens. The main window owns the others; none is visible yet.
std::unique_ptr<MainWindow> CreateWindows(const QString& commandLineArgument);

}  // namespace kivo
