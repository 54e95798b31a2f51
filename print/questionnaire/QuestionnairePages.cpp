// The two pages of each blank questionnaire put together from their parts, and the print job
// that holds both.
#include "print/questionnaire/QuestionnairePages.h"

#include "model/Error.h"
#include "model/ProductContent.h"
#include "print/questionnaire/QuestionnaireParts.h"

namespace kivo {

using namespace print;
using namespace print::parts;

void PrintQuestionnaireFirstPage(canvas::Canvas& canvas, int width, int height, FormKind form) {
    if (!IsKnownForm(form)) return;
    const PageColumns at = ColumnsOf(width, height);
    PrepareCanvas(canvas);
    DrawHeader(canvas, width, at, PageOneTitle(form));
    DrawInstructions(canvas, at);
    const RatedTable table = BelowOf(canvas, PageOneTable(height), InstructionsBottom(canvas, at));
    DrawRatedTable(canvas, at, form, table, true);
}

void PrintQuestionnaireSecondPage(canvas::Canvas& canvas, int width, int height, FormKind form) {
    if (!IsKnownForm(form)) return;
    const PageColumns at = ColumnsOf(width, height);
    PrepareCanvas(canvas);
    RatedTable table = PageTwoTable(form, height);
    if (PageTwoRepeatsInstructions(form)) {
        DrawInstructions(canvas, at);
        table = BelowOf(canvas, table, InstructionsBottom(canvas, at));
    }
    DrawRatedTable(canvas, at, form, table, false);
    // On a short printable area the table reaches lower than the page fractions expect:
    // the use block and the logo move down below it rather than over it.
    const int top =
        UseBlockTopBelow(canvas, UseBlockTop(form, height), RatedTableBottom(canvas, table));
    const int pitch = DrawUseBlock(canvas, at, form, top);
    DrawLogo(canvas, width, height, pitch, UseBlockBottom(canvas, top));
}

void PrintQuestionnaire(canvas::PageCanvas& job, FormKind form) {
    if (!IsKnownForm(form)) return;
    // Read the product texts before the job starts, so a fault there leaves no half job.
    Content();
    const std::string title(QuestionnaireJobTitle(form));
    job.Title = title;
    if (!job.BeginDoc()) throw Error("The print job \"" + title + "\" could not be started");
    PrintQuestionnaireFirstPage(job, job.PageWidth(), job.PageHeight(), form);
    job.NewPage();
    PrintQuestionnaireSecondPage(job, job.PageWidth(), job.PageHeight(), form);
    if (!job.EndDoc()) {
        throw Error("The print job \"" + title + "\" could not be printed: " + job.RefusalReason());
    }
}

}  // namespace kivo
