// Baseline for the start-up benchmark: a plain Qt program with one window of KIVO's size,
// a menu, a tool bar and a status bar, which quits at its first paint.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "bench/StartupPaintProbe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Baseline");
    for (const char* menu : {"&File", "&Reports", "&Help"}) {
        window.menuBar()->addMenu(menu)->addAction("Item");
    }
    QToolBar* tools = window.addToolBar("Tools");
    for (const char* action : {"New", "Load", "Save"}) tools->addAction(action);
    window.statusBar()->addWidget(new QLabel("Ready"));
    window.setFixedSize(1014, 710);
    FirstPaintProbe probe(&window);
    window.installEventFilter(&probe);
    window.show();
    return QApplication::exec();
}
