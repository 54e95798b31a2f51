// The subscale score chart: frame, scale, title, column labels, norms, then both conditions'
// profiles and markers.
#include "drawing/SubscaleChart.h"

#include <array>
#include <string>
#include <string_view>

#include "drawing/ScoreValidity.h"
#include "drawing/Truncation.h"
#include "model/Session.h"

namespace kivo::drawing {
namespace {

using canvas::Canvas;
using canvas::Rgb;

constexpr std::string_view kChartFont = "MS Sans Serif";
constexpr std::string_view kTitle = "KIVO Subscale Scores (Boxes=middle 50% / Bars=middle 80%)";
constexpr int kLabelFontSize = 10;
constexpr int kLabelLineGap = 15;
constexpr int kMarkerHalf = 8;
constexpr int kBarHalf = 4;
constexpr int kBoxHalf = 12;

struct ColumnLabel {
    std::string_view line1;
    std::string_view line2;
};
// In column order, which is the scoring order of the subscales.
constexpr std::array<ColumnLabel, kSubscaleCount> kColumnLabels = {{
    {"Speech", "Cues"},
    {"Listening", "Effort"},
    {"Quiet", ""},
    {"Pleasant", ""},
    {"Convenience", ""},
    {"Use", ""},
}};

int ScaleFontSize(ChartVariant variant) {
    return variant == ChartVariant::Screen ? 12 : 10;
}

void SetFont(Canvas& canvas, int size) {
    canvas.font().Name = std::string(kChartFont);
    canvas.font().Size = size;
    canvas.font().Style = 0;
    canvas.font().Color = canvas::kBlack;
}

void SetSolidPen(Canvas& canvas, canvas::Rgb color) {
    canvas.pen().Color = color;
    canvas.pen().Width = 1;
    canvas.pen().Style = canvas::PenStyle::Solid;
}

void DrawScale(Canvas& canvas, const ChartGeometry& g) {
    const int x = g.Left() - canvas.TextWidth("5 ");
    const int halfHeight = TruncProduct(canvas.TextHeight("X"), 0.5);
    for (int k = 1; k <= 7; ++k) {
        const int y = g.ChartLevelY(10 * k);
        canvas.TextOut(x, y - halfHeight, std::to_string(k));
        if (k <= 6) {
            const std::array<canvas::Point, 2> gridline{{{g.Left() + 1, y}, {g.Right(), y}}};
            canvas.Polyline(gridline);
        }
    }
}

void DrawTitle(Canvas& canvas, const ChartGeometry& g) {
    const int x = (g.Left() + g.Right()) / 2 - TruncProduct(canvas.TextWidth(kTitle), 0.5);
    const int y = g.Top() - TruncProduct(canvas.TextHeight(kTitle), 1.4);
    canvas.TextOut(x, y, kTitle);
}

void DrawCentred(Canvas& canvas, int centreX, int y, std::string_view text) {
    if (text.empty()) return;
    canvas.TextOut(centreX - TruncProduct(canvas.TextWidth(text), 0.5), y, text);
}

void DrawColumnLabels(Canvas& canvas, const ChartGeometry& g) {
    const int y = g.Bottom() + TruncProduct(canvas.TextHeight("X"), 0.2);
    for (int k = 1; k <= kSubscaleCount; ++k) {
        const ColumnLabel& label = kColumnLabels[static_cast<std::size_t>(k - 1)];
        DrawCentred(canvas, g.ChartColumnX(k), y, label.line1);
        DrawCentred(canvas, g.ChartColumnX(k), y + kLabelLineGap, label.line2);
    }
}

void DrawNorms(Canvas& canvas, const ChartGeometry& g, const NormTableType& norms) {
    for (int k = 1; k <= kSubscaleCount; ++k) {
        const NormPoints& n = norms[static_cast<std::size_t>(k - 1)];
        const int xc = g.ChartColumnX(k);
        canvas.FillRect({xc - kBarHalf, g.ValueY(n.P90), xc + kBarHalf, g.ValueY(n.P10) + 1});
        canvas.FillRect({xc - kBoxHalf, g.ValueY(n.P75), xc + kBoxHalf, g.ValueY(n.P25) + 1});
    }
}

using ConditionScores = std::array<SubscaleScore, kSubscaleCount>;

void DrawProfile(Canvas& canvas, const ChartGeometry& g, const ConditionScores& scores) {
    for (std::size_t s = 0; s + 1 < scores.size(); ++s) {
        if (!IsValidScore(scores[s]) || !IsValidScore(scores[s + 1])) continue;
        const int k = static_cast<int>(s) + 1;
        canvas.MoveTo(g.ChartColumnX(k), g.ValueY(scores[s].Score));
        canvas.LineTo(g.ChartColumnX(k + 1), g.ValueY(scores[s + 1].Score));
    }
}

enum class MarkerShape { Square, Circle };

void DrawMarkers(Canvas& canvas, const ChartGeometry& g, const ConditionScores& scores,
                 MarkerShape shape) {
    for (std::size_t s = 0; s < scores.size(); ++s) {
        if (!IsValidScore(scores[s])) continue;
        const int xc = g.ChartColumnX(static_cast<int>(s) + 1);
        const int yc = g.ValueY(scores[s].Score);
        if (shape == MarkerShape::Square) {
            canvas.Rectangle(xc - kMarkerHalf, yc - kMarkerHalf, xc + kMarkerHalf,
                             yc + kMarkerHalf);
        } else {
            canvas.Ellipse(xc - kMarkerHalf, yc - kMarkerHalf, xc + kMarkerHalf, yc + kMarkerHalf);
        }
    }
}

}  // namespace

ChartGeometry::ChartGeometry(int width, int height, ChartVariant variant)
    : left_(TruncProduct(width, 0.06)),
      right_(TruncProduct(width, 0.92)),
      top_(TruncProduct(height, 0.07)),
      bottom_(TruncProduct(height, variant == ChartVariant::Screen ? 0.5 : 0.9)),
      stepX_(static_cast<float>(right_ - left_) / 6.0f),
      stepY_(static_cast<float>(bottom_ - top_) / 70.0f) {}

int ChartGeometry::ChartColumnX(int k) const {
    const long double sx = stepX_;
    return TruncToInt(left_ + k * sx) - TruncToInt(0.5L * sx);
}

int ChartGeometry::ChartLevelY(int t) const {
    return TruncToInt(bottom_ - t * static_cast<long double>(stepY_));
}

int ChartGeometry::ValueY(float value) const {
    return ChartLevelY(TruncToInt(10.0L * static_cast<long double>(value)));
}

void DrawSubscaleChart(Canvas& canvas, int width, int height, ChartVariant variant,
                       const SubscaleScoreTable& scores, const NormTableType& norms) {
    const ChartGeometry g(width, height, variant);
    // Each piece paints over the ones before it: the norms over the gridlines, the markers over
    // the profiles that join them.
    canvas.brush().SetColor(canvas::kWhite);
    SetSolidPen(canvas, canvas::kBlack);
    canvas.Rectangle(g.Left(), g.Top(), g.Right() + 1, g.Bottom() + 1);
    // The scale digits sit on white cells; the gridlines are dotted silver.
    SetFont(canvas, ScaleFontSize(variant));
    canvas.pen().Style = canvas::PenStyle::Dotted;
    canvas.pen().Color = Rgb(0xC0C0C0);
    DrawScale(canvas, g);
    SetSolidPen(canvas, canvas::kBlack);
    SetFont(canvas, ScaleFontSize(variant));
    DrawTitle(canvas, g);
    // The column labels are transparent.
    SetFont(canvas, kLabelFontSize);
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    DrawColumnLabels(canvas, g);
    canvas.brush().SetColor(Rgb(0xC0C0C0));
    DrawNorms(canvas, g, norms);
    DrawProfile(canvas, g, scores[0]);
    DrawProfile(canvas, g, scores[1]);
    canvas.brush().SetColor(Rgb(0xFF0000));
    DrawMarkers(canvas, g, scores[0], MarkerShape::Square);
    canvas.brush().SetColor(Rgb(0x0000FF));
    DrawMarkers(canvas, g, scores[1], MarkerShape::Circle);
}

void DrawSubscaleChart(Canvas& canvas, int width, int height, ChartVariant variant) {
    DrawSubscaleChart(canvas, width, height, variant, SubscaleScores, NormTable);
}

}  // namespace kivo::drawing
