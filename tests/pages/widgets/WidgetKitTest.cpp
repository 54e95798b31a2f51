// The widget kit's drop-down lists: their popup rows keep their fixed height and the list's font
// although the popup is made only when the user first opens it, and an editable list completes
// typed text from its items.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
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

// A list takes its font from the page when the page has it, and is given it otherwise; either
// way its popup shows the rows in that font.
TEST(WidgetKit, ListPopupShowsTheListsFontWhetherGivenOrTakenFromThePage) {
    struct Case {
        int pagePixels;
        bool editable;
    };
    for (const Case c : {Case{13, false}, Case{11, false}, Case{13, true}, Case{11, true}}) {
        SCOPED_TRACE(testing::Message() << c.pagePixels << " px page, editable " << c.editable);
        QWidget page;
        page.setFont(PixelFont(c.pagePixels));
        page.resize(300, 200);
        QComboBox* list = PlaceList(&page, QStringLiteral("List"), QRect(10, 10, 120, 24),
                                    {QStringLiteral("Open"), QStringLiteral("Closed")}, c.editable,
                                    0, PixelFont(13));
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
        EXPECT_EQ(list->font().pixelSize(), 13);
        if (c.editable) {
            EXPECT_EQ(list->lineEdit()->font().pixelSize(), 13);
        }

        list->showPopup();
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->view()->isVisible(); }));
        EXPECT_EQ(list->view()->font(), PixelFont(13));
        list->hidePopup();
    }
}

// Typing the start of an item, in any case, fills in the rest of it selected, so the next key
// types over it; text that starts no item stays as typed.
TEST(WidgetKit, EditableListCompletesTypedTextFromItsItems) {
    QWidget page;
    page.resize(300, 200);
    QComboBox* list = PlaceList(
        &page, QStringLiteral("List"), QRect(10, 10, 120, 24),
        {QStringLiteral("Open"), QStringLiteral("Closed"), QStringLiteral("Vented")}, true, 11);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QLineEdit* field = list->lineEdit();

    QTest::keyClicks(field, QStringLiteral("ve"));
    EXPECT_EQ(field->text(), QStringLiteral("vented"));
    EXPECT_EQ(field->selectedText(), QStringLiteral("nted"));

    field->clear();
    QTest::keyClicks(field, QStringLiteral("Cx"));
    EXPECT_EQ(field->text(), QStringLiteral("Cx"));
    EXPECT_FALSE(field->hasSelectedText());
}

}  // namespace
}  // namespace kivo
