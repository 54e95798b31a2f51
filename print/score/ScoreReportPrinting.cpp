// The score report's preview wired to the printer and the dialogs.
#include "print/score/ScoreReportPrinting.h"

#include "print/ReportPrinting.h"
#include "print/score/ScoreReport.h"

namespace kivo {

ScoreReportPrinting::ScoreReportPrinting() : scoreReport_(std::make_unique<print::ScoreReport>()) {}

ScoreReportPrinting::~ScoreReportPrinting() = default;

void ScoreReportPrinting::Preview() {
    report::Preview(scoreReport_->Report(), print::PrinterPreviewActions());
}

}  // namespace kivo
