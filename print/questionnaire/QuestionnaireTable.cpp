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
constexpr const char* kNameLabel = "Name:";
constexpr const char* kConditionLabel = "Hearing aid / condition:";
constexpr const char* kBirthDateLabel = "Date of Birth:";
constexpr const char* kTodayLabel = "Today's Date:";

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

    // Two rows of two labels, each with its write-in line just below the text: the lines of a
    // column start together after its longer label. The dates' lines get the room a
    // handwritten mm/dd/yyyy needs (over 30 mm on Letter and A4).
    SetFont(canvas, kArial, 11, 0);
    const int gap = canvas.TextHeight("X") / 2;
    const auto lineStart = [&](int x, const char* first, const char* second) {
        return x + std::max(canvas.TextWidth(first), canvas.TextWidth(second)) + gap;
    };
    const int leftLines = lineStart(at.X0, kNameLabel, kConditionLabel);
    const int leftEnd = TruncProduct(width, 0.58);
    const int rightLabels = TruncProduct(width, 0.62);
    const int rightLines = lineStart(rightLabels, kBirthDateLabel, kTodayLabel);
    struct Field {
        int x;
        const char* label;
        int from, to;
    };
    const Field rows[2][2] = {
        {{at.X0, kNameLabel, leftLines, leftEnd},
         {rightLabels, kBirthDateLabel, rightLines, at.XR}},
        {{at.X0, kConditionLabel, leftLines, leftEnd},
         {rightLabels, kTodayLabel, rightLines, at.XR}},
    };
    // In title heights below the top line.
    constexpr std::array<double, 2> kLabelAt = {1.4, 2.8};
    constexpr std::array<double, 2> kLineAt = {2.1, 3.5};
    for (std::size_t row = 0; row < 2; ++row) {
        const int labelY = TruncToInt(at.q0 + static_cast<long double>(kLabelAt[row]) * s0);
        const int lineY = TruncToInt(at.q0 + static_cast<long double>(kLineAt[row]) * s0);
        for (const Field& field : rows[row]) {
            canvas.TextOut(field.x, labelY, field.label);
            canvas.MoveTo(field.from, lineY);
            canvas.LineTo(field.to, lineY);
        }
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

    // The guide stands beside the instructions, from their first line down to the stem
    // line in six equal steps, so the header above has the page's whole width.
    SetFont(canvas, kArial, 11, canvas::fsBold);
    for (std::size_t n = 0; n < kAnswerGuide.size(); ++n) {
        const int step = 7 * static_cast<int>(n) * s1 / 6;
        canvas.TextOut(at.XG, at.q0 + 5 * s1 + step, kAnswerGuide[n]);
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
