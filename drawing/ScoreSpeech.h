// The scores as words, for a screen reader: the same numbers the chart, the score tables and the
// item graph draw, said rather than shown.
#pragma once

#include <string>
#include <string_view>

#include "model/ClientRecord.h"
#include "model/Questionnaire.h"
#include "model/Scoring.h"

namespace kivo::drawing {

// A score as the tables show it, but "invalid" where they show "INV".
std::string SpokenScore(const SubscaleScore& score, std::string_view decimalSeparator);

// Where a valid score stands against its subscale's norm box (the middle half of the
// population): "inside the norm box", "below the norm box" or "above the norm box".
std::string_view NormBoxPlace(float score, const NormPoints& norm);

// The chart said in words: for each condition, each subscale's score and where it stands
// against the norm box, in the chart's column order. One sentence per condition.
std::string ChartDescription(const SubscaleScoreTable& scores, const NormTableType& norms,
                             std::string_view decimalSeparator);

// One row of the item graph: the item's number and whole question, each condition's answer
// (1..7, or "no answer") and the item's norm, mean and middle half.
std::string ItemRowSpeech(const ClientRecord& record, FormKind form, int item,
                          std::string_view decimalSeparator);

}  // namespace kivo::drawing
