#include "Qprint.h"

#include "Error.h"

namespace kivo {

TfmQPrint* fmQPrint = nullptr;

TfmQPrint::TfmQPrint(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("fmQPrint"));
    fmQPrint = this;
}

TfmQPrint::~TfmQPrint() {
    if (fmQPrint == this) fmQPrint = nullptr;
}

void TfmQPrint::PrintBlankQuestionnaire(FormKind /*form*/) {
    // Says so rather than pretending to print until the questionnaire pages are drawn.
    throw Error("Printing blank questionnaires is not available in this version");
}

}  // namespace kivo
