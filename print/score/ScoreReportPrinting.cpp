// The score report's preview wired to the printer and the dialogs.
#include "print/score/ScoreReportPrinting.h"

#include "print/ReportPrinting.h"
#include "print/score/ScoreReport.h"

namespace kivo {

ScoreReportPrinting::ScoreReportPrinting() = default;

print::ScoreReport& ScoreReportPrinting::ScoreReport() {
    if (!scoreReport_) scoreReport_ = std::make_unique<print::ScoreReport>();
    return *scoreReport_;
}

ScoreReportPrinting::~ScoreReportPrinting() = default;

void ScoreReportPrinting::Preview() {
    print::LayOutForPrinter(ScoreReport().Report());
    report::Preview(ScoreReport().Report(), print::PrinterPreviewActions());
}

}  // namespace kivo
