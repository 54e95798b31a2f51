// The two pages of each blank questionnaire put together from their parts, and the print job
// that holds both.
#include "print/questionnaire/QuestionnairePages.h"

#include <algorithm>

#include "drawing/Truncation.h"
#include "model/Error.h"
#include "model/ProductContent.h"
#include "print/questionnaire/QuestionnaireParts.h"

namespace kivo {

using namespace print;
using namespace print::parts;
using drawing::TruncProduct;

void PrintQuestionnaireFirstPage(canvas::Canvas& canvas, int width, int height, FormKind form) {
    if (!IsKnownForm(form)) return;
    const PageColumns at = PageOf(canvas, width, height);
    PrepareCanvas(canvas);
    DrawHeader(canvas, width, at, PageOneTitle(form), 1);
    DrawInstructions(canvas, at);
    const RatedTable table =
        BelowOf(canvas, at, PageOneTable(height), InstructionsBottom(canvas, at));
    DrawRatedTable(canvas, at, form, table, true);
}

namespace {

// The long form's page 2 table with its rows closed up, where need be, so the use block and
// the logo still fit above the page's foot: rows go no closer than 1.3 text heights.
RatedTable FittedToPage(canvas::Canvas& canvas, const PageColumns& at, RatedTable table,
                        int clearOf, int height) {
    // The use block and logo below a table, measured from an arbitrary table bottom.
    constexpr int kFrom = 1 << 20;
    const int pitch = UseLinePitch(canvas, at);
    const int blockTop = UseBlockTopBelow(canvas, at, 0, kFrom);
    const int below =
        LogoBottom(canvas, at, 0, pitch, UseBlockBottom(canvas, at, blockTop)) - kFrom;
    const int standard = RowPitch(canvas, at, table);
    const int closest = TruncProduct(canvas.TextHeight("X"), 1.3);
    for (int rowPitch = standard; rowPitch >= closest; rowPitch -= std::max(1, standard / 100)) {
        table.pitch = rowPitch;
        const RatedTable placed = BelowOf(canvas, at, table, clearOf);
        if (RatedTableBottom(canvas, at, placed) + below <= height) return placed;
    }
    table.pitch = closest;
    return BelowOf(canvas, at, table, clearOf);
}

}  // namespace

void PrintQuestionnaireSecondPage(canvas::Canvas& canvas, int width, int height, FormKind form) {
    if (!IsKnownForm(form)) return;
    const PageColumns at = PageOf(canvas, width, height);
    PrepareCanvas(canvas);
    DrawHeader(canvas, width, at, PageOneTitle(form), 2);
    RatedTable table = PageTwoTable(form, height);
    if (PageTwoRepeatsInstructions(form)) {
        DrawInstructions(canvas, at);
        table = BelowOf(canvas, at, table, InstructionsBottom(canvas, at));
    } else {
        DrawShortGuide(canvas, at);
        table = FittedToPage(canvas, at, table, ShortGuideBottom(canvas, at), height);
    }
    DrawRatedTable(canvas, at, form, table, false);
    // On a short printable area the table reaches lower than the page fractions expect:
    // the use block and the logo move down below it rather than over it.
    const int top = UseBlockTopBelow(canvas, at, UseBlockTop(form, height),
                                     RatedTableBottom(canvas, at, table));
    const int pitch = DrawUseBlock(canvas, at, form, top);
    DrawLogo(canvas, at, width, height, pitch, UseBlockBottom(canvas, at, top));
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
