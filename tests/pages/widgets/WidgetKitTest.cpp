// The widget kit's drop-down lists: their popup rows keep their fixed height although the popup
// is made only when the user first opens it.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <QWidget>

#include "pages/widgets/FixedLayout.h"

namespace kivo {
namespace {

TEST(WidgetKit, ListPopupRowsAreSixteenPixelsHighWhenOpenedByClick) {
    QWidget page;
    page.resize(300, 200);
    QComboBox* list =
        PlaceList(&page, QStringLiteral("List"), QRect(10, 10, 120, 21),
                  {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Both")}, false,
                  0, std::nullopt);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, list->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->view()->isVisible(); }));
    for (int row = 0; row < 3; ++row) EXPECT_EQ(list->view()->sizeHintForRow(row), 16) << row;

    // Opened a second time, the rows are the same.
    list->hidePopup();
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, list->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->view()->isVisible(); }));
    EXPECT_EQ(list->view()->sizeHintForRow(2), 16);
    list->hidePopup();
}

}  // namespace
}  // namespace kivo
