// The item view's tables: its order of subscales, the items each shows and the items' norms.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "model/Questionnaire.h"

namespace kivo::drawing {

// The item view orders its subscales as its buttons do: 0 Speech Cues, 1 Listening Effort,
// 2 Pleasantness, 3 Quietness, 4 Convenience, 5 Use.
constexpr int kViewSubscaleCount = 6;

// The scoring subscale of a view subscale; nullopt outside 0..5.
std::optional<Subscale> ViewSubscaleToSubscale(int viewSubscale);

// "Speech Cues", "Listening Effort", "Pleasantness", "Quietness", "Convenience", "Use";
// empty outside 0..5.
std::string_view ViewSubscaleName(int viewSubscale);

// The items drawn for a form and view subscale, ascending; empty for an unknown form or view
// subscale.
std::span<const int> ItemViewItemMap(FormKind form, int viewSubscale);

// Population mean and quartiles of an item's value on the 1-7 scale.
struct ItemNorm {
    float Mean = 0.0f;
    float P25 = 0.0f;
    float P75 = 0.0f;
};
using ItemNormTableType = std::array<std::array<ItemNorm, kMaxItems>, kFormCount>;

// [form][item - 1]; the short forms use the first 28 entries.
const ItemNormTableType& ItemNormTable();

// The norm of item 1..ItemCount(form); nullopt outside the form.
std::optional<ItemNorm> ItemNormOf(FormKind form, int item);

}  // namespace kivo::drawing
