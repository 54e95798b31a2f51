// Lengths in the report engine are tenths of a millimetre (floating point), measured from the
// paper's top-left corner for pages and from the band's top-left corner for elements.
#pragma once

#include <cmath>

namespace kivo::report {

constexpr double kTenthsPerInch = 254.0;
constexpr double kDesignDpi = 96.0;  // the scale a report is designed at

// One screen pixel at design scale, in tenths of a millimetre.
constexpr double kTenthsPerDesignPixel = kTenthsPerInch / kDesignDpi;

// Rounds to the nearest integer, ties to even.
inline long RoundHalfEven(double v) {
    return std::lrint(v);  // the default rounding mode rounds ties to even
}

// A length on the page to a device coordinate: round((x - offset) * dpi / 254).
inline long ToDevice(double tenths, double dpi, double offsetTenths = 0.0) {
    return RoundHalfEven((tenths - offsetTenths) * dpi / kTenthsPerInch);
}

// A size (no offset) to device pixels.
inline long SizeToDevice(double tenths, double dpi) {
    return ToDevice(tenths, dpi);
}

inline double DesignPixelsToTenths(double pixels) {
    return pixels * kTenthsPerDesignPixel;
}

}  // namespace kivo::report
