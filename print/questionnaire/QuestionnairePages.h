// The blank paper questionnaires: two pages per form for a client to fill in by hand, drawn on
// any canvas, so the printer, a PDF and the tests see the same drawing.
#pragma once

#include "canvas/Canvas.h"
#include "canvas/PageCanvas.h"
#include "model/Questionnaire.h"

namespace kivo {

// Page 1 of `form` on a printable area of width x height device pixels: the header, the
// instructions with the answer guide and rated items 1-18. Nothing for an unknown form.
void PrintQuestionnaireFirstPage(canvas::Canvas& canvas, int width, int height, FormKind form);

// Page 2: the short forms repeat the instructions, then the remaining rated items, the use
// items, the credit line and the logo. Nothing for an unknown form.
void PrintQuestionnaireSecondPage(canvas::Canvas& canvas, int width, int height, FormKind form);

// One print job of both pages, titled with the form's job title. Nothing for an unknown
// form; throws Error when the device refuses to start the job.
void PrintQuestionnaire(canvas::PageCanvas& job, FormKind form);

}  // namespace kivo
