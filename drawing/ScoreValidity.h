// When the chart and the tables count a subscale score as valid.
#pragma once

#include "model/Scoring.h"

namespace kivo::drawing {

// The chart and the tables count a subscale as valid only when Valid holds exactly 1.
inline bool IsValidScore(const SubscaleScore& score) {
    return score.Valid == 1;
}

}  // namespace kivo::drawing
