// The subscale score chart against the population norms, for the report screen and the printed
// report.
#pragma once

#include "canvas/Canvas.h"
#include "model/Scoring.h"

namespace kivo::drawing {

// The screen variant fills the upper half of the report screen's paint box; the print
// variant fills a bitmap of its own with smaller scale and title fonts.
enum class ChartVariant { Screen, Print };

// The chart's plot frame and its value-to-pixel mapping for a target of W x H pixels.
class ChartGeometry {
public:
    ChartGeometry(int width, int height, ChartVariant variant);

    int Left() const { return left_; }
    int Right() const { return right_; }
    int Top() const { return top_; }
    int Bottom() const { return bottom_; }

    // Centre of column k = 1..6.
    int ChartColumnX(int k) const;
    // Row of scale level t, in tenths of a scale point: 0 at the bottom, 70 at the top.
    int ChartLevelY(int t) const;
    // Row of a score or norm value: cut (not rounded) to tenths.
    int ValueY(float value) const;

private:
    int left_ = 0;
    int right_ = 0;
    int top_ = 0;
    int bottom_ = 0;
    float stepX_ = 0.0f;
    float stepY_ = 0.0f;
};

// Draws the subscale score chart: norm bars and boxes, both conditions' markers and
// profiles. On return the pen is solid black of width 1 and the font "MS Sans Serif" 10 pt
// plain black.
void DrawSubscaleChart(canvas::Canvas& canvas, int width, int height, ChartVariant variant,
                       const SubscaleScoreTable& scores, const NormTableType& norms);

// As above from the session's SubscaleScores and NormTable.
void DrawSubscaleChart(canvas::Canvas& canvas, int width, int height, ChartVariant variant);

}  // namespace kivo::drawing
