// The blank questionnaires' columns, table tops and titles worked out for one printable area.
#include "print/questionnaire/QuestionnaireLayout.h"

#include <algorithm>

#include "drawing/Truncation.h"

namespace kivo::print {

using drawing::TruncProduct;

namespace {
constexpr int kPageOneRows = 18;
}  // namespace

PageColumns ColumnsOf(int width, int height) {
    PageColumns c;
    c.left = TruncProduct(width, 0.05);
    c.right = TruncProduct(width, 0.95);
    c.itemColumn = TruncProduct(width, 0.07);
    c.answerColumn = TruncProduct(width, 0.65);
    c.guideColumn = TruncProduct(width, 0.67);
    c.useColumn2 = TruncProduct(width, 0.35);
    c.useColumn3 = TruncProduct(width, 0.64);
    c.topLine = TruncProduct(height, 0.05);
    return c;
}

double TypeScale(int width, int height, int pixelsPerInch) {
    if (pixelsPerInch <= 0) return 1.0;
    constexpr double kFullWidth = 7.75;  // inches
    constexpr double kFullHeight = 10.5;
    const double widthShare = width / (kFullWidth * pixelsPerInch);
    const double heightShare = height / (kFullHeight * pixelsPerInch);
    return std::clamp(std::min(widthShare, heightShare), 0.1, 1.0);
}

std::string PageOfTwo(int page) {
    return "Page " + std::to_string(page) + " of 2";
}

RatedTable PageOneTable(int height) {
    return {1, kPageOneRows, TruncProduct(height, 0.28)};
}

RatedTable PageTwoTable(FormKind form, int height) {
    if (!IsKnownForm(form)) return {};
    const int rows = ItemCount(form) - kUseItemCount - kPageOneRows;
    const double top = form == kLongForm ? 0.02 : 0.28;
    return {kPageOneRows + 1, rows, TruncProduct(height, top)};
}

int UseBlockTop(FormKind form, int height) {
    return TruncProduct(height, form == kLongForm ? 0.62 : 0.58);
}

bool PageTwoRepeatsInstructions(FormKind form) {
    return form == kShortFormA || form == kShortFormB;
}

std::string_view PageOneTitle(FormKind form) {
    return FormKindName(form);
}

std::string_view QuestionnaireJobTitle(FormKind form) {
    switch (form) {
        case kShortFormA:
            return "KIVO questionnaire - Form A";
        case kShortFormB:
            return "KIVO questionnaire - Form B";
        case kLongForm:
            return "KIVO questionnaire";
        default:
            return {};
    }
}

}  // namespace kivo::print
