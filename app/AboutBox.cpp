// The About box: the program's title and version, the credits and the rights notice, whose
// texts come from the product content shipped with the questionnaire.
#include "app/AboutBox.h"

#include <QPushButton>

#include "drawing/RecordText.h"
#include "model/ProductContent.h"
#include "pages/widgets/FixedLayout.h"

namespace kivo {

AboutBox::AboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(321, 208);

    const ProductContent& content = Content();
    const LabelStyle credit = {.font = PixelFont(11),
                               .format = Qt::AutoText,
                               .alignment = Qt::AlignHCenter | Qt::AlignTop,
                               .wordWrap = true};
    PlaceBevel(this, QRect(2, 4, 315, 199));
    PlaceTitleLabel(this, QPoint(124, 18));
    PlaceLabel(this, QStringLiteral("DevelopersLabel"),
               drawing::Cp1252Text(content.developersCredit), At(64, 49), credit);
    PlaceLabel(this, QStringLiteral("AuthorLabel"), drawing::Cp1252Text(content.authorCredit),
               At(101, 68), credit);
    // The program's version, from the project's CMake version.
    PlaceLabel(this, QStringLiteral("VersionLabel"),
               QStringLiteral("Version ") + QStringLiteral(KIVO_VERSION), QRect(34, 85, 250, 14),
               credit);
    PlaceLabel(this, QStringLiteral("NorvelLabel"), drawing::Cp1252Text(content.sponsorLine),
               QRect(34, 104, 250, 26), credit);
    PlaceLabel(this, QStringLiteral("RightsLabel"), drawing::Cp1252Text(content.rightsNotice),
               QRect(34, 136, 250, 26), credit);

    QPushButton* ok = PlaceButton(this, QStringLiteral("OkButton"), QStringLiteral("&Ok"),
                                  QRect(123, 171, 75, 25));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace kivo
