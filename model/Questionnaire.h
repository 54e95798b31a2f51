// The three questionnaire forms: their items, which subscale each item scores, the answer
// options and where each answer sits in the client record.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/ClientRecord.h"

namespace kivo {

// The form a client answered, as stored in ClientRecord::TestForm. Any int32 may arrive
// from a file: every lookup below is safe for values outside 0..2.
using FormKind = std::int32_t;
constexpr FormKind kShortFormA = 0;
constexpr FormKind kShortFormB = 1;
constexpr FormKind kLongForm = 2;
constexpr int kFormCount = 3;
constexpr int kMaxItems = 40;  // positions per condition in Responses
constexpr int kUseItemCount = 3;
constexpr int kConditionCount = 2;

constexpr bool IsKnownForm(FormKind form) {
    return form >= 0 && form < kFormCount;
}

// "KIVOs(a)", "KIVOs(b)", "KIVO"; empty for an unknown form.
std::string_view FormKindName(FormKind form);

// 28, 28 or 40; 0 for an unknown form.
int ItemCount(FormKind form);

// The last three items of a form are its use items; the rest are rated on A..G.
bool IsUseItem(FormKind form, int item);

enum class Subscale : int { SpeechCues, ListeningEffort, Quiet, Pleasantness, Convenience, Use };
constexpr int kSubscaleCount = 6;
constexpr std::array<Subscale, kSubscaleCount> kAllSubscales = {
    Subscale::SpeechCues,   Subscale::ListeningEffort, Subscale::Quiet,
    Subscale::Pleasantness, Subscale::Convenience,     Subscale::Use};
constexpr int Index(Subscale s) {
    return static_cast<int>(s);
}

// "Speech Cues", "Listening Effort", "Quiet", ... as on the report.
std::string_view SubscaleReportName(Subscale s);
// As on the item score view: "Quietness" for Quiet, otherwise the report name.
std::string_view SubscaleViewName(Subscale s);

// Ascending item numbers of a subscale on a form; empty for an unknown form.
std::span<const int> SubscaleItems(FormKind form, Subscale s);

// The subscale an item belongs to, or nullopt when the item is not on the form.
std::optional<Subscale> SubscaleOfItem(FormKind form, int item);

// Option labels: the seven of a rated item ("Not at all" .. "Tremendously") and the five
// of use item 0, 1 or 2 (first, second, third), in code order A, B, ...
const std::array<std::string_view, 7>& RatedOptionLabels();
const std::array<std::string_view, 5>& UseOptionLabels(int useItem);

// The answer code of item `item` (1-based) for condition 0 or 1; a blank for a position
// outside Responses.
char ResponseAt(const ClientRecord& record, int condition, int item);

// Byte offset of that answer within Responses, or -1 when out of range.
int ResponseIndex(int condition, int item);

enum class ItemKind { Rated, Use };

// 1..7 for a rated 'A'..'G', 1..5 for a use 'A'..'E'; nullopt for a blank or any other byte.
std::optional<int> ItemValue(char code, ItemKind kind);

// --- Item texts ---------------------------------------------------------------------

// Fills the process-wide item text table from the product content. Idempotent.
void FillItemTextTable();

// Entry form * 40 + item - 1 of the table: Windows-1252 text; empty for anything outside
// the form or before the table is filled.
std::string_view ItemText(FormKind form, int item);

}  // namespace kivo
