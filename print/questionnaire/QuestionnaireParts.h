// The pieces the blank questionnaire pages are drawn from, shared by both pages of every form.
#pragma once

#include <string>
#include <string_view>

#include "canvas/Canvas.h"
#include "print/questionnaire/QuestionnaireLayout.h"

namespace kivo::print::parts {

constexpr canvas::Rgb kMoneyGreen = canvas::Rgb(0xC0DCC0);

// The layout gives pen widths and small offsets in pixels at 600 per inch: `px` of those on
// the canvas's device, so lines keep their thickness on every printer.
int LayoutPixels(const canvas::Canvas& canvas, int px);

// The columns of a printable area of width x height pixels of the canvas, with its type scale.
PageColumns PageOf(const canvas::Canvas& canvas, int width, int height);

// Solid black pen of width 2 (layout pixels), a brush without fill, black text: the state
// every piece starts from.
void PrepareCanvas(canvas::Canvas& canvas);

// The font `name` at `size` points times the page's type scale (5 points at least).
void SetFont(canvas::Canvas& canvas, const PageColumns& at, const char* name, int size,
             unsigned style);

// A product text (Windows-1252) as the canvas takes it (UTF-8).
std::string Printed(std::string_view cp1252);

// Every page: the centred title with "Page n of 2" at the right, then the labels for the
// client's name, the hearing aid or condition the sheet is for and the two dates, each with
// its write-in line starting just after the label.
void DrawHeader(canvas::Canvas& canvas, int width, const PageColumns& at, std::string_view title,
                int page);

// The instruction lines, the stem line and the A-G answer guide beside them.
void DrawInstructions(canvas::Canvas& canvas, const PageColumns& at);
// The bottom of the stem line, the lowest line of the instructions.
int InstructionsBottom(canvas::Canvas& canvas, const PageColumns& at);

// The answer guide in two rows across the page and the stem line below: page 2 of the long
// form, whose table leaves no room for the instructions.
void DrawShortGuide(canvas::Canvas& canvas, const PageColumns& at);
// The bottom of its stem line.
int ShortGuideBottom(canvas::Canvas& canvas, const PageColumns& at);

// `table` moved down, if need be, so that its first band starts below `clearOf`: on a short
// printable area the fractions of the page would put it over the instructions.
RatedTable BelowOf(canvas::Canvas& canvas, const PageColumns& at, RatedTable table, int clearOf);
// The bottom of the table's frame.
int RatedTableBottom(canvas::Canvas& canvas, const PageColumns& at, const RatedTable& table);
// The row pitch of `table`: its own, or twice the text height.
int RowPitch(canvas::Canvas& canvas, const PageColumns& at, const RatedTable& table);

// The framed table of rated items with every odd row shaded: item numbers right-aligned,
// the texts after them; `continued` adds the note that the questionnaire goes on overleaf.
void DrawRatedTable(canvas::Canvas& canvas, const PageColumns& at, FormKind form,
                    const RatedTable& table, bool continued);

// The use block's line pitch, which also sizes the logo.
int UseLinePitch(canvas::Canvas& canvas, const PageColumns& at);

// The three use items in their panels with answer boxes, and the credit line below.
// Returns the block's line pitch, which also sizes the logo.
int DrawUseBlock(canvas::Canvas& canvas, const PageColumns& at, FormKind form, int top);
// The top of the use block: its place on the page, or lower when the rated table above
// reaches further down (a short printable area).
int UseBlockTopBelow(canvas::Canvas& canvas, const PageColumns& at, int top, int tableBottom);
// The bottom of the use block's credit line for a block at `top`.
int UseBlockBottom(canvas::Canvas& canvas, const PageColumns& at, int top);

// The three arcs and the caption at the foot of page 2, kept below `clearOf`; restores the
// black pen and text.
void DrawLogo(canvas::Canvas& canvas, const PageColumns& at, int width, int height, int pitch,
              int clearOf);
// The bottom of the logo's caption when drawn as DrawLogo would.
int LogoBottom(canvas::Canvas& canvas, const PageColumns& at, int height, int pitch, int clearOf);

}  // namespace kivo::print::parts
