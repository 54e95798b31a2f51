// The drawing surface every drawing of the program is written against, in integer device pixels,
// so the screen, images, printers and PDF share one routine per drawing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kivo::canvas {

// An opaque colour by its red, green and blue parts.
struct Rgb {
    constexpr Rgb() = default;
    // The colour written as the hex value 0xRRGGBB.
    constexpr explicit Rgb(std::uint32_t hex)
        : red(static_cast<std::uint8_t>((hex >> 16) & 0xFFu)),
          green(static_cast<std::uint8_t>((hex >> 8) & 0xFFu)),
          blue(static_cast<std::uint8_t>(hex & 0xFFu)) {}
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kBlack = Rgb(0x000000);
constexpr Rgb kWhite = Rgb(0xFFFFFF);

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

enum class PenStyle { Solid, Dotted };

struct Pen {
    Rgb Color = kBlack;
    int Width = 1;  // device pixels
    PenStyle Style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// A brush without fill leaves what is below it.
enum class BrushStyle { Solid, NoFill };

// A colour given to a brush without fill makes it solid; such a brush's colour is white.
class Brush {
public:
    Rgb Color() const { return color_; }
    BrushStyle Style() const { return style_; }
    void SetColor(Rgb color) {
        color_ = color;
        style_ = BrushStyle::Solid;
    }
    void SetStyle(BrushStyle style) {
        style_ = style;
        if (style == BrushStyle::NoFill) color_ = kWhite;
    }
    friend bool operator==(const Brush&, const Brush&) = default;

private:
    Rgb color_ = kWhite;
    BrushStyle style_ = BrushStyle::Solid;
};

// Font style bits, combined with |; 0 is the regular face.
enum FontStyle : unsigned { kBold = 1u, kItalic = 2u, kUnderline = 4u, kStrikeOut = 8u };

struct Font {
    std::string Name = "MS Sans Serif";
    int Size = 8;         // points
    unsigned Style = 0u;  // FontStyle bits
    Rgb Color = kBlack;
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
