// The item view's subscale order and the population norms of every item of each form.
#include "drawing/ItemViewTables.h"

namespace kivo::drawing {
namespace {

constexpr std::array<Subscale, kViewSubscaleCount> kViewOrder = {
    Subscale::SpeechCues, Subscale::ListeningEffort, Subscale::Pleasantness,
    Subscale::Quiet,      Subscale::Convenience,     Subscale::Use};

// Item by item from 1; each value is the float nearest its decimal.
constexpr ItemNormTableType kItemNorms = {{
    // Short form (a).
    {{{4.84f, 4, 6}, {4.53f, 3, 6}, {4.82f, 4, 6}, {4.87f, 4, 6}, {4.28f, 3, 5}, {4.12f, 3, 5},
      {4.27f, 3, 5}, {4.36f, 3, 5}, {4.04f, 3, 5}, {4.64f, 4, 6}, {5.49f, 5, 7}, {3.58f, 2, 5},
      {3.23f, 2, 4}, {4.65f, 4, 6}, {4.38f, 3, 5}, {4.64f, 4, 6}, {5.18f, 4, 6}, {3.77f, 2, 5},
      {5.28f, 4, 7}, {3.43f, 2, 5}, {4.98f, 4, 6}, {4.94f, 4, 6}, {5.25f, 4, 6}, {3.48f, 2, 5},
      {4.09f, 3, 5}, {3.57f, 3, 4}, {3.72f, 3, 5}, {4.68f, 4, 5}}},
    // Short form (b).
    {{{5.39f, 5, 6}, {4.53f, 3, 6}, {4.82f, 4, 6}, {4.87f, 4, 6}, {4.55f, 3, 6},     {4.34f, 3, 5},
      {4.27f, 3, 5}, {3.91f, 3, 5}, {4.34f, 3, 6}, {3.87f, 3, 5}, {5.49f, 5, 7},     {3.58f, 2, 5},
      {3.23f, 2, 4}, {4.65f, 4, 6}, {3.99f, 3, 5}, {4.64f, 4, 6}, {5.27f, 4.13f, 6}, {4.4f, 3, 6},
      {5.28f, 4, 7}, {3.43f, 2, 5}, {5.02f, 4, 6}, {4.76f, 4, 6}, {5.15f, 4, 6},     {3.48f, 2, 5},
      {4.09f, 3, 5}, {3.57f, 3, 4}, {3.72f, 3, 5}, {4.68f, 4, 5}}},
    // Long form.
    {{{4.53f, 3, 6}, {4.82f, 4, 6}, {4.84f, 4, 6},     {4.87f, 4, 6}, {4.55f, 3, 6}, {4.28f, 3, 5},
      {4.12f, 3, 5}, {4.27f, 3, 5}, {4.36f, 3, 5},     {4.04f, 3, 5}, {4.64f, 4, 6}, {5.49f, 5, 7},
      {4.34f, 3, 5}, {3.58f, 2, 5}, {3.91f, 3, 5},     {4.34f, 3, 6}, {3.23f, 2, 4}, {3.87f, 3, 5},
      {5.39f, 5, 6}, {4.65f, 4, 6}, {4.38f, 3, 5},     {4.64f, 4, 6}, {5.18f, 4, 6}, {3.77f, 2, 5},
      {3.99f, 3, 5}, {5.28f, 4, 7}, {5.27f, 4.13f, 6}, {3.43f, 2, 5}, {4.4f, 2, 6},  {4.98f, 4, 6},
      {4.94f, 4, 6}, {5.02f, 4, 6}, {5.25f, 4, 6},     {3.48f, 2, 5}, {4.76f, 4, 6}, {5.15f, 4, 6},
      {4.09f, 3, 5}, {3.57f, 3, 4}, {3.72f, 3, 5},     {4.68f, 4, 5}}},
}};

}  // namespace

std::optional<Subscale> ViewSubscaleToSubscale(int viewSubscale) {
    if (viewSubscale < 0 || viewSubscale >= kViewSubscaleCount) return std::nullopt;
    return kViewOrder[static_cast<std::size_t>(viewSubscale)];
}

std::string_view ViewSubscaleName(int viewSubscale) {
    const auto subscale = ViewSubscaleToSubscale(viewSubscale);
    return subscale ? SubscaleViewName(*subscale) : std::string_view{};
}

std::span<const int> ItemViewItemMap(FormKind form, int viewSubscale) {
    const auto subscale = ViewSubscaleToSubscale(viewSubscale);
    if (!subscale) return {};
    return SubscaleItems(form, *subscale);
}

const ItemNormTableType& ItemNormTable() {
    return kItemNorms;
}

std::optional<ItemNorm> ItemNormOf(FormKind form, int item) {
    if (!IsKnownForm(form) || item < 1 || item > ItemCount(form)) return std::nullopt;
    return kItemNorms[static_cast<std::size_t>(form)][static_cast<std::size_t>(item - 1)];
}

}  // namespace kivo::drawing
