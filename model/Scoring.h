// Subscale scores of a client, their validity, the population norms they are drawn against
// and the text a score is shown with.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/ClientRecord.h"
#include "model/Questionnaire.h"

namespace kivo {

struct SubscaleScore {
    float Score = 0.0f;             // mean of the answered items; 0 when nothing was summed
    std::int32_t MissingCount = 0;  // blank answers
    std::uint8_t Valid = 0;         // 1 when MissingCount is below the subscale's limit
};

// [condition][subscale], condition 0 first, subscales in scoring order.
using SubscaleScoreTable = std::array<std::array<SubscaleScore, kSubscaleCount>, kConditionCount>;

struct NormPoints {
    float P10 = 0.0f;
    float P25 = 0.0f;
    float P75 = 0.0f;
    float P90 = 0.0f;
};
using NormTableType = std::array<NormPoints, kSubscaleCount>;

// Scores one record into `scores` (overwritten as a whole). A TestForm outside 0..2
// leaves all twelve records zero and invalid.
void ComputeSubscaleScores(const ClientRecord& record, SubscaleScoreTable& scores);

// A score is valid when MissingCount is below this limit; 0 for an unknown form.
int ValidityLimit(FormKind form, Subscale s);

// The population norms of the subscale scores.
const NormTableType& SubscaleNorms();

// Display text of a score: one decimal, rounded half away from zero on the exact value of
// the stored float, with the given decimal separator; "INV" when the score is not valid.
std::string ScoreDisplayText(const SubscaleScore& score, std::string_view decimalSeparator);

// The same text written into `out` (room for kScoreDisplayTextMax bytes, no NUL); returns
// its length. For callers that format many scores. A separator over 8 bytes gives "INV".
constexpr std::size_t kScoreDisplayTextMax = 32;
std::size_t WriteScoreDisplayText(char* out, const SubscaleScore& score,
                                  std::string_view decimalSeparator);

}  // namespace kivo
