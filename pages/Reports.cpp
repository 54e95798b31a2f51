#include "Reports.h"

namespace kivo {

TfmReportScreen* fmReportScreen = nullptr;

TfmReportScreen::TfmReportScreen(QWidget* parent) : TfmPage(parent) {
    setObjectName(QStringLiteral("fmReportScreen"));
    fmReportScreen = this;
}

TfmReportScreen::~TfmReportScreen() {
    if (fmReportScreen == this) fmReportScreen = nullptr;
}

void TfmReportScreen::FormShow() {}

}  // namespace kivo
