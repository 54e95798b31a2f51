// Loads the program's images from the resources built into it: the glyphs and icon as PNG,
// the logo as a JPEG through DecodeJpeg.
#include "app/Artwork.h"

#include <QFile>

#include "app/JpegImage.h"

namespace kivo {

QIcon GlyphIcon(const QString& name) {
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/glyphs/%1.png").arg(name)), QIcon::Normal);
    icon.addPixmap(QPixmap(QStringLiteral(":/glyphs/%1-disabled.png").arg(name)), QIcon::Disabled);
    return icon;
}

QIcon ApplicationIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/kivo-48.png"));
    icon.addFile(QStringLiteral(":/icons/kivo-256.png"));
    return icon;
}

QPixmap LogoPixmap() {
    QFile file(QStringLiteral(":/logo.jpg"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QPixmap::fromImage(DecodeJpeg(file.readAll()));
}

}  // namespace kivo
