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
    canvas.pen() = canvas::Pen{canvas::kBlack, LayoutPixels(canvas, 2), canvas::PenStyle::Solid};
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    canvas.font().Color = canvas::kBlack;
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
    const int titleStep = TruncProduct(canvas.TextHeight("X"), 1.15);
    SetFont(canvas, kArial, 14, canvas::kBold);
    const std::string text = Printed(title);
    const long double titleWidth = canvas.TextWidth(text);
    canvas.TextOut(TruncToInt(0.5L * width - 0.5L * titleWidth), at.topLine, text);

    // Two rows of two labels, each with its write-in line just below the text: the lines of a
    // column start together after its longer label. The dates' lines get the room a
    // handwritten mm/dd/yyyy needs (over 30 mm on Letter and A4).
    SetFont(canvas, kArial, 11, 0);
    const int gap = canvas.TextHeight("X") / 2;
    const auto lineStart = [&](int x, const char* first, const char* second) {
        return x + std::max(canvas.TextWidth(first), canvas.TextWidth(second)) + gap;
    };
    const int leftLines = lineStart(at.left, kNameLabel, kConditionLabel);
    const int leftEnd = TruncProduct(width, 0.58);
    const int rightLabels = TruncProduct(width, 0.62);
    const int rightLines = lineStart(rightLabels, kBirthDateLabel, kTodayLabel);
    struct Field {
        int x;
        const char* label;
        int from, to;
    };
    const Field rows[2][2] = {
        {{at.left, kNameLabel, leftLines, leftEnd},
         {rightLabels, kBirthDateLabel, rightLines, at.right}},
        {{at.left, kConditionLabel, leftLines, leftEnd},
         {rightLabels, kTodayLabel, rightLines, at.right}},
    };
    // In title heights below the top line.
    constexpr std::array<double, 2> kLabelAt = {1.4, 2.8};
    constexpr std::array<double, 2> kLineAt = {2.1, 3.5};
    for (std::size_t row = 0; row < 2; ++row) {
        const int labelY =
            TruncToInt(at.topLine + static_cast<long double>(kLabelAt[row]) * titleStep);
        const int lineY =
            TruncToInt(at.topLine + static_cast<long double>(kLineAt[row]) * titleStep);
        for (const Field& field : rows[row]) {
            canvas.TextOut(field.x, labelY, field.label);
            canvas.MoveTo(field.from, lineY);
            canvas.LineTo(field.to, lineY);
        }
    }
}

void DrawInstructions(Canvas& canvas, const PageColumns& at) {
    SetFont(canvas, kArial, 12, canvas::kBold);
    const int lineStep = TruncProduct(canvas.TextHeight("X"), 1.1);
    const auto& lines = Content().printInstructions;
    constexpr std::array<int, 5> kLineAt = {5, 6, 7, 9, 10};  // two groups: 3 lines, 2 lines
    for (std::size_t i = 0; i < kLineAt.size() && i < lines.size(); ++i) {
        canvas.TextOut(at.left, at.topLine + kLineAt[i] * lineStep, Printed(lines[i]));
    }
    canvas.TextOut(at.left, at.topLine + 12 * lineStep, kStemLine);

    // The guide stands beside the instructions, from their first line down to the stem
    // line in six equal steps, so the header above has the page's whole width.
    SetFont(canvas, kArial, 11, canvas::kBold);
    for (std::size_t n = 0; n < kAnswerGuide.size(); ++n) {
        const int step = 7 * static_cast<int>(n) * lineStep / 6;
        canvas.TextOut(at.guideColumn, at.topLine + 5 * lineStep + step, kAnswerGuide[n]);
    }
}

int InstructionsBottom(Canvas& canvas, const PageColumns& at) {
    SetFont(canvas, kArial, 12, canvas::kBold);
    const int lineStep = TruncProduct(canvas.TextHeight("X"), 1.1);
    return at.topLine + 12 * lineStep + canvas.TextHeight("X");
}

namespace {
int RowPitch(Canvas& canvas) {
    SetFont(canvas, kArial, 11, 0);
    return TruncProduct(canvas.TextHeight("X"), 2.0);
}
}  // namespace

RatedTable BelowOf(Canvas& canvas, RatedTable table, int clearOf) {
    const int rowPitch = RowPitch(canvas);
    // The first band's top is a row less a quarter below the table's top.
    table.top = std::max(table.top, clearOf - rowPitch + rowPitch / 4);
    return table;
}

int RatedTableBottom(Canvas& canvas, const RatedTable& table) {
    const int rowPitch = RowPitch(canvas);
    return table.top + (table.rows + 1) * rowPitch - rowPitch / 4;
}

void DrawRatedTable(Canvas& canvas, const PageColumns& at, FormKind form, const RatedTable& table,
                    bool continued) {
    SetFont(canvas, kArial, 11, 0);
    const int rowPitch = TruncProduct(canvas.TextHeight("X"), 2.0);
    const int tableTop = table.top;
    const int left = at.left - LayoutPixels(canvas, 10);
    const int right = at.right + LayoutPixels(canvas, 10);
    // A band's text sits a quarter row below the band's top.
    const auto bandTop = [&](int k) { return tableTop + k * rowPitch - rowPitch / 4; };

    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    canvas.Rectangle(left, bandTop(1), right, bandTop(table.rows + 1));
    canvas.brush().SetColor(kMoneyGreen);
    for (int k = 1; k <= table.rows; k += 2)
        canvas.Rectangle(left, bandTop(k), right, bandTop(k + 1));

    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    for (int k = 1; k <= table.rows; ++k) {
        canvas.TextOut(at.itemColumn, tableTop + k * rowPitch, ItemRow(form, table.first + k - 1));
        canvas.TextOut(at.answerColumn, tableTop + k * rowPitch, kAnswerRow);
    }
    if (continued) canvas.TextOut(at.answerColumn, tableTop + 20 * rowPitch, kContinued);
}

}  // namespace kivo::print::parts
