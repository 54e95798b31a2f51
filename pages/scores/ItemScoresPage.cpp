#include "pages/scores/ItemScoresPage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPushButton>
#include <QToolButton>
#include <array>

#include "shell/ErrorBox.h"
#include "drawing/ItemGraph.h"
#include "drawing/ItemViewTables.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "pages/scores/ScorePageControls.h"
#include "model/Session.h"

namespace kivo {

ItemScoresPage* gItemScoresPage = nullptr;

namespace {

constexpr std::array<int, drawing::kViewSubscaleCount> kSubscaleButtonLeft = {3,   109, 215,
                                                                              321, 427, 533};

}  // namespace

ItemScoresPage::ItemScoresPage(QWidget* parent) : Page(parent) {
    SetUpScorePage(*this, QStringLiteral("ItemScoresPage"), QStringLiteral("View Individual Scores"),
                   PixelFont(QStringLiteral("Tahoma"), 11));
    GraphPaintBox = PlaceGraphPanel(this, QRect(8, 10, 625, 570),
                                    [this](canvas::Canvas& canvas, int width, int height) {
                                        PaintGraph(canvas, width, height);
                                    });

    // One exclusive group: pressing a button raises the others; one stays down.
    SubscaleButtons = new QButtonGroup(this);
    SubscaleButtons->setExclusive(true);
    const QFont buttonFont = PixelFont(QStringLiteral("Tahoma"), 13);
    for (int tag = 0; tag < drawing::kViewSubscaleCount; ++tag) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(tag + 1));
        const std::string_view name = drawing::ViewSubscaleName(tag);
        button->setText(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        button->setFont(buttonFont);
        button->setCheckable(true);
        button->setGeometry(kSubscaleButtonLeft[static_cast<std::size_t>(tag)], 586, 100, 30);
        SubscaleButtons->addButton(button, tag);
    }
    connect(SubscaleButtons, &QButtonGroup::idClicked, this,
            [this](int tag) { RunGuarded([this, tag] { SelectSubscale(tag); }); });

    Panel2 = PlacePanel(this, QStringLiteral("Panel2"), QRect(652, 1, 350, 633), kButtonFace);
    PlaceClientInfoLabels(*Panel2);
    BitBtn1 = PlaceGlyphButton(Panel2, QStringLiteral("BitBtn1"),
                               QStringLiteral("View Subscale Scores"), QRect(77, 580, 185, 36), 13);
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { ShowSubscaleScores(); }); });
    gItemScoresPage = this;
}

ItemScoresPage::~ItemScoresPage() {
    if (gItemScoresPage == this) gItemScoresPage = nullptr;
}

void ItemScoresPage::OnShown() {
    Form_ = gClientRecord.TestForm;
    if (ViewSubscale_ == 0) SubscaleButtons->button(0)->setChecked(true);
    ShowClientInfo();
    GraphPaintBox->update();
}

void ItemScoresPage::SelectSubscale(int tag) {
    ViewSubscale_ = tag;
    GraphPaintBox->update();
}

void ItemScoresPage::PaintGraph(canvas::Canvas& canvas, int width, int height) {
    drawing::DrawItemGraph(canvas, width, height, gClientRecord, Form_, ViewSubscale_);
}

void ItemScoresPage::ShowSubscaleScores() {
    if (isVisible()) hide();
    if (gSubscaleScoresPage != nullptr) gSubscaleScoresPage->show();
}

void ItemScoresPage::ShowClientInfo() {
    kivo::ShowClientInfo(*Panel2, gClientRecord);
}

}  // namespace kivo
