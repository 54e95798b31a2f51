#include "app/SplashScreen.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "app/Artwork.h"
#include "pages/widgets/Labels.h"
#include "model/ProductContent.h"
#include "app/WindowPlacement.h"

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
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(13, 12, 120, 112);
    image->setPixmap(LogoPixmap());

    const ProductContent& content = Content();
    PlaceTitleLabel(panel, QPoint(207, 18));
    PlaceLabel(panel, QStringLiteral("Label1"), ContentText(content.developersCredit),
               QRect(180, 53, 125, 31));
    PlaceLabel(panel, QStringLiteral("AuthorLabel"), ContentText(content.authorCredit),
               QRect(184, 87, 0, 0));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(1500);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();
}

void SplashScreen::Timer1Timer() {
    close();
}

}  // namespace kivo
