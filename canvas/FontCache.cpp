// Rebuilds the Qt font and metrics only when the canvas font changes.
#include "canvas/FontCache.h"

#include <QString>

#include "canvas/QtConvert.h"

namespace kivo::canvas {

void FontCache::Update(const Font& font) {
    if (font_ && *font_ == font) return;
    font_ = font;
    ++generation_;
    qfont_ = ToQFont(font, pixelsPerInch_);
    metrics_.emplace(qfont_);
}

const QFont& FontCache::QtFont(const Font& font) {
    Update(font);
    return qfont_;
}

const QFontMetrics& FontCache::Metrics(const Font& font) {
    Update(font);
    return *metrics_;
}

int FontCache::TextWidth(const Font& font, std::string_view text) {
    return Metrics(font).horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int FontCache::TextHeight(const Font& font) {
    return Metrics(font).height();
}

}  // namespace kivo::canvas
