#include "app/AboutBox.h"

#include <QPushButton>

#include "pages/widgets/Labels.h"
#include "model/ProductContent.h"

namespace kivo {

AboutBox* gAboutBox = nullptr;

AboutBox::AboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(321, 208);

    const ProductContent& content = Content();
    PlaceBevel(this, QRect(2, 4, 315, 199));
    PlaceTitleLabel(this, QPoint(124, 18));
    PlaceLabel(this, QStringLiteral("Label1"), ContentText(content.developersCredit),
               QRect(64, 49, 0, 0));
    PlaceLabel(this, QStringLiteral("AuthorLabel"), ContentText(content.authorCredit),
               QRect(101, 68, 0, 0));
    PlaceLabel(this, QStringLiteral("NorvelLabel"), ContentText(content.sponsorLine),
               QRect(34, 104, 250, 26));
    PlaceLabel(this, QStringLiteral("RightsLabel"), ContentText(content.rightsNotice),
               QRect(34, 136, 250, 26));

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setGeometry(123, 171, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    gAboutBox = this;
}

AboutBox::~AboutBox() {
    if (gAboutBox == this) gAboutBox = nullptr;
}

}  // namespace kivo
