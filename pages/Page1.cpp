#include "Page1.h"

namespace kivo {

TfmDemographicsScreen* fmDemographicsScreen = nullptr;

TfmDemographicsScreen::TfmDemographicsScreen(QWidget* parent) : TfmPage(parent) {
    setObjectName(QStringLiteral("fmDemographicsScreen"));
    SetPageColour(*this, 0xA6CAF0);
    fmDemographicsScreen = this;
}

TfmDemographicsScreen::~TfmDemographicsScreen() {
    if (fmDemographicsScreen == this) fmDemographicsScreen = nullptr;
}

void TfmDemographicsScreen::RecordToControls() {}

void TfmDemographicsScreen::ControlsToRecord() {}

void TfmDemographicsScreen::FormShow() {
    RecordToControls();
}

void TfmDemographicsScreen::FormHide() {
    ControlsToRecord();
}

}  // namespace kivo
