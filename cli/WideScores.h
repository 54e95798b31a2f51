// kivo-cli scores --wide: one row per client file, with the client's details and all twelve
// scores side by side, as an analysis in a spreadsheet or a statistics package wants them.
#pragma once

#include <string_view>

#include "cli/Json.h"
#include "cli/ScoreFields.h"
#include "model/ClientRecord.h"
#include "model/Scoring.h"

namespace kivo::cli {

// Writes the wide table as CSV (a header row, then one row per file) or as a JSON array of
// one object per file whose names are the CSV's column names, into `out`, which writes
// them in pieces of kOutputChunk bytes, so nothing builds up over thousands of files.
//
// Columns: file, ClientId, LastName, FirstName, form, TestDate1, TestDate2, HearingAid1,
// HearingAid2, Experience1, Experience2, then for condition 1 and then 2 and each subscale
// in report order c<N>_<subscale>_score, _display, _missing and _valid, the subscales named
// speech_cues, listening_effort, quiet, pleasantness, convenience and use.
class WideScoresWriter {
public:
    WideScoresWriter(TableOutput& out, bool json, CsvText text)
        : out_(out), buffer_(out.text), json_(json), text_(text) {}

    void Begin();
    void Write(std::string_view file, const ClientRecord& record, const SubscaleScoreTable& scores);
    void End();

private:
    void FormatCsv(std::string_view file, const ClientRecord& record,
                   const SubscaleScoreTable& scores);
    void FormatJson(std::string_view file, const ClientRecord& record,
                    const SubscaleScoreTable& scores);

    TableOutput& out_;
    std::string& buffer_;  // the output's text
    bool json_ = false;
    CsvText text_ = CsvText::Guarded;
    bool first_ = true;
};

}  // namespace kivo::cli
