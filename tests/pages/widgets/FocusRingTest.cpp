// The focus ring of the program's style: a focused push button, tool button and option show a
// solid frame in the highlight colour, which the toolkit's own faint ring does not.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "shell/FocusRingStyle.h"

namespace kivo {
namespace {

// The pixels of `widget`, as painted, in exactly the highlight colour.
int RingPixels(QWidget& widget) {
    const QColor ring = widget.palette().color(QPalette::Active, QPalette::Highlight);
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == ring ? 1 : 0;
    }
    return count;
}

TEST(FocusRing, AFocusedButtonToolButtonAndOptionShowASolidRing) {
    FocusRingStyle style;
    QWidget window;
    window.resize(300, 120);
    auto* push = new QPushButton(QStringLiteral("Clear Condition 1"), &window);
    push->setGeometry(10, 10, 140, 50);
    auto* tool = new QToolButton(&window);
    tool->setGeometry(160, 10, 25, 24);
    tool->setAutoRaise(true);
    tool->setText(QStringLiteral("N"));
    tool->setFocusPolicy(Qt::TabFocus);
    auto* option = new QRadioButton(QStringLiteral("Over 5 years"), &window);
    option->setGeometry(10, 70, 140, 20);
    for (QWidget* w : {static_cast<QWidget*>(push), static_cast<QWidget*>(tool),
                       static_cast<QWidget*>(option)}) {
        w->setStyle(&style);
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    for (QWidget* w : {static_cast<QWidget*>(push), static_cast<QWidget*>(tool),
                       static_cast<QWidget*>(option)}) {
        w->clearFocus();  // the window gave its first control the focus when it showed
        ASSERT_FALSE(w->hasFocus());
        const int before = RingPixels(*w);
        w->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(w->hasFocus()) << w->metaObject()->className();
        // At least two pixels all round a ring inside the control.
        const int ring = RingPixels(*w) - before;
        EXPECT_GE(ring, 2 * (w->width() + w->height()) / 2) << w->metaObject()->className();
    }
}

}  // namespace
}  // namespace kivo
