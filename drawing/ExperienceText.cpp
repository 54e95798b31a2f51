// The report's texts of the four hearing-aid experience values.
#include "drawing/ExperienceText.h"

#include <array>

namespace kivo::drawing {

std::string_view ExperienceText(std::int32_t experience) {
    static constexpr std::array<std::string_view, 4> kTexts = {
        "Less than 6 weeks", "6 weeks to 11 months", "1-5 years", "Over 5 years"};
    if (experience < 0 || experience >= static_cast<std::int32_t>(kTexts.size())) return {};
    return kTexts[static_cast<std::size_t>(experience)];
}

}  // namespace kivo::drawing
