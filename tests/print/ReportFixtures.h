// Design-pixel units and page item lookups shared by the report engine, preview, score report
// and printing tests.
#pragma once

#include "print/engine/Report.h"
#include "print/engine/ReportUnits.h"

namespace kivo::report::testing {

// Tenths of a millimetre for `px` design pixels (96 per inch).
inline double Px(double px) {
    return DesignPixelsToTenths(px);
}

// An empty Letter page (215.9 x 279.4 mm, in tenths).
inline Page LetterPage() {
    Page page;
    page.width = 2159.0;
    page.height = 2794.0;
    return page;
}

// The items of `page` of one kind.
inline std::vector<const PageItem*> ItemsOf(const Page& page, PageItem::Kind kind) {
    std::vector<const PageItem*> items;
    for (const auto& item : page.items) {
        if (item.kind == kind) items.push_back(&item);
    }
    return items;
}

}  // namespace kivo::report::testing
