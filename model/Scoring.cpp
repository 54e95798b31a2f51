// Scoring in one pass over the answers, the validity limits and norms, and the rounding of
// a stored score for display.
#include "model/Scoring.h"

#include <charconv>
#include <cmath>
#include <cstring>

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

namespace {

// Value of each byte as an answer: -1 for a blank (missing), 1..7 or 1..5 for a code,
// 0 for anything else (passed over, yet counted as answered).
constexpr std::array<std::int8_t, 256> MakeValues(char last) {
    std::array<std::int8_t, 256> values{};
    values[static_cast<unsigned char>(kBlankResponse)] = -1;
    for (char c = 'A'; c <= last; ++c) {
        values[static_cast<unsigned char>(c)] = static_cast<std::int8_t>(c - 'A' + 1);
    }
    return values;
}
constexpr auto kRatedValues = MakeValues('G');
constexpr auto kUseValues = MakeValues('E');

// Per form: the subscale of every item position, so scoring is one pass over Responses.
struct FormPlan {
    int count = 0;
    std::array<std::uint8_t, kMaxItems> subscale{};
    std::array<int, kSubscaleCount> n{};
};

const std::array<FormPlan, kFormCount> kPlans = [] {
    std::array<FormPlan, kFormCount> plans{};
    for (FormKind form = 0; form < kFormCount; ++form) {
        auto& plan = plans[static_cast<std::size_t>(form)];
        plan.count = ItemCount(form);
        for (Subscale s : kAllSubscales) {
            const auto items = SubscaleItems(form, s);
            plan.n[static_cast<std::size_t>(Index(s))] = static_cast<int>(items.size());
            for (int item : items) {
                plan.subscale[static_cast<std::size_t>(item - 1)] =
                    static_cast<std::uint8_t>(Index(s));
            }
        }
    }
    return plans;
}();

}  // namespace

void ComputeSubscaleScores(const ClientRecord& record, SubscaleScoreTable& scores) {
    scores = SubscaleScoreTable{};
    const FormKind form = record.TestForm;
    if (!IsKnownForm(form)) return;
    const FormPlan& plan = kPlans[static_cast<std::size_t>(form)];
    constexpr auto kUse = static_cast<std::uint8_t>(Index(Subscale::Use));
    for (int c = 0; c < kConditionCount; ++c) {
        const char* answers = record.Responses + c * kMaxItems;
        std::array<int, kSubscaleCount> sums{};
        std::array<int, kSubscaleCount> missing{};
        for (int i = 0; i < plan.count; ++i) {
            const std::uint8_t s = plan.subscale[static_cast<std::size_t>(i)];
            const auto& values = s == kUse ? kUseValues : kRatedValues;
            const int v = values[static_cast<unsigned char>(answers[i])];
            if (v < 0) {
                ++missing[s];
            } else {
                sums[s] += v;
            }
        }
        auto& row = scores[static_cast<std::size_t>(c)];
        for (std::size_t s = 0; s < kSubscaleCount; ++s) {
            auto& rec = row[s];
            rec.MissingCount = missing[s];
            if (sums[s] > 0) {
                // The quotient is rounded once, to the stored 32-bit float.
                rec.Score = static_cast<float>(static_cast<double>(sums[s]) /
                                               static_cast<double>(plan.n[s] - missing[s]));
            }
            rec.Valid = missing[s] < ValidityLimit(form, kAllSubscales[s]) ? 1 : 0;
        }
    }
}

const NormTableType& SubscaleNorms() {
    return kNorms;
}

std::size_t WriteScoreDisplayText(char* out, const SubscaleScore& score,
                                  std::string_view decimalSeparator) {
    constexpr std::string_view kInvalid = "INV";
    // A float times ten is exact in a double, so rounding sees the float's exact value.
    const double tenths = std::round(static_cast<double>(score.Score) * 10.0);
    if (!score.Valid || !std::isfinite(tenths) || std::fabs(tenths) > 1e17 ||
        decimalSeparator.size() > 8) {
        std::memcpy(out, kInvalid.data(), kInvalid.size());
        return kInvalid.size();
    }
    const auto whole = static_cast<long long>(tenths);
    const auto magnitude = static_cast<unsigned long long>(whole < 0 ? -whole : whole);
    char* p = out;
    if (whole < 0) *p++ = '-';
    p = std::to_chars(p, p + 20, magnitude / 10).ptr;
    std::memcpy(p, decimalSeparator.data(), decimalSeparator.size());
    p += decimalSeparator.size();
    *p++ = static_cast<char>('0' + magnitude % 10);
    return static_cast<std::size_t>(p - out);
}

std::string ScoreDisplayText(const SubscaleScore& score, std::string_view decimalSeparator) {
    char text[kScoreDisplayTextMax];
    return {text, WriteScoreDisplayText(text, score, decimalSeparator)};
}

}  // namespace kivo
