// Printer-resolution measuring, recorded text lookups and PDF readers shared by the blank
// questionnaire tests.
#pragma once

#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas/RecordingCanvas.h"
#include "model/Cp1252.h"
#include "model/ProductContent.h"
#include "model/Questionnaire.h"

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

// Standard output of a tool (pdfinfo, pdftotext); empty when it failed.
inline QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One field of pdfinfo's report, e.g. "Pages" or "Title".
inline QString PdfInfo(const std::filesystem::path& pdf, const QString& field) {
    const QString info = RunTool("pdfinfo", {QString::fromStdString(pdf.string())});
    const QRegularExpression line("^" + field + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

// The text of one page with every run of white space folded to one blank.
inline QString PdfPageText(const std::filesystem::path& pdf, int page) {
    const QString n = QString::number(page);
    return RunTool("pdftotext", {"-f", n, "-l", n, QString::fromStdString(pdf.string()), "-"})
        .simplified();
}

// One word of a PDF page and its box in points from the page's top-left.
struct PdfWord {
    QRectF box;
    QString text;
};

// The words of one page, from pdftotext -bbox, in reading order.
inline std::vector<PdfWord> PdfWords(const std::filesystem::path& pdf, int page) {
    const QString n = QString::number(page);
    const QString xml = RunTool(
        "pdftotext", {"-bbox", "-f", n, "-l", n, QString::fromStdString(pdf.string()), "-"});
    static const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>");
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        const QPointF a(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF b(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.push_back({QRectF(a, b), m.captured(5)});
    }
    return words;
}

// One page of a PDF rendered in grey at `dpi`; a null image when pdftoppm failed.
inline QImage PdfPageImage(const std::filesystem::path& pdf, int page, int dpi,
                           const std::filesystem::path& folder) {
    const QString n = QString::number(page);
    const QString stem = QString::fromStdString((folder / ("page" + n.toStdString())).string());
    RunTool("pdftoppm", {"-r", QString::number(dpi), "-f", n, "-l", n, "-singlefile", "-gray",
                         "-png", QString::fromStdString(pdf.string()), stem});
    return QImage(stem + ".png");
}

inline QString Folded(const std::string& utf8) {
    return QString::fromUtf8(utf8).simplified();
}

}  // namespace kivo::test
