// kivo-cli scores --wide: one row per client file, with the client's details and all twelve
// scores side by side, as an analysis in a spreadsheet or a statistics package wants them.
#pragma once

#include <ostream>
#include <string>

#include "model/ClientRecord.h"
#include "model/Scoring.h"

namespace kivo::cli {

// Writes the wide table as CSV (a header row, then one row per file) or as a JSON array of
// one object per file whose names are the CSV's column names. Rows go out in pieces of
// kOutputChunk bytes, so nothing builds up over thousands of files.
//
// Columns: file, ClientId, LastName, FirstName, form, TestDate1, TestDate2, HearingAid1,
// HearingAid2, Experience1, Experience2, then for condition 1 and then 2 and each subscale
// in report order c<N>_<subscale>_score, _display, _missing and _valid, the subscales named
// speech_cues, listening_effort, quiet, pleasantness, convenience and use.
class WideScoresWriter {
public:
    WideScoresWriter(std::ostream& out, bool json) : out_(out), json_(json) {}

    void Begin();
    void Write(const std::string& file, const ClientRecord& record,
               const SubscaleScoreTable& scores);
    void End();

private:
    void FormatCsv(const std::string& file, const ClientRecord& record,
                   const SubscaleScoreTable& scores);
    void FormatJson(const std::string& file, const ClientRecord& record,
                    const SubscaleScoreTable& scores);

    std::ostream& out_;
    bool json_ = false;
    bool first_ = true;
    std::string buffer_;
};

}  // namespace kivo::cli
