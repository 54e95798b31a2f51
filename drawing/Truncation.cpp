// Cutting a value to an int, safe for NaN and values beyond the int range.
#include "drawing/Truncation.h"

#include <cmath>
#include <limits>

namespace kivo::drawing {

int TruncToInt(long double value) {
    if (std::isnan(value)) return 0;
    constexpr auto kMin = static_cast<long double>(std::numeric_limits<int>::min());
    constexpr auto kMax = static_cast<long double>(std::numeric_limits<int>::max());
    if (value <= kMin) return std::numeric_limits<int>::min();
    if (value >= kMax) return std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(value));
}

}  // namespace kivo::drawing
