// The program's images from its resources: tool-bar glyphs, the application icon, the logo.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace kivo {

// A tool-button glyph: the normal image and its disabled image, from resources/glyphs.
QIcon GlyphIcon(const QString& name);

// The application icon.
QIcon ApplicationIcon();

// The splash logo, decoded from its JFIF file; a null pixmap when it cannot be decoded.
QPixmap LogoPixmap();

}  // namespace kivo
