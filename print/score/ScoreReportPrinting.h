// Print Scores: the score report kept for the whole run, so the print dialog's choices carry
// over, and its preview.
#pragma once

#include <memory>

namespace kivo {

namespace print {
class ScoreReport;
}

// The printed score report of the open client: holds the report for the whole run and opens
// its preview, from which the user prints.
class ScoreReportPrinting {
public:
    ScoreReportPrinting();
    ~ScoreReportPrinting();
    ScoreReportPrinting(const ScoreReportPrinting&) = delete;
    ScoreReportPrinting& operator=(const ScoreReportPrinting&) = delete;

    // Laid out at first use, not at start-up.
    print::ScoreReport& ScoreReport();

    // Opens the preview of the score report for the open client; returns when it closes.
    void Preview();

private:
    std::unique_ptr<print::ScoreReport> scoreReport_;
};

}  // namespace kivo
