#include "Forms.h"

#include "About.h"
#include "Config.h"
#include "Kivoprnt.h"
#include "Page1.h"
#include "Qentry1.h"
#include "Qprint.h"
#include "Reports.h"
#include "Viewscor.h"
#include "Winmain.h"

namespace kivo {

std::unique_ptr<TfmWinMain> CreateForms(const QString& commandLineArgument) {
    auto main = std::make_unique<TfmWinMain>();
    main->SetCommandLineArgument(commandLineArgument);
    new TfmAboutScreen(main.get());
    main->HostPage(*new TfmDemographicsScreen(main.get()));
    main->HostPage(*new TfmConfigureScreen(main.get()));
    new TDataModule1(main.get());
    main->HostPage(*new TfmReportScreen(main.get()));
    main->HostPage(*new TfmQEntry1(main.get()));
    main->HostPage(*new TfmViewScores(main.get()));
    new TfmKIVOQPrint(main.get());
    new TfmQPrint(main.get());
    return main;
}

}  // namespace kivo
