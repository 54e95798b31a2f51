// Printer-resolution measuring and recorded text lookups shared by the blank questionnaire
// tests; their PDFs are read back with tests/support/PdfPages.h.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "canvas/RecordingCanvas.h"
#include "model/Cp1252.h"
#include "model/ProductContent.h"
#include "model/Questionnaire.h"
#include "tests/support/PdfPages.h"

namespace kivo::test {

// The printable area the layout tests measure against: Letter at 600 dpi less the printer's
// margins.
constexpr int kW = 4961;
constexpr int kH = 6401;
constexpr int kDpi = 600;

// Positions multiply by the double nearest each decimal fraction, in extended precision,
// and cut toward zero: Trunc(F(1.15) * th).
inline long double F(double fraction) {
    return fraction;
}
inline int Trunc(long double value) {
    return static_cast<int>(value);
}

// TextHeight("X") in a font at 600 dpi, measured as the pages measure it.
inline int TextHeightX(const char* name, int size, unsigned style) {
    canvas::RecordingCanvas c(kDpi);
    c.font().Name = name;
    c.font().Size = size;
    c.font().Style = style;
    return c.TextHeight("X");
}

inline int TextWidthIn(const char* name, int size, unsigned style, const std::string& text) {
    canvas::RecordingCanvas c(kDpi);
    c.font().Name = name;
    c.font().Size = size;
    c.font().Style = style;
    return c.TextWidth(text);
}

// The UTF-8 text of a product string as it is printed.
inline std::string Printed(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252);
}

// A rated item's printed row ("  7.  text") as the table prints it: the number ("7.") right-
// aligned, the text after it.
struct ItemRowParts {
    std::string number;
    std::string text;
};
inline ItemRowParts ItemRowOf(FormKind form, int item) {
    const std::string row = Printed(Content().printedItemRows[static_cast<std::size_t>(form)]
                                                             [static_cast<std::size_t>(item - 1)]);
    const std::size_t from = row.find_first_not_of(' ');
    const std::size_t dot = row.find(". ", from);
    return {row.substr(from, dot + 1 - from), row.substr(row.find_first_not_of(' ', dot + 1))};
}

// The TextOut calls, in order.
inline std::vector<canvas::CanvasCall> Texts(const canvas::RecordingCanvas& c) {
    return c.CallsOf(canvas::CanvasOp::TextOut);
}

// The first TextOut of `text`; a failing test when there is none.
inline canvas::CanvasCall TextCall(const canvas::RecordingCanvas& c, const std::string& text) {
    for (const auto& call : c.CallsOf(canvas::CanvasOp::TextOut)) {
        if (call.Text == text) return call;
    }
    ADD_FAILURE() << "no text '" << text << "'";
    return {};
}

inline bool HasTextAt(const canvas::RecordingCanvas& c, const std::string& text, canvas::Point at) {
    for (const auto& call : c.CallsOf(canvas::CanvasOp::TextOut)) {
        if (call.Text == text && call.Points[0] == at) return true;
    }
    return false;
}

inline int CountText(const canvas::RecordingCanvas& c, const std::string& text) {
    int n = 0;
    for (const auto& call : c.CallsOf(canvas::CanvasOp::TextOut)) n += call.Text == text ? 1 : 0;
    return n;
}

inline QString Folded(const std::string& utf8) {
    return QString::fromUtf8(utf8).simplified();
}

}  // namespace kivo::test
