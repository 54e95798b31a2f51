#include "pages/scores/ScorePageControls.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <array>
#include <span>

#include "drawing/ClientDetails.h"
#include "pages/Page.h"
#include "canvas/PainterCanvas.h"
#include "model/Questionnaire.h"

namespace kivo {
namespace {

constexpr int kLabelPixelHeight = 16;     // "MS Sans Serif" 12 pt
constexpr int kCommentsPixelHeight = 13;  // "MS Sans Serif" 10 pt

struct LabelPlace {
    const char* name;
    int left;
    int top;
    bool bold;
    const char* designText;
};

// The side panel's labels; Label16, the comments box, is placed apart.
constexpr std::array<LabelPlace, 19> kLabels = {{
    {"NameLabel", 7, 5, true, "Name:"},
    {"GenderLabel", 7, 28, true, "Gender:"},
    {"DOBLabel", 7, 53, true, "Date of Birth:"},
    {"TestFormLabel", 7, 77, true, "Test Form: "},
    {"Label1", 11, 106, true, "Condition 1:"},
    {"Label2", 9, 131, false, "Hearing aid information:"},
    {"Label3", 46, 153, false, ""},
    {"Label4", 12, 174, false, "Ear: "},
    {"Label5", 107, 175, false, "Coupling: "},
    {"Label6", 15, 199, false, "Date of Test: "},
    {"Label7", 13, 222, false, "HA Experience: "},
    {"Label14", 15, 256, true, "Condition 2:"},
    {"Label13", 13, 282, false, "Hearing aid information:"},
    {"Label12", 51, 304, false, ""},
    {"Label11", 16, 325, false, "Ear: "},
    {"Label10", 114, 326, false, "Coupling: "},
    {"Label9", 14, 349, false, "Date of Test: "},
    {"Label8", 16, 374, false, "HA Experience: "},
    {"Label15", 17, 400, true, "Comments:"},
}};
constexpr QRect kCommentsBox(17, 426, 299, 111);

QFont SansSerif(int pixelHeight, bool bold) {
    return PixelFont(QStringLiteral("MS Sans Serif"), pixelHeight, bold);
}

QLabel* NewLabel(QWidget& parent, const QString& name, const QString& text, const QFont& font) {
    auto* label = new QLabel(&parent);
    label->setObjectName(name);
    // Record texts are shown as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setText(text);
    return label;
}

// The comments memo's line breaks (CR LF) as the label's own.
QString CommentsText(const drawing::ClientDetails& details) {
    QString text = details.comments;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

PaintBox::PaintBox(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    SetPageColour(*this, 0xFFFFFF);
}

void PaintBox::paintEvent(QPaintEvent* /*event*/) {
    if (!OnPaint_) return;
    QPainter painter(this);
    canvas::PainterCanvas canvas(painter);
    OnPaint_(canvas, width(), height());
}

QFont PixelFont(const QString& family, int pixelHeight, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

void SetUpScorePage(QWidget& page, const QString& name, const QString& caption, const QFont& font) {
    page.setObjectName(name);
    page.setWindowTitle(caption);
    SetPageColour(page, kButtonFace);
    page.setFont(font);
}

QWidget* PlacePanel(QWidget* parent, const QString& name, QRect geometry, unsigned rgb) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    SetPageColour(*panel, rgb);
    return panel;
}

PaintBox* PlaceGraphPanel(QWidget* page, QRect geometry, PaintBox::PaintHandler onPaint) {
    QWidget* panel = PlacePanel(page, QStringLiteral("Panel1"), geometry, 0xFFFFFF);
    auto* box = new PaintBox(panel, QStringLiteral("GraphPaintBox"));
    box->setGeometry(panel->rect());
    box->SetOnPaint(std::move(onPaint));
    return box;
}

QIcon PrinterGlyph() {
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/pages/glyphs/printer.png")), QIcon::Normal);
    icon.addPixmap(QPixmap(QStringLiteral(":/pages/glyphs/printer-disabled.png")), QIcon::Disabled);
    return icon;
}

QPushButton* PlaceGlyphButton(QWidget* parent, const QString& name, const QString& caption,
                              QRect geometry, int pixelHeight) {
    auto* button = new QPushButton(PrinterGlyph(), caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setIconSize(QSize(16, 16));
    button->setFont(SansSerif(pixelHeight, false));
    return button;
}

std::vector<std::pair<QString, QString>> ClientInfoTexts(const ClientRecord& record) {
    const drawing::ClientDetails d = drawing::ClientDetailsOf(record);
    const auto& [c1, c2] = d.conditions;
    return {
        {"NameLabel", "Name: " + d.firstName + " " + d.lastName},
        {"GenderLabel", d.gender},
        {"DOBLabel", d.birthDate},
        {"TestFormLabel", d.testForm},
        {"Label3", c1.hearingAid},
        {"Label4", c1.ear},
        {"Label5", c1.coupling},
        {"Label6", c1.testDate},
        {"Label7", c1.experience},
        {"Label12", c2.hearingAid},
        {"Label11", c2.ear},
        {"Label10", c2.coupling},
        {"Label9", c2.testDate},
        {"Label8", c2.experience},
        {"Label16", CommentsText(d)},
    };
}

void PlaceClientInfoLabels(QWidget& panel2) {
    for (const LabelPlace& place : kLabels) {
        QLabel* label =
            NewLabel(panel2, QString::fromLatin1(place.name), QString::fromLatin1(place.designText),
                     SansSerif(kLabelPixelHeight, place.bold));
        label->adjustSize();
        label->move(place.left, place.top);
    }
    QLabel* comments =
        NewLabel(panel2, QStringLiteral("Label16"), {}, SansSerif(kCommentsPixelHeight, false));
    comments->setGeometry(kCommentsBox);
    comments->setWordWrap(true);
    comments->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetPageColour(*comments, kButtonFace);
}

void ShowClientInfo(QWidget& panel2, const ClientRecord& record) {
    for (const auto& [name, text] : ClientInfoTexts(record)) {
        auto* label = panel2.findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
        if (label == nullptr) continue;
        label->setText(text);
        if (!label->wordWrap()) label->adjustSize();
    }
}

}  // namespace kivo
