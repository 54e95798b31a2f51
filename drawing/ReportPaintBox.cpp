// The report screen's paint box: the screen variants of the chart and the tables.
#include "drawing/ReportPaintBox.h"

#include "drawing/ScoreTables.h"
#include "drawing/SubscaleChart.h"

namespace kivo::drawing {

void DrawReportPaintBox(canvas::Canvas& canvas, int width, int height,
                        const SubscaleScoreTable& scores, const NormTableType& norms,
                        std::string_view decimalSeparator) {
    DrawSubscaleChart(canvas, width, height, ChartVariant::Screen, scores, norms);
    DrawScoreTables(canvas, width, height, TableLayout::Screen, scores, decimalSeparator);
}

}  // namespace kivo::drawing
