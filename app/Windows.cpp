// Creates the main window with its pages, the About box and the printing, and wires the
// Print Scores hook to the score report for as long as the window lives.
#include "app/Windows.h"

#include "app/AboutBox.h"
#include "app/MainWindow.h"
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
    auto main = std::make_unique<MainWindow>();
    main->SetCommandLineArgument(commandLineArgument);
    new AboutBox(main.get());
    main->HostPage(*new DemographicsPage(main.get()));
    main->HostPage(*new ConfigurationPage(main.get()));
    main->HostPage(*new SubscaleScoresPage(main.get()));
    main->HostPage(*new ResponseEntryPage(main.get()));
    main->HostPage(*new ItemScoresPage(main.get()));
    main->TakePrinting(std::make_unique<QuestionnairePrinting>(main.get()),
                       std::make_unique<ScoreReportPrinting>());

    // The score pages know Print Scores only through the hook; it lives as long as the window.
    ScoreReportPrinting* scoreReport = &main->ScoreReport();
    ScoreReportPreviewHook() = [scoreReport] { scoreReport->Preview(); };
    // Cleared with the window that owns it; a window replaced by a newer one (tests) leaves the
    // newer window's hook in place.
    QObject::connect(main.get(), &QObject::destroyed, [] {
        if (gMainWindow == nullptr) ScoreReportPreviewHook() = nullptr;
    });
    return main;
}

}  // namespace kivo
