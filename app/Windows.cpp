// Creates the main window with its pages, the About box and the printing, connects the two
// score pages to each other, and wires the Print Scores hook to the score report.
#include "app/Windows.h"

#include <QPointer>

#include "app/AboutBox.h"
#include "app/MainWindow.h"
#include "pages/accessibility/Accessibility.h"
#include "pages/configuration/ConfigurationPage.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "print/questionnaire/QuestionnairePrinting.h"
#include "print/score/ScoreReportPrinting.h"
#include "shell/ScoreReportHook.h"

namespace kivo {

std::unique_ptr<MainWindow> CreateWindows(const QString& commandLineArgument) {
    InstallAccessibility();
    auto main = std::make_unique<MainWindow>();
    main->SetCommandLineArgument(commandLineArgument);
    WindowPages pages;
    pages.aboutBox = new AboutBox(main.get());
    pages.demographics = new DemographicsPage(main.get());
    pages.configuration = new ConfigurationPage(main.get());
    pages.subscaleScores = new SubscaleScoresPage(main.get());
    pages.responseEntry = new ResponseEntryPage(main.get());
    pages.itemScores = new ItemScoresPage(main.get());
    main->TakePages(pages);
    main->TakePrinting(std::make_unique<QuestionnairePrinting>(main.get()),
                       std::make_unique<ScoreReportPrinting>());

    // The report screen and the item view lead to each other, past the page buttons.
    QObject::connect(pages.subscaleScores, &SubscaleScoresPage::ItemScoresRequested,
                     pages.itemScores, &QWidget::show);
    QObject::connect(pages.itemScores, &ItemScoresPage::SubscaleScoresRequested,
                     pages.subscaleScores, &QWidget::show);

    // The score pages know Print Scores only through the hook. It follows the newest window; a
    // hook left behind by a window that is gone does nothing, as an empty one.
    ScoreReportPreviewHook() = [window = QPointer<MainWindow>(main.get())] {
        if (window) window->ScoreReport().Preview();
    };
    return main;
}

}  // namespace kivo
