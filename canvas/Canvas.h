// The drawing surface every drawing of the program is written against, in integer device pixels,
// so the screen, images, printers and PDF share one routine per drawing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kivo::canvas {

// A colour as 0x00BBGGRR.
using TColor = std::uint32_t;

// The TColor of an RGB hex value written 0xRRGGBB.
constexpr TColor RgbToColor(std::uint32_t rgb) {
    return ((rgb & 0xFF0000u) >> 16) | (rgb & 0x00FF00u) | ((rgb & 0x0000FFu) << 16);
}
constexpr std::uint8_t RedOf(TColor c) {
    return static_cast<std::uint8_t>(c & 0xFFu);
}
constexpr std::uint8_t GreenOf(TColor c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFFu);
}
constexpr std::uint8_t BlueOf(TColor c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFFu);
}

constexpr TColor clBlack = RgbToColor(0x000000);
constexpr TColor clWhite = RgbToColor(0xFFFFFF);

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are the first column and row outside.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum PenStyle : int { psSolid = 0, psDot = 2 };

struct Pen {
    TColor Color = clBlack;
    int Width = 1;  // device pixels
    PenStyle Style = psSolid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum BrushStyle : int { bsSolid = 0, bsClear = 1 };

// A colour given to a clear brush makes it solid; a clear brush's colour is white.
class Brush {
public:
    TColor Color() const { return color_; }
    BrushStyle Style() const { return style_; }
    void SetColor(TColor color) {
        color_ = color;
        style_ = bsSolid;
    }
    void SetStyle(BrushStyle style) {
        style_ = style;
        if (style == bsClear) color_ = clWhite;
    }
    friend bool operator==(const Brush&, const Brush&) = default;

private:
    TColor color_ = clWhite;
    BrushStyle style_ = bsSolid;
};

enum FontStyle : unsigned { fsBold = 1u, fsItalic = 2u, fsUnderline = 4u, fsStrikeOut = 8u };

struct Font {
    std::string Name = "MS Sans Serif";
    int Size = 8;         // points
    unsigned Style = 0u;  // FontStyle bits
    TColor Color = clBlack;
    friend bool operator==(const Font&, const Font&) = default;
};

// Character height in pixels (the cell less its internal leading) of a font of `points`
// on a device of `pixelsPerInch`.
int CharacterHeight(int points, int pixelsPerInch);

// Screen and off-screen bitmaps are drawn at 96 pixels per inch.
constexpr int kScreenPixelsPerInch = 96;

// One drawing surface: integer device pixels, origin top-left, y downwards. Texts are UTF-8.
// The pen, brush and font are read at each operation.
class Canvas {
public:
    virtual ~Canvas() = default;

    Pen& pen() { return pen_; }
    Brush& brush() { return brush_; }
    Font& font() { return font_; }
    const Pen& pen() const { return pen_; }
    const Brush& brush() const { return brush_; }
    const Font& font() const { return font_; }
    Point PenPos() const { return penPos_; }

    // Outline with the pen, inside filled with the brush; covers x1..x2-1, y1..y2-1.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Brush only; right and bottom edges excluded.
    virtual void FillRect(const Rect& rect) = 0;
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    // Pen only: counter-clockwise from the ray through (x3, y3) to the ray through (x4, y4).
    virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // From the pen position to (x, y), end point excluded; the pen moves there.
    virtual void LineTo(int x, int y) = 0;
    // Joins the points like LineTo, last point excluded; the pen position stays.
    virtual void Polyline(std::span<const Point> points) = 0;
    // Closed outline with the pen, filled with the brush.
    virtual void Polygon(std::span<const Point> points) = 0;
    // (x, y) is the text cell's top-left; the cell is filled with a solid brush's colour.
    // Afterwards the pen position is (x + TextWidth(text), y).
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    // The full cell height.
    virtual int TextHeight(std::string_view text) = 0;
    // The device's resolution: what fonts are sized for, and what a drawing laid out in
    // pixels of another resolution scales its pen widths and offsets by.
    virtual int PixelsPerInch() const = 0;

protected:
    Canvas() = default;
    Canvas(const Canvas&) = default;
    Canvas& operator=(const Canvas&) = default;
    void SetPenPos(Point p) { penPos_ = p; }

private:
    Pen pen_;
    Brush brush_;
    Font font_;
    Point penPos_;
};

}  // namespace kivo::canvas
