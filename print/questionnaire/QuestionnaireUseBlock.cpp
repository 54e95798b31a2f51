// The foot of page 2: the use items in their panels, the credit line and the logo.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/Truncation.h"
#include "model/ProductContent.h"
#include "print/questionnaire/QuestionnaireParts.h"

namespace kivo::print::parts {

using canvas::Canvas;
using drawing::TruncProduct;
using drawing::TruncToInt;

namespace {

// In answer-code order, the order of the entry page's lists, so the clinician types in the
// ticked box's position as it stands on the paper.
constexpr std::array<std::array<const char*, 5>, kUseItemCount> kUseOptions = {{
    {" None", " 1-2 days", " 3-4 days", " 5-6 days", " Every day"},
    {" 1-4 hrs.", " 5-6 hrs.", " 7-8 hrs.", " 9-10 hrs.", " 11 hrs. or more"},
    {" Never (0%)", " Rarely (25%)", " Sometimes (50%)", " Usually (75%)", " Always (100%)"},
}};
// The question lines of each use item within the form's eight printed lines.
constexpr std::array<std::array<std::size_t, 2>, kUseItemCount> kQuestionLines = {
    {{0, 2}, {2, 3}, {5, 3}}};  // first line, count

constexpr canvas::Rgb kLogoBlue = canvas::Rgb(0x0000FF);
constexpr canvas::Rgb kLogoGreen = canvas::Rgb(0x008000);
constexpr canvas::Rgb kLogoYellow = canvas::Rgb(0xFFFF00);
constexpr canvas::Rgb kMaroon = canvas::Rgb(0x800000);

int PanelTop(int blockTop, int pitch) {
    return TruncToInt(blockTop + 1.5L * pitch - pitch / 4);
}

// `mm` millimetres in the canvas's pixels.
int Millimetres(const Canvas& canvas, double mm) {
    return static_cast<int>(std::lround(mm * canvas.PixelsPerInch() / 25.4));
}

void DrawPanels(Canvas& canvas, const PageColumns& at, int blockTop, int pitch) {
    const int top = PanelTop(blockTop, pitch);
    const int bottom = blockTop + 11 * pitch - pitch / 4;
    const int d = LayoutPixels(canvas, 10);
    canvas.brush().SetColor(kMoneyGreen);
    canvas.Rectangle(at.itemColumn - d, top, at.useColumn2 + d, bottom);
    canvas.Rectangle(at.useColumn3 - d, top, at.right + d, bottom);
    // The middle panel last, outline only, over the edges of the other two.
    canvas.brush().SetStyle(canvas::BrushStyle::NoFill);
    canvas.Rectangle(at.useColumn2 - d, top, at.useColumn3 + d, bottom);
}

// A question's lines: the first from the column after one blank (" 39. How many"), the
// rest at a hanging indent under its words, whatever blanks the product text leads them with.
void DrawQuestion(Canvas& canvas, int column, int top, int pitch,
                  const std::vector<std::string>& lines) {
    int indent = 0;
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const std::string& line = lines[l];
        const std::size_t from = line.find_first_not_of(' ');
        std::string text = from == std::string::npos ? "" : line.substr(from);
        if (l == 0) {
            text = " " + text;
            const std::size_t dot = text.find(". ");
            if (dot != std::string::npos) indent = canvas.TextWidth(text.substr(0, dot + 2));
        }
        canvas.TextOut(column + (l == 0 ? 0 : indent), top + static_cast<int>(l) * pitch, text);
    }
}

}  // namespace

int UseLinePitch(Canvas& canvas, const PageColumns& at) {
    SetFont(canvas, at, "Arial", 11, 0);
    return TruncProduct(canvas.TextHeight("X"), 1.15);
}

int UseBlockTopBelow(Canvas& canvas, const PageColumns& at, int top, int tableBottom) {
    const int pitch = UseLinePitch(canvas, at);
    // The panels are the block's first drawing; keep a line's gap above them.
    const int lowest = tableBottom + pitch - (PanelTop(0, pitch));
    return std::max(top, lowest);
}

int UseBlockBottom(Canvas& canvas, const PageColumns& at, int top) {
    const int pitch = UseLinePitch(canvas, at);
    return top + 11 * pitch + canvas.TextHeight("X");
}

int DrawUseBlock(Canvas& canvas, const PageColumns& at, FormKind form, int blockTop) {
    const int pitch = UseLinePitch(canvas, at);
    const std::array<int, kUseItemCount> columns = {at.itemColumn, at.useColumn2, at.useColumn3};
    const auto optionTop = [&](int j) { return TruncToInt(blockTop + (5.5L + j) * pitch); };

    DrawPanels(canvas, at, blockTop, pitch);
    // Square boxes half a line high, in the middle of their option's line: over 2 mm apart at
    // every type size the forms print in, and a millimetre clear of the panel's edge.
    const int side = pitch / 2;
    const int boxLeft = LayoutPixels(canvas, 10) + Millimetres(canvas, 1.0);
    const int boxDown = (canvas.TextHeight("X") - side) / 2;
    for (const int c : columns) {
        for (int j = 0; j < 5; ++j) {
            const int top = optionTop(j) + boxDown;
            canvas.Rectangle(c + boxLeft, top, c + boxLeft + side, top + side);
        }
    }

    const auto& lines = Content().printedUseLines[static_cast<std::size_t>(form)];
    const int optionsLeft = boxLeft + side + Millimetres(canvas, 0.5);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int c = columns[i];
        const auto [first, count] = kQuestionLines[i];
        std::vector<std::string> question;
        for (std::size_t l = 0; l < count && first + l < lines.size(); ++l) {
            question.push_back(Printed(lines[first + l]));
        }
        DrawQuestion(canvas, c, blockTop + 2 * pitch, pitch, question);
        for (int j = 0; j < 5; ++j) {
            canvas.TextOut(c + optionsLeft, optionTop(j),
                           kUseOptions[i][static_cast<std::size_t>(j)]);
        }
    }
    canvas.TextOut(columns[0], blockTop + 11 * pitch, Printed(Content().printCredit));
    return pitch;
}

namespace {

// The logo's centre, the top of its outer arc half its band above its radius and kept below
// `clearOf`.
int LogoCentreY(Canvas& canvas, int height, int pitch, int clearOf) {
    const int bandWidth = LayoutPixels(canvas, 40);
    return std::max(TruncProduct(height, 0.94), clearOf + 2 * pitch + bandWidth / 2 + pitch / 4);
}

// The caption's two lines: the acronym's top and the name's top.
struct Caption {
    int acronymTop, nameTop;
};
Caption CaptionOf(Canvas& canvas, const PageColumns& at, int cy, int pitch) {
    SetFont(canvas, at, "Arial Narrow", 13, canvas::kBold);
    // The name goes below the acronym's whole line, which is a little taller than a pitch.
    return {cy - pitch, std::max(cy, cy - pitch + canvas.TextHeight("X"))};
}

}  // namespace

void DrawLogo(Canvas& canvas, const PageColumns& at, int width, int height, int pitch,
              int clearOf) {
    const int cx = TruncProduct(width, 0.5);
    const int bandWidth = LayoutPixels(canvas, 40);
    const int cy = LogoCentreY(canvas, height, pitch, clearOf);
    struct Band {
        long double radius;  // in line pitches
        canvas::Rgb color;
    };
    canvas.pen().Width = bandWidth;
    for (const Band band :
         {Band{2.0L, kLogoBlue}, Band{1.75L, kLogoGreen}, Band{1.5L, kLogoYellow}}) {
        canvas.pen().Color = band.color;
        const long double rho = band.radius * pitch;
        const int left = TruncToInt(cx - rho);
        const int right = TruncToInt(cx + rho);
        canvas.Arc(left, TruncToInt(cy - rho), right, TruncToInt(cy + rho), right, cy, left, cy);
    }

    const Caption caption = CaptionOf(canvas, at, cy, pitch);
    canvas.font().Color = kMaroon;
    canvas.TextOut(cx - 2 * canvas.TextWidth("X"), caption.acronymTop,
                   Printed(Content().logoAcronym));
    SetFont(canvas, at, "Arial Narrow", 6, canvas::kBold | canvas::kItalic);
    const std::string name = Printed(Content().logoName);
    canvas.TextOut(cx - canvas.TextWidth(name) / 2, caption.nameTop, name);

    canvas.pen().Width = LayoutPixels(canvas, 2);
    canvas.pen().Color = canvas::kBlack;
    canvas.font().Color = canvas::kBlack;
}

int LogoBottom(Canvas& canvas, const PageColumns& at, int height, int pitch, int clearOf) {
    const int cy = LogoCentreY(canvas, height, pitch, clearOf);
    const Caption caption = CaptionOf(canvas, at, cy, pitch);
    SetFont(canvas, at, "Arial Narrow", 6, canvas::kBold | canvas::kItalic);
    return caption.nameTop + canvas.TextHeight("X");
}

}  // namespace kivo::print::parts
