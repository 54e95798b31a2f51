// The item graph's frame, scale, rows and legend.
#include "drawing/ItemGraph.h"

#include <array>
#include <string>

#include "drawing/ItemViewTables.h"
#include "drawing/Truncation.h"
#include "model/Cp1252.h"

namespace kivo::drawing {
namespace {

using canvas::Canvas;
using canvas::Point;
using canvas::Rgb;

constexpr std::size_t kLongestWholeText = 41;
constexpr std::size_t kShortenedLength = 38;
constexpr int kTextLeft = 20;
constexpr canvas::Rgb kCondition1Color = Rgb(0x008000);
constexpr canvas::Rgb kCondition2Color = Rgb(0xFFFF00);

// The item's text as its row shows it: over 41 characters, the first 38 and "...?".
std::string RowText(FormKind form, int item) {
    std::string_view text = ItemText(form, item);
    std::string shown(text.size() > kLongestWholeText ? text.substr(0, kShortenedLength) : text);
    if (text.size() > kLongestWholeText) shown += "...?";
    return std::to_string(item) + ". " + Cp1252ToUtf8(shown);
}

// The answer's value 1..7 for codes 'A'..'G', 0 for anything else.
int AnswerValue(const ClientRecord& record, int condition, int item) {
    return ItemValue(ResponseAt(record, condition, item), ItemKind::Rated).value_or(0);
}

void Triangle(Canvas& canvas, canvas::Rgb color, Point a, Point b, Point c) {
    canvas.brush().SetColor(color);
    const std::array<Point, 3> points{a, b, c};
    canvas.Polygon(points);
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
}

void Dot(Canvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.brush().SetColor(canvas::kBlack);
    canvas.Ellipse(x1, y1, x2, y2);
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
}

void DrawRow(Canvas& canvas, const ItemGraphGeometry& g, const ClientRecord& record, FormKind form,
             int row, int item) {
    const int y = g.RowY(row);
    canvas.TextOut(kTextLeft, y, RowText(form, item));
    const ItemNorm norm = ItemNormOf(form, item).value_or(ItemNorm{});
    canvas.brush().SetColor(Rgb(0xC0C0C0));
    canvas.Rectangle(g.NormX(norm.P25), y, g.NormX(norm.P75), y + 14);
    const int mean = g.NormX(norm.Mean);
    Dot(canvas, mean - 6, y - 2, mean + 6, y + 16);
    if (const int v = AnswerValue(record, 0, item); v > 0) {
        const int x = g.ValueX(100 * v);
        Triangle(canvas, kCondition1Color, {x - 6, y - 2}, {x + 6, y - 2}, {x, y + 16});
    }
    if (const int v = AnswerValue(record, 1, item); v > 0) {
        const int x = g.ValueX(100 * v);
        Triangle(canvas, kCondition2Color, {x - 6, y + 16}, {x + 6, y + 16}, {x, y - 2});
    }
}

void DrawLegend(Canvas& canvas, const ItemGraphGeometry& g, int y) {
    const int x1 = g.ValueX(0);
    canvas.TextOut(x1, y + 40, "Condition 1 -");
    Triangle(canvas, kCondition1Color, {x1 + 80, y + 38}, {x1 + 92, y + 38}, {x1 + 86, y + 56});
    const int x2 = g.ValueX(300);
    canvas.TextOut(x2, y + 40, "Condition 2 -");
    Triangle(canvas, kCondition2Color, {x2 + 80, y + 56}, {x2 + 92, y + 56}, {x2 + 86, y + 38});
    const int x3 = g.ValueX(600);
    canvas.TextOut(x3, y + 40, "Mean -");
    Dot(canvas, x3 + 50, y + 38, x3 + 62, y + 56);
}

}  // namespace

ItemGraphGeometry::ItemGraphGeometry(int width, int height)
    : x0_(TruncProduct(width, 0.5)),
      sx_(static_cast<float>(static_cast<long double>(TruncProduct(width, 0.98) - x0_) *
                             static_cast<long double>(0.00125))),
      y0_(TruncProduct(height, 0.15)),
      sy_(static_cast<float>(TruncProduct(height, 0.87) - y0_) / 14.0f) {}

int ItemGraphGeometry::ValueX(int v) const {
    return TruncToInt(x0_ + v * static_cast<long double>(sx_));
}

int ItemGraphGeometry::RowY(int i) const {
    const long double sy = sy_;
    return TruncToInt(y0_ + i * sy) - TruncToInt(0.5L * sy);
}

int ItemGraphGeometry::NormX(float value) const {
    return ValueX(TruncToInt(static_cast<long double>(value) * 100.0L));
}

void DrawItemGraph(Canvas& canvas, int width, int height, const ClientRecord& record, FormKind form,
                   int viewSubscale) {
    const ItemGraphGeometry g(width, height);
    const auto items = ItemViewItemMap(form, viewSubscale);
    const int n = static_cast<int>(items.size());
    canvas.font().Color = canvas::kBlack;
    canvas.pen().Color = canvas::kBlack;
    canvas.pen().Width = 1;
    canvas.pen().Style = canvas::PenStyle::Solid;
    canvas.font().Name = "Arial";
    canvas.font().Size = 10;
    canvas.font().Style = 0;
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);

    const int top = g.RowY(0);
    const int bottom = g.RowY(n);
    canvas.TextOut(
        g.ValueX(100) - 20, top - 30,
        "Subscale: " + std::string(ViewSubscaleName(viewSubscale)) + " (Bars = middle 50%)");
    canvas.TextOut(kTextLeft, top - 30, "How good are the hearing aids at...");
    canvas.Rectangle(g.ValueX(100) - 20, top - 10, g.ValueX(700) + 20, bottom + 10);
    for (int k = 1; k <= 7; ++k) {
        canvas.MoveTo(g.ValueX(100 * k), top - 10);
        canvas.LineTo(g.ValueX(100 * k), bottom + 10);
        canvas.TextOut(g.ValueX(100 * k), bottom + 15, std::to_string(k));
    }
    for (int i = 0; i < n; ++i)
        DrawRow(canvas, g, record, form, i, items[static_cast<std::size_t>(i)]);
    DrawLegend(canvas, g, bottom);
}

}  // namespace kivo::drawing
