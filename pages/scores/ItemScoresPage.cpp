// The item score view: the subscale buttons, the graph drawn from the open client and the
// way back to the report screen.
#include "pages/scores/ItemScoresPage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPushButton>
#include <QToolButton>
#include <array>

#include "drawing/ItemGraph.h"
#include "drawing/ItemViewTables.h"
#include "drawing/RecordText.h"
#include "model/Session.h"
#include "pages/accessibility/ControlNames.h"
#include "pages/scores/ScorePageControls.h"
#include "pages/widgets/FixedLayout.h"
#include "shell/ErrorBox.h"

namespace kivo {

namespace {

constexpr std::array<int, drawing::kViewSubscaleCount> kSubscaleButtonLeft = {3,   109, 215,
                                                                              321, 427, 533};

}  // namespace

ItemScoresPage::ItemScoresPage(QWidget* parent) : Page(parent) {
    SetUpScorePage(*this, QStringLiteral("ItemScoresPage"),
                   QStringLiteral("View Individual Scores"),
                   PixelFont(11, false, QStringLiteral("Tahoma")));
}

// The controls are made when the page is first shown: start-up does not wait for a page it
// does not show.
void ItemScoresPage::BuildControlsOnce() {
    if (graphPaintBox_ != nullptr) return;
    graphPaintBox_ = PlaceGraphPanel(this, QRect(8, 10, 625, 570),
                                     [this](canvas::Canvas& canvas, int width, int height) {
                                         PaintGraph(canvas, width, height);
                                     });

    // One exclusive group: pressing a button raises the others; one stays down.
    subscaleButtons_ = new QButtonGroup(this);
    subscaleButtons_->setExclusive(true);
    const QFont buttonFont = PixelFont(13, false, QStringLiteral("Tahoma"));
    for (int tag = 0; tag < drawing::kViewSubscaleCount; ++tag) {
        auto* button = new QToolButton(this);
        // One of a row of which one is down: a screen reader says which.
        SpeakAsRadioButton(*button);
        button->setAccessibleDescription(QStringLiteral("The subscale the graph shows"));
        button->setObjectName(QStringLiteral("SubscaleButton%1").arg(tag + 1));
        button->setText(drawing::Utf8Text(drawing::ViewSubscaleName(tag)));
        button->setFont(buttonFont);
        button->setCheckable(true);
        button->setGeometry(kSubscaleButtonLeft[static_cast<std::size_t>(tag)], 586, 100, 30);
        subscaleButtons_->addButton(button, tag);
    }
    connect(subscaleButtons_, &QButtonGroup::idClicked, this,
            [this](int tag) { RunGuarded([this, tag] { SelectSubscale(tag); }); });

    clientPanel_ =
        PlacePanel(this, QStringLiteral("ClientPanel"), QRect(652, 1, 350, 633), kButtonFace);
    PlaceClientInfoLabels(*clientPanel_);
    viewSubscaleScoresButton_ =
        PlaceButton(clientPanel_, QStringLiteral("ViewSubscaleScoresButton"),
                    QStringLiteral("View Subscale Scores"), QRect(77, 580, 185, 36), PixelFont(13),
                    PrinterGlyph());
    connect(viewSubscaleScoresButton_, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { ShowSubscaleScores(); }); });
    ShowNewChildren();
}

void ItemScoresPage::OnShown() {
    BuildControlsOnce();
    form_ = gClientRecord.TestForm;
    if (viewSubscale_ == 0) subscaleButtons_->button(0)->setChecked(true);
    ShowClientInfo();
    graphPaintBox_->update();
    // The keys go to the subscale shown, the page's first buttons, not back to the tool bar.
    if (QAbstractButton* shown = subscaleButtons_->checkedButton())
        shown->setFocus(Qt::OtherFocusReason);
}

void ItemScoresPage::SelectSubscale(int tag) {
    viewSubscale_ = tag;
    graphPaintBox_->update();
}

void ItemScoresPage::PaintGraph(canvas::Canvas& canvas, int width, int height) {
    drawing::DrawItemGraph(canvas, width, height, gClientRecord, form_, viewSubscale_);
}

void ItemScoresPage::ShowSubscaleScores() {
    if (isVisible()) hide();
    emit SubscaleScoresRequested();
}

void ItemScoresPage::ShowClientInfo() {
    kivo::ShowClientInfo(*clientPanel_, gClientRecord);
}

}  // namespace kivo
