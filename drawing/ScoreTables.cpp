// The score tables' frames, legends, scores and missing counts at fractions of their boxes.
#include "drawing/ScoreTables.h"

#include <QLocale>
#include <QString>
#include <array>

#include "drawing/ScoreValidity.h"
#include "drawing/Truncation.h"
#include "model/Session.h"

namespace kivo::drawing {
namespace {

using canvas::Canvas;

// Row label and row y fraction, in scoring order of the subscales.
constexpr std::array<double, kSubscaleCount> kRowFractions = {0.28, 0.39, 0.50, 0.61, 0.72, 0.83};

struct TableBox {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    // The point of cell position (fx, fy) inside the table.
    canvas::Point At(double fx, double fy) const {
        return {x0 + TruncProduct(x1 - x0, fx), y0 + TruncProduct(y1 - y0, fy)};
    }
};

void TextAt(Canvas& canvas, const TableBox& box, double fx, double fy, std::string_view text) {
    const canvas::Point p = box.At(fx, fy);
    canvas.TextOut(p.x, p.y, text);
}

void Line(Canvas& canvas, canvas::Point from, canvas::Point to) {
    canvas.MoveTo(from.x, from.y);
    canvas.LineTo(to.x, to.y);
}

void DrawFrame(Canvas& canvas, const TableBox& box) {
    canvas.font().Name = "Arial";
    canvas.font().Size = 10;
    canvas.font().Style = 0;
    canvas.font().Color = canvas::kBlack;
    canvas.pen().Color = canvas::kBlack;
    canvas.pen().Width = 1;
    canvas.pen().Style = canvas::PenStyle::Solid;
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    canvas.Rectangle(box.x0, box.y0, box.x1, box.y1);
    const int ruleY = box.At(0, 0.26).y;
    Line(canvas, {box.x0, ruleY}, {box.x1, ruleY});
    for (double fx : {0.44, 0.68}) {
        const int x = box.At(fx, 0).x;
        Line(canvas, {x, box.y0}, {x, box.y1});
    }
    TextAt(canvas, box, 0.02, 0.02, "Subscale");
    TextAt(canvas, box, 0.45, 0.02, "Score");
    TextAt(canvas, box, 0.70, 0.02, "# of Items");
    TextAt(canvas, box, 0.70, 0.12, "Missing");
    for (Subscale s : kAllSubscales) {
        TextAt(canvas, box, 0.02, kRowFractions[static_cast<std::size_t>(Index(s))],
               SubscaleReportName(s));
    }
}

void DrawLegend(Canvas& canvas, const TableBox& box, int condition) {
    const int y = box.y0 - 25;
    canvas.TextOut(box.x0, y, condition == 0 ? "Condition 1:" : "Condition 2:");
    if (condition == 0) {
        canvas.brush().SetColor(canvas::Rgb(0xFF0000));
        canvas.Rectangle(box.x0 + 80, y, box.x0 + 100, box.y0 - 5);
    } else {
        canvas.brush().SetColor(canvas::Rgb(0x0000FF));
        canvas.Ellipse(box.x0 + 80, y, box.x0 + 100, box.y0 - 5);
    }
}

void DrawValues(Canvas& canvas, const TableBox& box,
                const std::array<SubscaleScore, kSubscaleCount>& scores,
                std::string_view decimalSeparator) {
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    for (std::size_t s = 0; s < scores.size(); ++s) {
        const SubscaleScore& score = scores[s];
        const std::string text =
            IsValidScore(score) ? ScoreDisplayText(score, decimalSeparator) : "INV";
        TextAt(canvas, box, 0.48, kRowFractions[s], text);
    }
    for (std::size_t s = 0; s < scores.size(); ++s) {
        TextAt(canvas, box, 0.80, kRowFractions[s], std::to_string(scores[s].MissingCount));
    }
}

}  // namespace

std::string LocaleDecimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

void DrawScoreTables(Canvas& canvas, int width, int height, TableLayout layout,
                     const SubscaleScoreTable& scores, std::string_view decimalSeparator) {
    const bool screen = layout == TableLayout::Screen;
    const int y0 = screen ? TruncProduct(height, 0.64) : 50;
    const int y1 = screen ? TruncProduct(height, 0.98) : height;
    const std::array<TableBox, kConditionCount> boxes = {{
        {TruncProduct(width, 0.02), y0, TruncProduct(width, 0.46), y1},
        {TruncProduct(width, 0.52), y0, TruncProduct(width, 0.96), y1},
    }};
    for (int c = 0; c < kConditionCount; ++c) {
        const TableBox& box = boxes[static_cast<std::size_t>(c)];
        DrawFrame(canvas, box);
        DrawLegend(canvas, box, c);
        DrawValues(canvas, box, scores[static_cast<std::size_t>(c)], decimalSeparator);
    }
}

void DrawScoreTables(Canvas& canvas, int width, int height, TableLayout layout) {
    DrawScoreTables(canvas, width, height, layout, SubscaleScores, LocaleDecimalSeparator());
}

}  // namespace kivo::drawing
