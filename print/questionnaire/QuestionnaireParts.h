// The pieces the blank questionnaire pages are drawn from, shared by both pages of every form.
#pragma once

#include <string>
#include <string_view>

#include "canvas/Canvas.h"
#include "print/questionnaire/QuestionnaireLayout.h"

namespace kivo::print::parts {

constexpr canvas::TColor kMoneyGreen = canvas::RgbToColor(0xC0DCC0);

// Solid black pen of width 2, clear brush, black text: the state every piece starts from.
void PrepareCanvas(canvas::Canvas& canvas);

void SetFont(canvas::Canvas& canvas, const char* name, int size, unsigned style);

// A product text (Windows-1252) as the canvas takes it (UTF-8).
std::string Printed(std::string_view cp1252);

// Page 1 only: the centred title, the name and date labels and their write-in lines.
void DrawHeader(canvas::Canvas& canvas, int width, const PageColumns& at, std::string_view title);

// The instruction lines, the stem line and the A-G answer guide.
void DrawInstructions(canvas::Canvas& canvas, const PageColumns& at);

// The framed table of rated items with every odd row shaded; `continued` adds the note
// that the questionnaire goes on overleaf.
void DrawRatedTable(canvas::Canvas& canvas, const PageColumns& at, FormKind form,
                    const RatedTable& table, bool continued);

// The three use items in their panels with answer boxes, and the credit line below.
// Returns the block's line pitch, which also sizes the logo.
int DrawUseBlock(canvas::Canvas& canvas, const PageColumns& at, FormKind form, int top);

// The three arcs and the caption at the foot of page 2; restores the black pen and text.
void DrawLogo(canvas::Canvas& canvas, int width, int height, int pitch);

}  // namespace kivo::print::parts
