// The report preview a test is waiting for: the visible preview window once it has finished
// generating and shows its pages.
#pragma once

#include <QApplication>
#include <QWidget>

#include "print/preview/ReportPreview.h"

namespace kivo::test {

// The visible preview that shows its pages, or null while there is none (not yet open, or
// still generating).
inline report::ReportPreview* ShownPreviewWithPages() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* preview = qobject_cast<report::ReportPreview*>(window);
        if (preview != nullptr && preview->isVisible() && !preview->Generating() &&
            preview->PageCount() > 0) {
            return preview;
        }
    }
    return nullptr;
}

}  // namespace kivo::test
