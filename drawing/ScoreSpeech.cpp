// The scores as words: the chart's, the tables' and the item graph's numbers for a screen
// reader, from the same score and norm tables the drawings use.
#include "drawing/ScoreSpeech.h"

#include <array>
#include <cstdio>

#include "drawing/ItemViewTables.h"
#include "drawing/ScoreValidity.h"
#include "model/Cp1252.h"

namespace kivo::drawing {

namespace {

// One decimal with the given separator, for norms (scores go through ScoreDisplayText).
std::string OneDecimal(float value, std::string_view decimalSeparator) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.1f", static_cast<double>(value));
    std::string text(buffer.data());
    if (const auto dot = text.find('.'); dot != std::string::npos) {
        text.replace(dot, 1, decimalSeparator);
    }
    return text;
}

// The item's question on one line: its line breaks and the spaces around them become one space.
std::string OneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\r';
        if (space && (line.empty() || line.back() == ' ')) continue;
        line += space ? ' ' : c;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

std::string SpokenAnswer(const ClientRecord& record, int condition, int item) {
    const int value = ItemValue(ResponseAt(record, condition, item), ItemKind::Rated).value_or(0);
    return "condition " + std::to_string(condition + 1) + " " +
           (value > 0 ? "answered " + std::to_string(value) : std::string("no answer"));
}

}  // namespace

std::string SpokenScore(const SubscaleScore& score, std::string_view decimalSeparator) {
    return IsValidScore(score) ? ScoreDisplayText(score, decimalSeparator) : "invalid";
}

std::string_view NormBoxPlace(float score, const NormPoints& norm) {
    if (score < norm.P25) return "below the norm box";
    if (score > norm.P75) return "above the norm box";
    return "inside the norm box";
}

std::string ChartDescription(const SubscaleScoreTable& scores, const NormTableType& norms,
                             std::string_view decimalSeparator) {
    std::string text;
    for (std::size_t c = 0; c < scores.size(); ++c) {
        if (c > 0) text += ' ';
        text += "Condition " + std::to_string(c + 1) + ": ";
        for (std::size_t s = 0; s < kAllSubscales.size(); ++s) {
            const SubscaleScore& score = scores[c][s];
            if (s > 0) text += "; ";
            text += std::string(SubscaleReportName(kAllSubscales[s])) + " " +
                    SpokenScore(score, decimalSeparator);
            if (IsValidScore(score)) {
                text += ", " + std::string(NormBoxPlace(score.Score, norms[s]));
            }
        }
        text += '.';
    }
    return text;
}

std::string ItemRowSpeech(const ClientRecord& record, FormKind form, int item,
                          std::string_view decimalSeparator) {
    std::string text = "Item " + std::to_string(item) + ", " +
                       OneLine(Cp1252ToUtf8(ItemText(form, item))) + ": " +
                       SpokenAnswer(record, 0, item) + ", " + SpokenAnswer(record, 1, item);
    if (const auto norm = ItemNormOf(form, item)) {
        text += "; norm mean " + OneDecimal(norm->Mean, decimalSeparator) + ", middle half " +
                OneDecimal(norm->P25, decimalSeparator) + " to " +
                OneDecimal(norm->P75, decimalSeparator);
    }
    return text;
}

}  // namespace kivo::drawing
