// The words the report prints for a hearing-aid experience value.
#pragma once

#include <cstdint>
#include <string_view>

namespace kivo::drawing {

// The report text of a hearing-aid experience value 0..3 ("Less than 6 weeks" ..
// "Over 5 years"); empty for any other value.
std::string_view ExperienceText(std::int32_t experience);

}  // namespace kivo::drawing
