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

// Writes what `buffer` holds to `out` and empties it.
inline void WriteOut(std::ostream& out, std::string& buffer) {
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
}

// The score of one condition (0 or 1) and subscale.
inline const SubscaleScore& ScoreAt(const SubscaleScoreTable& t, int condition, Subscale s) {
    return t[static_cast<std::size_t>(condition)][static_cast<std::size_t>(Index(s))];
}

}  // namespace kivo::cli
