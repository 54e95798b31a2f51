// The forms' tables (item counts, subscale item lists, option labels) and the item text
// table filled from the product content.
#include "model/Questionnaire.h"

#include <algorithm>

#include "model/ProductContent.h"

namespace kivo {
namespace {

constexpr std::array<std::string_view, kFormCount> kFormNames = {"KIVOs(a)", "KIVOs(b)", "KIVO"};
constexpr std::array<int, kFormCount> kItemCounts = {28, 28, 40};

constexpr std::array<std::string_view, kSubscaleCount> kReportNames = {
    "Speech Cues", "Listening Effort", "Quiet", "Pleasantness", "Convenience", "Use"};
constexpr std::array<std::string_view, kSubscaleCount> kViewNames = {
    "Speech Cues", "Listening Effort", "Quietness", "Pleasantness", "Convenience", "Use"};

// The items of each subscale: short forms (a) and (b) share one map, the long form has its own.
constexpr std::array<int, 7> kShortSpeech = {5, 6, 8, 9, 10, 15, 18};
constexpr std::array<int, 5> kShortEffort = {1, 17, 21, 22, 23};
constexpr std::array<int, 5> kShortQuiet = {12, 13, 20, 24, 25};
constexpr std::array<int, 4> kShortPleasant = {3, 4, 7, 16};
constexpr std::array<int, 4> kShortConvenience = {2, 11, 14, 19};
constexpr std::array<int, 3> kShortUse = {26, 27, 28};

constexpr std::array<int, 14> kLongSpeech = {5, 6, 7, 9, 10, 11, 13, 15, 16, 18, 21, 24, 25, 29};
constexpr std::array<int, 10> kLongEffort = {3, 19, 23, 27, 30, 31, 32, 33, 35, 36};
constexpr std::array<int, 5> kLongQuiet = {14, 17, 28, 34, 37};
constexpr std::array<int, 4> kLongPleasant = {2, 4, 8, 22};
constexpr std::array<int, 4> kLongConvenience = {1, 12, 20, 26};
constexpr std::array<int, 3> kLongUse = {38, 39, 40};

const std::array<std::span<const int>, kSubscaleCount> kShortMap = {
    kShortSpeech, kShortEffort, kShortQuiet, kShortPleasant, kShortConvenience, kShortUse};
const std::array<std::span<const int>, kSubscaleCount> kLongMap = {
    kLongSpeech, kLongEffort, kLongQuiet, kLongPleasant, kLongConvenience, kLongUse};

constexpr std::array<std::string_view, 7> kRatedLabels = {
    "Not at all", "A little", "Somewhat", "Medium", "Considerably", "Greatly", "Tremendously"};
constexpr std::array<std::array<std::string_view, 5>, kUseItemCount> kUseLabels = {{
    {"None", "1 - 2 days", "3 - 4 days", "5 - 6 days", "Every day"},
    {"1 - 4 hours", "5 - 6 hours", "7 - 8 hours", "9 - 10 hours", "> 11 hours"},
    {"Never (0%)", "Rarely (25%)", "Sometimes (50%)", "Usually (75%)", "Always (100%)"},
}};
constexpr std::array<std::string_view, 5> kNoLabels = {};

std::array<std::string, kFormCount * kMaxItems> gItemTextTable;

}  // namespace

std::string_view FormKindName(FormKind form) {
    return IsKnownForm(form) ? kFormNames[static_cast<std::size_t>(form)] : std::string_view{};
}

int ItemCount(FormKind form) {
    return IsKnownForm(form) ? kItemCounts[static_cast<std::size_t>(form)] : 0;
}

bool IsUseItem(FormKind form, int item) {
    const int count = ItemCount(form);
    return item > count - kUseItemCount && item <= count && count > 0;
}

std::string_view SubscaleReportName(Subscale s) {
    return kReportNames.at(static_cast<std::size_t>(Index(s)));
}

std::string_view SubscaleViewName(Subscale s) {
    return kViewNames.at(static_cast<std::size_t>(Index(s)));
}

std::span<const int> SubscaleItems(FormKind form, Subscale s) {
    const auto i = static_cast<std::size_t>(Index(s));
    if (!IsKnownForm(form) || i >= kSubscaleCount) return {};
    return form == kLongForm ? kLongMap[i] : kShortMap[i];
}

std::optional<Subscale> SubscaleOfItem(FormKind form, int item) {
    for (Subscale s : kAllSubscales) {
        const auto items = SubscaleItems(form, s);
        if (std::find(items.begin(), items.end(), item) != items.end()) return s;
    }
    return std::nullopt;
}

const std::array<std::string_view, 7>& RatedOptionLabels() {
    return kRatedLabels;
}

const std::array<std::string_view, 5>& UseOptionLabels(int useItem) {
    if (useItem < 0 || useItem >= kUseItemCount) return kNoLabels;
    return kUseLabels[static_cast<std::size_t>(useItem)];
}

int ResponseIndex(int condition, int item) {
    if (condition < 0 || condition >= kConditionCount || item < 1 || item > kMaxItems) return -1;
    return condition * kMaxItems + item - 1;
}

char ResponseAt(const ClientRecord& record, int condition, int item) {
    const int index = ResponseIndex(condition, item);
    return index < 0 ? kBlankResponse : record.Responses[index];
}

std::optional<int> ItemValue(char code, ItemKind kind) {
    const char last = kind == ItemKind::Rated ? 'G' : 'E';
    if (code >= 'A' && code <= last) return code - 'A' + 1;
    return std::nullopt;
}

void FillItemTextTable() {
    const auto& content = Content();
    for (FormKind form = 0; form < kFormCount; ++form) {
        const auto& items = content.items[static_cast<std::size_t>(form)];
        for (std::size_t n = 0; n < items.size() && n < kMaxItems; ++n) {
            gItemTextTable[static_cast<std::size_t>(form) * kMaxItems + n] = items[n];
        }
    }
}

std::string_view ItemText(FormKind form, int item) {
    if (!IsKnownForm(form) || item < 1 || item > ItemCount(form)) return {};
    return gItemTextTable[static_cast<std::size_t>(form * kMaxItems + item - 1)];
}

}  // namespace kivo
