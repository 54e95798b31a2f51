// The item view's graph: one subscale's items against their norms, with both conditions'
// answers.
#pragma once

#include "canvas/Canvas.h"
#include "model/ClientRecord.h"
#include "model/Questionnaire.h"

namespace kivo::drawing {

// The item view's paint box at 625 x 570 pixels.
constexpr int kItemBoxWidth = 625;
constexpr int kItemBoxHeight = 570;

// The item graph's value-to-pixel mapping for a paint box of W x H pixels.
class ItemGraphGeometry {
public:
    ItemGraphGeometry(int width, int height);

    // Column of a scale value x 100: 100 is "1", 700 is "7", 0 the middle of the box.
    int ValueX(int v) const;
    // Top of item row i, from 0.
    int RowY(int i) const;
    // Column of a norm value: cut (not rounded) to hundredths.
    int NormX(float value) const;

private:
    int x0_ = 0;
    float sx_ = 0.0f;
    int y0_ = 0;
    float sy_ = 0.0f;
};

// Draws one subscale's items of `form` against their norms with both conditions' answers
// from `record`. A form or view subscale outside its table draws the title, frame, scale
// and legend without item rows. Item texts come from the item text table as filled.
void DrawItemGraph(canvas::Canvas& canvas, int width, int height, const ClientRecord& record,
                   FormKind form, int viewSubscale);

}  // namespace kivo::drawing
