// Integer positions cut toward zero from products formed in extended precision, as the
// drawings' layouts are written.
#pragma once

namespace kivo::drawing {

// Drawing positions are products of integers and fractions formed in extended precision and
// cut toward zero, so that 625 x 0.96 gives 599, as the layouts are written.

// trunc(value) as an int; NaN gives 0 and values beyond the int range stop at its ends.
int TruncToInt(long double value);

// trunc(n x fraction), the fraction being the double nearest its decimal value.
inline int TruncProduct(int n, double fraction) {
    return TruncToInt(static_cast<long double>(n) * static_cast<long double>(fraction));
}

}  // namespace kivo::drawing
