// The top half of the blank questionnaire pages: header, instructions, answer guide and the
// rated-item table.
#include <algorithm>
#include <array>
#include <cmath>

#include "drawing/Truncation.h"
#include "model/Cp1252.h"
#include "model/ProductContent.h"
#include "print/questionnaire/QuestionnaireParts.h"

namespace kivo::print::parts {

using canvas::Canvas;
using drawing::TruncProduct;
using drawing::TruncToInt;

namespace {

constexpr const char* kArial = "Arial";

constexpr std::array<const char*, 7> kAnswerGuide = {
    " A  Not at all",   " B  A little", " C  Somewhat",    " D  Medium",
    " E  Considerably", " F  Greatly",  " G  Tremendously"};
constexpr const char* kAnswerRow = "  A     B     C     D     E     F     G";
constexpr const char* kStemLine = " How good are the hearing aids at...";
constexpr const char* kContinued = "  (continued on next page)";

// The printed row of a rated item: "  n.  text" on one line.
std::string ItemRow(FormKind form, int item) {
    const auto& rows = Content().printedItemRows[static_cast<std::size_t>(form)];
    if (item < 1 || item > static_cast<int>(rows.size())) return {};
    return Printed(rows[static_cast<std::size_t>(item - 1)]);
}

}  // namespace

int LayoutPixels(const Canvas& canvas, int px) {
    constexpr int kLayoutPixelsPerInch = 600;
    return std::max(1,
                    static_cast<int>(std::lround(static_cast<double>(px) * canvas.PixelsPerInch() /
                                                 kLayoutPixelsPerInch)));
}

void PrepareCanvas(Canvas& canvas) {
    canvas.pen() = canvas::Pen{canvas::clBlack, LayoutPixels(canvas, 2), canvas::psSolid};
    canvas.brush().SetStyle(canvas::bsClear);
    canvas.font().Color = canvas::clBlack;
}

void SetFont(Canvas& canvas, const char* name, int size, unsigned style) {
    canvas.font().Name = name;
    canvas.font().Size = size;
    canvas.font().Style = style;
}

std::string Printed(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

void DrawHeader(Canvas& canvas, int width, const PageColumns& at, std::string_view title) {
    SetFont(canvas, kArial, 14, 0);
    const int s0 = TruncProduct(canvas.TextHeight("X"), 1.15);
    SetFont(canvas, kArial, 14, canvas::fsBold);
    const std::string text = Printed(title);
    const long double titleWidth = canvas.TextWidth(text);
    canvas.TextOut(TruncToInt(0.5L * width - 0.5L * titleWidth), at.q0, text);

    SetFont(canvas, kArial, 11, 0);
    const int labelY = at.q0 + 2 * s0;
    canvas.TextOut(at.X0, labelY, "Name:");
    canvas.TextOut(TruncProduct(width, 0.46), labelY, "Date of Birth:");
    canvas.TextOut(TruncProduct(width, 0.74), labelY, "Today's Date:");

    const int lineY = TruncToInt(at.q0 + static_cast<long double>(2.7) * s0);
    const std::array<std::array<int, 2>, 3> writeIn = {{
        {TruncProduct(width, 0.128), TruncProduct(width, 0.41)},
        {TruncProduct(width, 0.58), TruncProduct(width, 0.69)},
        {TruncProduct(width, 0.86), at.XR},
    }};
    for (const auto& [from, to] : writeIn) {
        canvas.MoveTo(from, lineY);
        canvas.LineTo(to, lineY);
    }
}

void DrawInstructions(Canvas& canvas, const PageColumns& at) {
    SetFont(canvas, kArial, 12, canvas::fsBold);
    const int s1 = TruncProduct(canvas.TextHeight("X"), 1.1);
    const auto& lines = Content().printInstructions;
    constexpr std::array<int, 5> kLineAt = {5, 6, 7, 9, 10};  // two groups: 3 lines, 2 lines
    for (std::size_t i = 0; i < kLineAt.size() && i < lines.size(); ++i) {
        canvas.TextOut(at.X0, at.q0 + kLineAt[i] * s1, Printed(lines[i]));
    }
    canvas.TextOut(at.X0, at.q0 + 12 * s1, kStemLine);

    const int s2 = TruncProduct(canvas.TextHeight("X"), 1.4);
    SetFont(canvas, kArial, 11, canvas::fsBold);
    for (std::size_t n = 0; n < kAnswerGuide.size(); ++n) {
        canvas.TextOut(at.XG, at.q0 + (static_cast<int>(n) + 3) * s2, kAnswerGuide[n]);
    }
}

int InstructionsBottom(Canvas& canvas, const PageColumns& at) {
    SetFont(canvas, kArial, 12, canvas::fsBold);
    const int s1 = TruncProduct(canvas.TextHeight("X"), 1.1);
    return at.q0 + 12 * s1 + canvas.TextHeight("X");
}

namespace {
int RowPitch(Canvas& canvas) {
    SetFont(canvas, kArial, 11, 0);
    return TruncProduct(canvas.TextHeight("X"), 2.0);
}
}  // namespace

RatedTable BelowOf(Canvas& canvas, RatedTable table, int clearOf) {
    const int r = RowPitch(canvas);
    // The first band's top is a row less a quarter below the table's top.
    table.top = std::max(table.top, clearOf - r + r / 4);
    return table;
}

int RatedTableBottom(Canvas& canvas, const RatedTable& table) {
    const int r = RowPitch(canvas);
    return table.top + (table.rows + 1) * r - r / 4;
}

void DrawRatedTable(Canvas& canvas, const PageColumns& at, FormKind form, const RatedTable& table,
                    bool continued) {
    SetFont(canvas, kArial, 11, 0);
    const int r = TruncProduct(canvas.TextHeight("X"), 2.0);
    const int q = table.top;
    const int left = at.X0 - LayoutPixels(canvas, 10);
    const int right = at.XR + LayoutPixels(canvas, 10);
    // A band's text sits a quarter row below the band's top.
    const auto bandTop = [&](int k) { return q + k * r - r / 4; };

    canvas.brush().SetStyle(canvas::bsClear);
    canvas.Rectangle(left, bandTop(1), right, bandTop(table.rows + 1));
    canvas.brush().SetColor(kMoneyGreen);
    for (int k = 1; k <= table.rows; k += 2)
        canvas.Rectangle(left, bandTop(k), right, bandTop(k + 1));

    canvas.brush().SetStyle(canvas::bsClear);
    for (int k = 1; k <= table.rows; ++k) {
        canvas.TextOut(at.XI, q + k * r, ItemRow(form, table.first + k - 1));
        canvas.TextOut(at.XL, q + k * r, kAnswerRow);
    }
    if (continued) canvas.TextOut(at.XL, q + 20 * r, kContinued);
}

}  // namespace kivo::print::parts
