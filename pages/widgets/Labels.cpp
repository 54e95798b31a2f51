#include "pages/widgets/Labels.h"

#include <QFrame>

#include "model/Cp1252.h"

namespace kivo {

QString ContentText(const std::string& cp1252) {
    return QString::fromUtf8(Cp1252ToUtf8(cp1252));
}

QLabel* PlaceLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                   int pixelHeight) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelHeight);
    label->setFont(font);
    if (geometry.isEmpty()) {
        label->adjustSize();
        label->move(geometry.topLeft());
    } else {
        label->setGeometry(geometry);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    return label;
}

void PlaceBevel(QWidget* parent, QRect geometry) {
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(geometry);
}

QLabel* PlaceTitleLabel(QWidget* parent, QPoint at) {
    return PlaceLabel(parent, QStringLiteral("TitleLabel"), QStringLiteral("KIVO"),
                      QRect(at, QSize()), 24);
}

}  // namespace kivo
