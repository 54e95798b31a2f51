// The report screen's and the item view's drawings as images, without a window, for
// kivo-cli render.
#pragma once

#include <QImage>
#include <string_view>

#include "model/ClientRecord.h"

namespace kivo::drawing {

// The report screen's paint box for one client at its design size (625 x 623) on white:
// the chart and both score tables, scores computed from the record.
QImage RenderReportImage(const ClientRecord& record, std::string_view decimalSeparator);

// The item view's paint box for one client at its design size (625 x 570) on white, for
// view subscale 0..5. Fills the item text table if it is not filled yet.
QImage RenderItemImage(const ClientRecord& record, int viewSubscale);

}  // namespace kivo::drawing
