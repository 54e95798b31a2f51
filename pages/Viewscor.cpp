#include "Viewscor.h"

namespace kivo {

TfmViewScores* fmViewScores = nullptr;

TfmViewScores::TfmViewScores(QWidget* parent) : TfmPage(parent) {
    setObjectName(QStringLiteral("fmViewScores"));
    fmViewScores = this;
}

TfmViewScores::~TfmViewScores() {
    if (fmViewScores == this) fmViewScores = nullptr;
}

void TfmViewScores::FormShow() {}

}  // namespace kivo
