// The drawings' colours as opaque pixel values, for tests that probe rendered images.
#pragma once

#include <QColor>

namespace kivo::testing::pixels {
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kSilver = 0xFFC0C0C0u;
}  // namespace kivo::testing::pixels
