// One client scored and drawn into a white bitmap of the paint box's size.
#include "drawing/RenderImages.h"

#include "canvas/Bitmap.h"
#include "drawing/ItemGraph.h"
#include "drawing/ReportPaintBox.h"
#include "model/Scoring.h"

namespace kivo::drawing {

QImage RenderReportImage(const ClientRecord& record, std::string_view decimalSeparator) {
    SubscaleScoreTable scores{};
    ComputeSubscaleScores(record, scores);
    canvas::Bitmap bitmap(kReportBoxWidth, kReportBoxHeight);
    DrawReportPaintBox(bitmap, kReportBoxWidth, kReportBoxHeight, scores, SubscaleNorms(),
                       decimalSeparator);
    return bitmap.Finish();
}

QImage RenderItemImage(const ClientRecord& record, int viewSubscale) {
    FillItemTextTable();
    canvas::Bitmap bitmap(kItemBoxWidth, kItemBoxHeight);
    DrawItemGraph(bitmap, kItemBoxWidth, kItemBoxHeight, record, record.TestForm, viewSubscale);
    return bitmap.Finish();
}

}  // namespace kivo::drawing
