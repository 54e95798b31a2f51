// The printed score report of the open client: its bands and elements, laid out once, and the
// band events that fill them from the session each time the report runs.
#pragma once

#include <QString>
#include <array>

#include "model/ClientRecord.h"
#include "model/Scoring.h"
#include "print/engine/Report.h"

namespace kivo::print {

// The note printed under the chart.
inline constexpr const char* kScaleNote =
    "Note: the Use subscale is scored from 1 to 5; the other subscales from 1 to 7.";

// The elements of the score report that the band events fill or tests look at, set when the
// bands are built. The report's bands own them.
struct ScoreReportElements {
    struct Header {
        report::ReportLabel* title = nullptr;
        report::ReportDateLabel* printed = nullptr;  // "Printed: " and the date
        report::ReportLabel* clientId = nullptr;     // "Client ID: " and the ID, above the name
        report::ReportLabel* name = nullptr;
        report::ReportLabel* gender = nullptr;
        report::ReportLabel* birthDate = nullptr;
        report::ReportLabel* testForm = nullptr;
    };
    // One test condition's column of the detail band.
    struct Condition {
        report::ReportLabel* heading = nullptr;     // "Condition 1:"
        report::ReportLabel* aidHeading = nullptr;  // "Hearing Aid Information"
        report::ReportLabel* hearingAid = nullptr;
        report::ReportLabel* ear = nullptr;
        report::ReportLabel* coupling = nullptr;
        report::ReportLabel* testDate = nullptr;
        report::ReportLabel* experience = nullptr;
    };
    struct Detail {
        std::array<Condition, 2> conditions;
        report::ReportLabel* commentsHeading = nullptr;
        report::ReportLabel* comments = nullptr;
        report::ReportDrawing* chart = nullptr;
        report::ReportLabel* scaleNote = nullptr;  // the subscales' ranges, under the chart
        report::ReportDrawing* tables = nullptr;
    };

    Header header;
    Detail detail;
};

// The one-page printed score report of the open client: a page header with the title, the
// print date and the client (ID and name), a detail band with both conditions, the comments, the
// chart with a note on the subscales' ranges, and the score tables, and an empty footer. Each run
// copies the session's client record when it starts and scores that copy, so one page never mixes
// two clients.
class ScoreReport {
public:
    ScoreReport();
    ScoreReport(const ScoreReport&) = delete;
    ScoreReport& operator=(const ScoreReport&) = delete;

    report::Report& Report() { return report_; }

    // The report's elements, to look at after a run.
    const ScoreReportElements& Elements() const { return elements_; }

private:
    void BuildPageHeader();
    void BuildDetail();
    report::ReportLabel& AddLabel(report::ReportBand& band, int left, int top,
                                  const QString& caption);
    // The run's start: the client to print and its scores.
    void TakeClient();
    // The band events: the client's details, and the chart and tables drawn afresh.
    void FillPageHeader();
    void FillDetail();

    report::Report report_;
    ScoreReportElements elements_;
    ClientRecord client_{};  // the client of the current run
    SubscaleScoreTable scores_{};
};

}  // namespace kivo::print
