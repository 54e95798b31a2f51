// The splash window: the logo, the title and the credits, shown centred on the screen while
// the program starts and closed by its own timer.
#include "app/SplashScreen.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "app/Artwork.h"
#include "app/WindowPlacement.h"
#include "drawing/RecordText.h"
#include "model/ProductContent.h"
#include "pages/widgets/FixedLayout.h"

namespace kivo {

SplashScreen::SplashScreen()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashScreen"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(329, 136);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(CentredOn(screen->geometry(), size()));
    }

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("SplashPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(rect());
    PlaceBevel(panel, QRect(7, 6, 315, 123));

    auto* image = new QLabel(panel);
    image->setObjectName(QStringLiteral("LogoImage"));
    image->setGeometry(13, 12, 120, 112);
    image->setPixmap(LogoPixmap());

    const ProductContent& content = Content();
    const LabelStyle credit = {.font = PixelFont(11),
                               .format = Qt::AutoText,
                               .alignment = Qt::AlignHCenter | Qt::AlignTop,
                               .wordWrap = true};
    PlaceTitleLabel(panel, QPoint(207, 18));
    PlaceLabel(panel, QStringLiteral("DevelopersLabel"),
               drawing::Cp1252Text(content.developersCredit), QRect(180, 53, 125, 31), credit);
    PlaceLabel(panel, QStringLiteral("AuthorLabel"), drawing::Cp1252Text(content.authorCredit),
               At(184, 87), credit);

    closeTimer_ = new QTimer(this);
    closeTimer_->setObjectName(QStringLiteral("CloseTimer"));
    closeTimer_->setSingleShot(true);
    closeTimer_->setInterval(1500);
    connect(closeTimer_, &QTimer::timeout, this, [this] { close(); });
    closeTimer_->start();
}

}  // namespace kivo
