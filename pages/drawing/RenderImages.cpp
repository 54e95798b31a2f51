#include "RenderImages.h"

#include "Bitmap.h"
#include "ItemGraph.h"
#include "ReportPaintBox.h"
#include "Scoring.h"

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
