// The Qt font and metrics of a canvas font, kept while the font stays the same, since one
// drawing measures and draws many texts in few fonts.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <optional>
#include <string_view>

#include "canvas/Canvas.h"

namespace kivo::canvas {

// The Qt font and metrics of the last canvas font asked for, rebuilt only when it changes.
class FontCache {
public:
    explicit FontCache(int pixelsPerInch) : pixelsPerInch_(pixelsPerInch) {}

    const QFont& QtFont(const Font& font);
    const QFontMetrics& Metrics(const Font& font);
    int TextWidth(const Font& font, std::string_view text);
    int TextHeight(const Font& font);
    int PixelsPerInch() const { return pixelsPerInch_; }
    // Changes whenever the Qt font is rebuilt, so users can skip re-applying it.
    int Generation() const { return generation_; }

private:
    void Update(const Font& font);

    int pixelsPerInch_ = kScreenPixelsPerInch;
    int generation_ = 0;
    std::optional<Font> font_;
    QFont qfont_;
    std::optional<QFontMetrics> metrics_;
};

}  // namespace kivo::canvas
