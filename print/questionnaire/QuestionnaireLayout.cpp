// The blank questionnaires' columns, table tops and titles worked out for one printable area.
#include "print/questionnaire/QuestionnaireLayout.h"

#include "drawing/Truncation.h"

namespace kivo::print {

using drawing::TruncProduct;

namespace {
constexpr int kPageOneRows = 18;
}  // namespace

PageColumns ColumnsOf(int width, int height) {
    PageColumns c;
    c.X0 = TruncProduct(width, 0.05);
    c.XR = TruncProduct(width, 0.95);
    c.XI = TruncProduct(width, 0.07);
    c.XL = TruncProduct(width, 0.65);
    c.XG = TruncProduct(width, 0.67);
    c.XC2 = TruncProduct(width, 0.35);
    c.XC3 = TruncProduct(width, 0.64);
    c.q0 = TruncProduct(height, 0.05);
    return c;
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
