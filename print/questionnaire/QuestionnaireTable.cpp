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

// The printed row of a rated item, "  n.  text", as its number ("n.") and its text.
struct ItemParts {
    std::string number;
    std::string text;
};
ItemParts ItemRow(FormKind form, int item) {
    const auto& rows = Content().printedItemRows[static_cast<std::size_t>(form)];
    if (item < 1 || item > static_cast<int>(rows.size())) return {};
    const std::string row = Printed(rows[static_cast<std::size_t>(item - 1)]);
    const std::size_t from = row.find_first_not_of(' ');
    if (from == std::string::npos) return {};
    const std::size_t dot = row.find(". ", from);
    if (dot == std::string::npos) return {{}, row.substr(from)};
    const std::size_t text = row.find_first_not_of(' ', dot + 1);
    return {row.substr(from, dot + 1 - from), text == std::string::npos ? "" : row.substr(text)};
}

// The instructions' line step, from their own font.
int InstructionStep(Canvas& canvas, const PageColumns& at) {
    SetFont(canvas, at, kArial, 12, canvas::kBold);
    return TruncProduct(canvas.TextHeight("X"), 1.1);
}

}  // namespace

int LayoutPixels(const Canvas& canvas, int px) {
    constexpr int kLayoutPixelsPerInch = 600;
    return std::max(1,
                    static_cast<int>(std::lround(static_cast<double>(px) * canvas.PixelsPerInch() /
                                                 kLayoutPixelsPerInch)));
}

PageColumns PageOf(const Canvas& canvas, int width, int height) {
    PageColumns at = ColumnsOf(width, height);
    at.typeScale = TypeScale(width, height, canvas.PixelsPerInch());
    return at;
}

void PrepareCanvas(Canvas& canvas) {
    canvas.pen() = canvas::Pen{canvas::kBlack, LayoutPixels(canvas, 2), canvas::PenStyle::Solid};
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    canvas.font().Color = canvas::kBlack;
}

void SetFont(Canvas& canvas, const PageColumns& at, const char* name, int size, unsigned style) {
    canvas.font().Name = name;
    canvas.font().Size = std::max(5, static_cast<int>(size * at.typeScale + 1e-9));
    canvas.font().Style = style;
}

std::string Printed(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

void DrawHeader(Canvas& canvas, int width, const PageColumns& at, std::string_view title,
                int page) {
    SetFont(canvas, at, kArial, 14, 0);
    const int titleStep = TruncProduct(canvas.TextHeight("X"), 1.15);
    SetFont(canvas, at, kArial, 14, canvas::kBold);
    const std::string text = Printed(title);
    const long double titleWidth = canvas.TextWidth(text);
    canvas.TextOut(TruncToInt(0.5L * width - 0.5L * titleWidth), at.topLine, text);

    // Two rows of two labels, each with its write-in line just below the text, from just
    // after the label to the column's end. The dates' lines get the room a handwritten
    // mm/dd/yyyy needs (over 30 mm on Letter and A4).
    SetFont(canvas, at, kArial, 11, 0);
    const std::string pageText = PageOfTwo(page);
    canvas.TextOut(at.right - canvas.TextWidth(pageText), at.topLine, pageText);
    const int gap = canvas.TextHeight("X") / 3;
    // The dates' column moves left on a narrow area, so its lines keep 32 mm.
    const int dateLine = static_cast<int>(std::lround(32.0 / 25.4 * canvas.PixelsPerInch()));
    const int dateLabel =
        std::max(canvas.TextWidth(kBirthDateLabel), canvas.TextWidth(kTodayLabel));
    const int rightLabels =
        std::min(TruncProduct(width, 0.62), at.right - dateLine - gap - dateLabel);
    const int leftEnd =
        std::min(TruncProduct(width, 0.58), rightLabels - TruncProduct(width, 0.04));
    struct Field {
        int x;
        const char* label;
        int to;
    };
    const Field rows[2][2] = {
        {{at.left, kNameLabel, leftEnd}, {rightLabels, kBirthDateLabel, at.right}},
        {{at.left, kConditionLabel, leftEnd}, {rightLabels, kTodayLabel, at.right}},
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
            canvas.MoveTo(field.x + canvas.TextWidth(field.label) + gap, lineY);
            canvas.LineTo(field.to, lineY);
        }
    }
}

void DrawInstructions(Canvas& canvas, const PageColumns& at) {
    const int lineStep = InstructionStep(canvas, at);
    const auto& lines = Content().printInstructions;
    constexpr std::array<int, 5> kLineAt = {5, 6, 7, 9, 10};  // two groups: 3 lines, 2 lines
    for (std::size_t i = 0; i < kLineAt.size() && i < lines.size(); ++i) {
        canvas.TextOut(at.left, at.topLine + kLineAt[i] * lineStep, Printed(lines[i]));
    }
    canvas.TextOut(at.left, at.topLine + 12 * lineStep, kStemLine);

    // The guide stands beside the instructions, from their first line down to the stem
    // line in six equal steps, so the header above has the page's whole width.
    SetFont(canvas, at, kArial, 11, canvas::kBold);
    for (std::size_t n = 0; n < kAnswerGuide.size(); ++n) {
        const int step = 7 * static_cast<int>(n) * lineStep / 6;
        canvas.TextOut(at.guideColumn, at.topLine + 5 * lineStep + step, kAnswerGuide[n]);
    }
}

int InstructionsBottom(Canvas& canvas, const PageColumns& at) {
    const int lineStep = InstructionStep(canvas, at);
    return at.topLine + 12 * lineStep + canvas.TextHeight("X");
}

namespace {
// The short guide's rows and the stem below them, in instruction line steps.
constexpr int kShortGuideRows[2] = {5, 6};
constexpr int kShortGuideStem = 8;
}  // namespace

void DrawShortGuide(Canvas& canvas, const PageColumns& at) {
    const int lineStep = InstructionStep(canvas, at);
    canvas.TextOut(at.left, at.topLine + kShortGuideStem * lineStep, kStemLine);
    // Four answers to a row, in the columns of a quarter of the page's width.
    SetFont(canvas, at, kArial, 11, canvas::kBold);
    const int quarter = (at.right - at.left) / 4;
    for (std::size_t n = 0; n < kAnswerGuide.size(); ++n) {
        const int row = kShortGuideRows[n / 4];
        canvas.TextOut(at.left + static_cast<int>(n % 4) * quarter, at.topLine + row * lineStep,
                       kAnswerGuide[n]);
    }
}

int ShortGuideBottom(Canvas& canvas, const PageColumns& at) {
    const int lineStep = InstructionStep(canvas, at);
    return at.topLine + kShortGuideStem * lineStep + canvas.TextHeight("X");
}

int RowPitch(Canvas& canvas, const PageColumns& at, const RatedTable& table) {
    SetFont(canvas, at, kArial, 11, 0);
    if (table.pitch > 0) return table.pitch;
    return TruncProduct(canvas.TextHeight("X"), 2.0);
}

namespace {
// How far a row's text sits below its band's top: a quarter row, or the band's middle when
// the rows are closer than two text heights. The table's font is set.
int TextDown(Canvas& canvas, int rowPitch) {
    return std::min(rowPitch / 4, (rowPitch - canvas.TextHeight("X")) / 2);
}
}  // namespace

RatedTable BelowOf(Canvas& canvas, const PageColumns& at, RatedTable table, int clearOf) {
    const int rowPitch = RowPitch(canvas, at, table);
    // The first band's top is a row less the text's drop below the table's top.
    table.top = std::max(table.top, clearOf - rowPitch + TextDown(canvas, rowPitch));
    return table;
}

int RatedTableBottom(Canvas& canvas, const PageColumns& at, const RatedTable& table) {
    const int rowPitch = RowPitch(canvas, at, table);
    return table.top + (table.rows + 1) * rowPitch - TextDown(canvas, rowPitch);
}

void DrawRatedTable(Canvas& canvas, const PageColumns& at, FormKind form, const RatedTable& table,
                    bool continued) {
    const int rowPitch = RowPitch(canvas, at, table);
    const int tableTop = table.top;
    const int left = at.left - LayoutPixels(canvas, 10);
    const int right = at.right + LayoutPixels(canvas, 10);
    const int textDown = TextDown(canvas, rowPitch);
    const auto bandTop = [&](int k) { return tableTop + k * rowPitch - textDown; };

    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    canvas.Rectangle(left, bandTop(1), right, bandTop(table.rows + 1));
    canvas.brush().SetColor(kMoneyGreen);
    for (int k = 1; k <= table.rows; k += 2)
        canvas.Rectangle(left, bandTop(k), right, bandTop(k + 1));

    // Numbers end where the widest ("40.") would, the texts start a blank's width after.
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    const int numbersEnd = at.itemColumn + canvas.TextWidth("00.");
    const int textsStart = numbersEnd + canvas.TextWidth("  ");
    for (int k = 1; k <= table.rows; ++k) {
        const ItemParts item = ItemRow(form, table.first + k - 1);
        const int y = tableTop + k * rowPitch;
        canvas.TextOut(numbersEnd - canvas.TextWidth(item.number), y, item.number);
        canvas.TextOut(textsStart, y, item.text);
        canvas.TextOut(at.answerColumn, y, kAnswerRow);
    }
    if (continued) {
        canvas.TextOut(at.answerColumn, tableTop + (table.rows + 2) * rowPitch, kContinued);
    }
}

}  // namespace kivo::print::parts
