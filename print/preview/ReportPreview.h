// The preview window of a report: generates the pages, then zooms, pages through, copies,
// prints and saves them.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "print/engine/PageStore.h"
#include "print/engine/Report.h"

class QLabel;
class QScrollArea;
class QToolButton;

namespace kivo::report {

class PreviewPage;

// What the preview's buttons do beyond the window (print, printer set-up, the page number
// dialog, save and load): the program supplies the real printer and dialogs, tests their own.
struct PreviewActions {
    // Prints the pages the preview shows, with the report's print settings.
    std::function<void(Report&, const PageStore& shown, QWidget* owner)> print;
    std::function<void(Report&, QWidget* owner)> printerSetup;
    // Asks for a page number; nullopt when cancelled.
    std::function<std::optional<QString>(const QString& title, const QString& prompt,
                                         const QString& preset, QWidget* owner)>
        askPage;
    // The name the save dialog suggests for the pages of a run, asked just before the run
    // takes its data; none: the report's title.
    std::function<QString(const Report&)> nameForRun;
    // Saves the shown pages, suggesting `name` (the run's, or the base name of the page file
    // the pages came from).
    std::function<void(const PageStore&, const QString& name, QWidget* owner)> save;
    // Returns the pages of a saved page file, or nullopt when none was loaded.
    std::function<std::optional<PageStore>(QWidget* owner)> load;
};

// The preview window of a generated report: zoom, page through, copy, print.
class ReportPreview : public QMainWindow {
    Q_OBJECT
public:
    ReportPreview(Report& report, PreviewActions actions, QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Runs the report into a fresh page store while the window shows. Errors raised by
    // the report close the window and reach the caller.
    void Generate();

    int CurrentPage() const { return current_; }
    int PageCount() const { return store_ ? store_->PageCount() : 0; }
    int Zoom() const;
    bool Generating() const { return generating_; }

    void ShowPage(int page);
    void SetZoom(int percent);
    void ZoomToFit();
    void ZoomToWidth();
    void GotoPage();
    // Puts the shown page on the clipboard as a picture at print quality (kCopyDpi).
    void CopyPage();
    // Shows the pages of a saved page file in place of the generated ones; Print and Save
    // then take these pages, and the title names them and their file. A store without pages
    // is not shown.
    void ShowStore(PageStore store);

    static constexpr double kCopyDpi = 300.0;

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* AddButton(const char* name, const QString& text, const QString& hint,
                           std::function<void()> action);
    void BuildToolBar();
    // Ctrl+P, Ctrl+S, Ctrl+O, Ctrl+0 and the zoom keys plus and minus.
    void BuildShortcuts();
    // The zoom `step` percent up or down, kept within the limits.
    void ZoomBy(int step);
    void BuildStatusBar();
    void UpdateButtons();
    void UpdateStatus();
    void ShowTitle();
    void ScrollUp();
    void ScrollDown();
    void ScrollSideways(int steps);

    Report& report_;
    PreviewActions actions_;
    std::unique_ptr<PageStore> store_;
    QScrollArea* area_ = nullptr;
    PreviewPage* page_ = nullptr;
    QLabel* zoomPanel_ = nullptr;
    QLabel* pagePanel_ = nullptr;
    QLabel* titlePanel_ = nullptr;
    QString saveName_;
    int current_ = 0;
    bool generating_ = false;
    bool cancelRequested_ = false;
    int lastProgress_ = 0;
};

// Runs the report into a preview window and returns when the window is closed. While a
// preview of the report is open, a further call does nothing.
void Preview(Report& report, const PreviewActions& actions);

}  // namespace kivo::report
