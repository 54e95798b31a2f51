// The foot of page 2: the use items in their panels, the credit line and the logo.
#include <algorithm>
#include <array>

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

int LinePitch(Canvas& canvas) {
    SetFont(canvas, "Arial", 11, 0);
    return TruncProduct(canvas.TextHeight("X"), 1.15);
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

}  // namespace

int UseBlockTopBelow(Canvas& canvas, int top, int tableBottom) {
    const int pitch = LinePitch(canvas);
    // The panels are the block's first drawing; keep a line's gap above them.
    const int lowest = tableBottom + pitch - (PanelTop(0, pitch));
    return std::max(top, lowest);
}

int UseBlockBottom(Canvas& canvas, int top) {
    const int pitch = LinePitch(canvas);
    return top + 11 * pitch + canvas.TextHeight("X");
}

int DrawUseBlock(Canvas& canvas, const PageColumns& at, FormKind form, int blockTop) {
    const int pitch = LinePitch(canvas);
    const std::array<int, kUseItemCount> columns = {at.itemColumn, at.useColumn2, at.useColumn3};
    const auto optionTop = [&](int j) { return TruncToInt(blockTop + (5.5L + j) * pitch); };

    DrawPanels(canvas, at, blockTop, pitch);
    for (const int c : columns) {
        for (int j = 0; j < 5; ++j) {
            canvas.Rectangle(c + LayoutPixels(canvas, 10), optionTop(j), c + pitch,
                             TruncToInt(blockTop + (6.5L + j) * pitch - LayoutPixels(canvas, 20)));
        }
    }

    const auto& lines = Content().printedUseLines[static_cast<std::size_t>(form)];
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int c = columns[i];
        const auto [first, count] = kQuestionLines[i];
        for (std::size_t l = 0; l < count && first + l < lines.size(); ++l) {
            canvas.TextOut(c, blockTop + (2 + static_cast<int>(l)) * pitch,
                           Printed(lines[first + l]));
        }
        for (int j = 0; j < 5; ++j) {
            canvas.TextOut(c + pitch, optionTop(j), kUseOptions[i][static_cast<std::size_t>(j)]);
        }
    }
    canvas.TextOut(columns[0], blockTop + 11 * pitch, Printed(Content().printCredit));
    return pitch;
}

void DrawLogo(Canvas& canvas, int width, int height, int pitch, int clearOf) {
    const int cx = TruncProduct(width, 0.5);
    const int bandWidth = LayoutPixels(canvas, 40);
    // The outer arc's top, half its band above its radius, stays below `clearOf`.
    const int cy =
        std::max(TruncProduct(height, 0.94), clearOf + 2 * pitch + bandWidth / 2 + pitch / 4);
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

    SetFont(canvas, "Arial Narrow", 13, canvas::kBold);
    canvas.font().Color = kMaroon;
    canvas.TextOut(cx - 2 * canvas.TextWidth("X"), cy - pitch, Printed(Content().logoAcronym));
    // The name goes below the acronym's whole line, which is a little taller than a pitch.
    const int nameTop = std::max(cy, cy - pitch + canvas.TextHeight("X"));
    SetFont(canvas, "Arial Narrow", 6, canvas::kBold | canvas::kItalic);
    const std::string name = Printed(Content().logoName);
    canvas.TextOut(cx - canvas.TextWidth(name) / 2, nameTop, name);

    canvas.pen().Width = LayoutPixels(canvas, 2);
    canvas.pen().Color = canvas::kBlack;
    canvas.font().Color = canvas::kBlack;
}

}  // namespace kivo::print::parts
