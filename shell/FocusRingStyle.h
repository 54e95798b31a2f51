// The program's style: the toolkit's own, with a focus ring that can be seen.
#pragma once

#include <QProxyStyle>

namespace kivo {

// The platform's style with one change: the focus ring of a button, option or tool button is a
// solid two-pixel frame in the highlight colour round the control, drawn whenever it has the
// focus (other controls get the same frame where the style draws its focus rectangle). The
// toolkit's own ring is a faint tint, and only after the keyboard moved the focus, which left
// a clinician on the tool bar or a page button unsure where the next Space would go.
class FocusRingStyle final : public QProxyStyle {
public:
    FocusRingStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
};

// Makes FocusRingStyle the application's style (QApplication takes it over).
void InstallFocusRingStyle();

}  // namespace kivo
