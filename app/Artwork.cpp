// Loads the program's images from the resources built into it: the glyphs and the icon as PNG
// (the icon when first drawn), the logo as a JPEG through DecodeJpeg.
#include "app/Artwork.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <optional>

#include "app/JpegImage.h"

namespace kivo {

QIcon GlyphIcon(const QString& name) {
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/glyphs/%1.png").arg(name)), QIcon::Normal);
    icon.addPixmap(QPixmap(QStringLiteral(":/glyphs/%1-disabled.png").arg(name)), QIcon::Disabled);
    return icon;
}

namespace {

// An icon whose images are decoded when first drawn, not when it is made: the window icon is
// set before the first paint, and on a platform that never asks for it (offscreen) the
// images are never decoded at all. Its sizes are known without decoding.
class DeferredIconEngine : public QIconEngine {
public:
    struct Image {
        QString path;
        QSize size;
    };

    explicit DeferredIconEngine(QList<Image> images) : images_(std::move(images)) {}

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        if (mode != QIcon::Normal || state != QIcon::Off) return {};
        QList<QSize> sizes;
        for (const Image& image : images_) sizes.append(image.size);
        return sizes;
    }
    bool isNull() override { return images_.isEmpty(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(images_); }

private:
    QIcon& Icon() {
        if (!icon_) {
            icon_.emplace();
            for (const Image& image : images_) icon_->addFile(image.path, image.size);
        }
        return *icon_;
    }

    QList<Image> images_;
    std::optional<QIcon> icon_;
};

}  // namespace

QIcon ApplicationIcon() {
    return QIcon(
        new DeferredIconEngine({{QStringLiteral(":/icons/kivo-48.png"), QSize(48, 48)},
                                {QStringLiteral(":/icons/kivo-256.png"), QSize(256, 256)}}));
}

QPixmap LogoPixmap() {
    QFile file(QStringLiteral(":/logo.jpg"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QPixmap::fromImage(DecodeJpeg(file.readAll()));
}

}  // namespace kivo
