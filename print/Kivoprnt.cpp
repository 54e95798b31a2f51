#include "Kivoprnt.h"

namespace kivo {

TfmKIVOQPrint* fmKIVOQPrint = nullptr;

TfmKIVOQPrint::TfmKIVOQPrint(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("fmKIVOQPrint"));
    fmKIVOQPrint = this;
}

TfmKIVOQPrint::~TfmKIVOQPrint() {
    if (fmKIVOQPrint == this) fmKIVOQPrint = nullptr;
}

}  // namespace kivo
