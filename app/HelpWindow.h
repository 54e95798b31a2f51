// The built-in guide: a window of its own beside the main window, so help needs no browser.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace kivo {

// The guide (app/HelpGuide.html, compiled into the program): entering answers, the chart,
// printing, files and shortcuts. Object names: HelpWindow, HelpText.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    // Shows the guide beside `main` (centred on it the first time, within the screen's free
    // area) and brings it to the front.
    void ShowOver(const QWidget& main);

    QTextBrowser& Text() { return *text_; }

private:
    QTextBrowser* text_ = nullptr;
    bool placed_ = false;
};

}  // namespace kivo
