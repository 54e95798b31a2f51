// The two score tables, one routine for the report screen's layout and the printed report's.
#pragma once

#include <string>
#include <string_view>

#include "canvas/Canvas.h"
#include "model/Scoring.h"

namespace kivo::drawing {

// Screen: the tables fill the lower part of the report screen's paint box. Print: they fill
// a bitmap of their own from y = 50 to its bottom, their legends above.
enum class TableLayout { Screen, Print };

// The decimal separator of the user's locale, for score texts.
std::string LocaleDecimalSeparator();

// Draws the two score tables, condition 1 on the left, each with its legend.
void DrawScoreTables(canvas::Canvas& canvas, int width, int height, TableLayout layout,
                     const SubscaleScoreTable& scores, std::string_view decimalSeparator);

// As above from the session's SubscaleScores with the locale's decimal separator.
void DrawScoreTables(canvas::Canvas& canvas, int width, int height, TableLayout layout);

}  // namespace kivo::drawing
