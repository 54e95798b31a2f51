// Where things go on the blank questionnaires: fractions of the printable area or multiples of
// a text height, so a page keeps its proportions on any printer.
#pragma once

#include <string>
#include <string_view>

#include "model/Questionnaire.h"

namespace kivo::print {

// The fixed x positions and the top line of a page.
struct PageColumns {
    int left = 0;          // left margin: title block, instructions
    int right = 0;         // right margin: ends of the write-in lines and tables
    int itemColumn = 0;    // rated items' text; the first use item
    int answerColumn = 0;  // the A-G answer row of each rated item
    int guideColumn = 0;   // the answer guide beside the instructions
    int useColumn2 = 0;    // the second use item
    int useColumn3 = 0;    // the third use item
    int topLine = 0;       // the title's top
    // Type sizes are multiplied by this (TypeScale); 1 where the forms were drawn for.
    double typeScale = 1.0;
    friend bool operator==(const PageColumns&, const PageColumns&) = default;
};
PageColumns ColumnsOf(int width, int height);

// 1 on a printable area at least 7.75 x 10.5 in (Letter and A4 with margins up to 0.25 in);
// on a smaller one, its share of that width or height, whichever is smaller, so every text
// keeps the room the columns give it.
double TypeScale(int width, int height, int pixelsPerInch);

// "Page 1 of 2", "Page 2 of 2".
std::string PageOfTwo(int page);

// One rated-item table: `rows` rows from item `first`, its top at `top`.
struct RatedTable {
    int first = 0;
    int rows = 0;
    int top = 0;
    int pitch = 0;  // the row pitch; 0 for twice the text height
    friend bool operator==(const RatedTable&, const RatedTable&) = default;
};
// Items 1-18 on page 1 of every form.
RatedTable PageOneTable(int height);
// The rated items after 18: 19-25 on the short forms, 19-37 on the long form.
RatedTable PageTwoTable(FormKind form, int height);

// The top of the use-item block on page 2.
int UseBlockTop(FormKind form, int height);

// The short forms print the instructions and the answer guide again on page 2.
bool PageTwoRepeatsInstructions(FormKind form);

// "KIVOs(a)", "KIVOs(b)", "KIVO" on page 1; empty for an unknown form.
std::string_view PageOneTitle(FormKind form);

// "KIVO questionnaire - Form A", "KIVO questionnaire - Form B", "KIVO questionnaire";
// empty for an unknown form.
std::string_view QuestionnaireJobTitle(FormKind form);

}  // namespace kivo::print
