#include "Scoring.h"

#include <cmath>
#include <cstdio>

namespace kivo {

namespace {

// MissingCount must stay below these for a valid score.
constexpr std::array<int, kSubscaleCount> kShortLimits = {4, 3, 3, 2, 2, 2};
constexpr std::array<int, kSubscaleCount> kLongLimits = {5, 4, 3, 2, 2, 2};

constexpr NormTableType kNorms = {{
    {2.089f, 2.6524f, 4.6968f, 5.4286f},
    {3.2f, 4.083f, 5.5f, 6.3f},
    {3.0f, 3.75f, 5.25f, 6.0f},
    {1.6f, 2.4f, 4.0f, 5.0f},
    {3.5f, 4.0f, 5.75f, 6.25f},
    {2.6667f, 3.6667f, 4.6667f, 4.6667f},
}};

}  // namespace

int ValidityLimit(FormKind form, Subscale s) {
    if (!IsKnownForm(form)) return 0;
    const auto& limits = form == kLongForm ? kLongLimits : kShortLimits;
    return limits[static_cast<std::size_t>(Index(s))];
}

void ComputeSubscaleScores(const ClientRecord& record, SubscaleScoreTable& scores) {
    scores = SubscaleScoreTable{};
    const FormKind form = record.TestForm;
    if (!IsKnownForm(form)) return;
    for (int c = 0; c < kConditionCount; ++c) {
        auto& row = scores[static_cast<std::size_t>(c)];
        std::array<int, kSubscaleCount> sums{};
        for (Subscale s : kAllSubscales) {
            const auto kind = s == Subscale::Use ? ItemKind::Use : ItemKind::Rated;
            auto& rec = row[static_cast<std::size_t>(Index(s))];
            for (int item : SubscaleItems(form, s)) {
                const char code = ResponseAt(record, c, item);
                if (code == kBlankResponse) {
                    ++rec.MissingCount;
                } else if (const auto value = ItemValue(code, kind)) {
                    sums[static_cast<std::size_t>(Index(s))] += *value;
                }  // any other byte is passed over but counts as answered
            }
        }
        for (Subscale s : kAllSubscales) {
            const auto i = static_cast<std::size_t>(Index(s));
            auto& rec = row[i];
            const auto n = static_cast<int>(SubscaleItems(form, s).size());
            if (sums[i] > 0) {
                rec.Score = static_cast<float>(static_cast<double>(sums[i]) /
                                               static_cast<double>(n - rec.MissingCount));
            }
            rec.Valid = rec.MissingCount < ValidityLimit(form, s) ? 1 : 0;
        }
    }
}

const NormTableType& SubscaleNorms() { return kNorms; }

std::string ScoreDisplayText(const SubscaleScore& score, std::string_view decimalSeparator) {
    if (!score.Valid || !std::isfinite(score.Score)) return "INV";
    // A float times ten is exact in a double, so rounding sees the float's exact value.
    const double tenths = std::round(static_cast<double>(score.Score) * 10.0);
    if (std::fabs(tenths) > 1e17) return "INV";
    const auto whole = static_cast<long long>(tenths);
    const long long magnitude = whole < 0 ? -whole : whole;
    std::string text = whole < 0 ? "-" : "";
    text += std::to_string(magnitude / 10);
    text += decimalSeparator;
    text += std::to_string(magnitude % 10);
    return text;
}

}  // namespace kivo
