#include "Kivoprnt.h"

#include "ReportPrinting.h"
#include "ScoreReportHook.h"
#include "ScoreReport.h"

namespace kivo {

TfmKIVOQPrint* fmKIVOQPrint = nullptr;

TfmKIVOQPrint::TfmKIVOQPrint(QWidget* owner)
    : QWidget(owner, Qt::Window), scoreReport_(std::make_unique<print::ScoreReport>()) {
    setObjectName(QStringLiteral("fmKIVOQPrint"));
    setWindowTitle(QStringLiteral("KIVO Score Report"));
    fmKIVOQPrint = this;
    // The report screen's "Print Scores" opens this report's preview.
    ScoreReportPreviewHook() = [this] { Preview(); };
}

TfmKIVOQPrint::~TfmKIVOQPrint() {
    if (fmKIVOQPrint == this) {
        fmKIVOQPrint = nullptr;
        ScoreReportPreviewHook() = nullptr;
    }
}

void TfmKIVOQPrint::Preview() {
    report::Preview(scoreReport_->Report(), print::PrinterPreviewActions());
}

}  // namespace kivo
