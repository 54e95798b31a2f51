// What the report screen's paint box shows: the chart over the score tables.
#pragma once

#include <string_view>

#include "canvas/Canvas.h"
#include "model/Scoring.h"

namespace kivo::drawing {

// The report screen's paint box at 625 x 623 pixels.
constexpr int kReportBoxWidth = 625;
constexpr int kReportBoxHeight = 623;

// What the report screen's paint box shows: the chart in its screen variant over the two
// score tables in their screen layout.
void DrawReportPaintBox(canvas::Canvas& canvas, int width, int height,
                        const SubscaleScoreTable& scores, const NormTableType& norms,
                        std::string_view decimalSeparator);

}  // namespace kivo::drawing
