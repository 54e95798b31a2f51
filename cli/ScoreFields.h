// What kivo-cli's long and wide score tables share, in CSV and JSON: the stored score with six
// decimals, exactly as printf's "%.6f" writes it, integers, and the chunks output goes out in.
#pragma once

#include <ostream>
#include <string>

#include "model/Questionnaire.h"
#include "model/Scoring.h"

namespace kivo::cli {

// Room WriteFixed6 may need (a huge or non-finite value goes through snprintf).
constexpr std::size_t kFixed6Max = 400;

// Writes `value` with exactly six digits after the point; returns the end of the text.
char* WriteFixed6(char* p, float value);
void AppendFixed6(std::string& out, float value);
void AppendInt(std::string& out, long long value);

// The score tables are formatted into a buffer that goes out in pieces of this size: large
// enough that the stream passes it straight to the system, small enough to stay flat.
constexpr std::size_t kOutputChunk = 64 * 1024;

// Flushes `out`; the system's reason when what was written to it did not all arrive
// (a full disk, a closed pipe), empty when it did.
std::string FlushFailure(std::ostream& out);

// Where a score table goes: the text is formatted into `text` and written out in pieces of
// kOutputChunk bytes. The first failed write is kept with the system's reason, and nothing
// more is written after it.
class TableOutput {
public:
    explicit TableOutput(std::ostream& out) : out_(out) {}

    std::string text;  // formatted, not yet written

    // Writes `text` out once it has grown to a piece.
    void WriteIfFull() {
        if (text.size() >= kOutputChunk) WriteAll();
    }
    // Writes all of `text` out and empties it.
    void WriteAll();
    // Writes the rest and flushes the stream.
    void Finish();
    // Empty while every write went through; else why the first one failed.
    const std::string& Failure() const { return failure_; }

private:
    std::ostream& out_;
    std::string failure_;
};

// The score of one condition (0 or 1) and subscale.
inline const SubscaleScore& ScoreAt(const SubscaleScoreTable& t, int condition, Subscale s) {
    return t[static_cast<std::size_t>(condition)][static_cast<std::size_t>(Index(s))];
}

}  // namespace kivo::cli
