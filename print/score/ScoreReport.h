#pragma once

#include "print/engine/Report.h"

namespace kivo::print {

// The one-page printed score report of the open client: a page header with the title, the
// print date and the client, a detail band with both conditions, the comments, the chart
// and the score tables, and an empty footer. Its band events read the session's client
// record, SubscaleScores and NormTable as they are when the report runs.
class ScoreReport {
public:
    ScoreReport();
    ScoreReport(const ScoreReport&) = delete;
    ScoreReport& operator=(const ScoreReport&) = delete;

    report::Report& Report() { return report_; }

    // The elements by name, for tests.
    report::ReportLabel& Label(const QString& name) const;
    report::ReportImage& Image(const QString& name) const;

    void PageHeaderBand1BeforePrint(report::ReportBand& sender, bool& printBand);
    void DetailBand1BeforePrint(report::ReportBand& sender, bool& printBand);

private:
    void BuildPageHeader();
    void BuildDetail();
    report::ReportLabel& AddLabel(report::ReportBand& band, const QString& name, int left,
                                   int top, const QString& caption);

    report::Report report_;
    std::vector<std::pair<QString, report::ReportElement*>> named_;
};

}  // namespace kivo::print
