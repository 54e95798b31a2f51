#include "Qentry1.h"

namespace kivo {

TfmQEntry1* fmQEntry1 = nullptr;

TfmQEntry1::TfmQEntry1(QWidget* parent) : TfmPage(parent) {
    setObjectName(QStringLiteral("fmQEntry1"));
    fmQEntry1 = this;
}

TfmQEntry1::~TfmQEntry1() {
    if (fmQEntry1 == this) fmQEntry1 = nullptr;
}

void TfmQEntry1::StoreResponses() {}

void TfmQEntry1::FormShow() {}

void TfmQEntry1::FormHide() {
    StoreResponses();
}

}  // namespace kivo
