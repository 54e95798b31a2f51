// Reading a PDF back as a reader of the paper would: pdfinfo's facts, the text and the words with
// their boxes (pdftotext), and a page as pixels (pdftoppm); for every test that checks a PDF.
#pragma once

#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <vector>

namespace kivo::test {

// Standard output of a tool (pdfinfo, pdftotext, pdfimages); empty when it failed.
inline QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString PdfArg(const std::filesystem::path& pdf) {
    return QString::fromStdString(pdf.string());
}

// One field of pdfinfo's report, e.g. "Pages", "Page size" or "Title".
inline QString PdfInfo(const std::filesystem::path& pdf, const QString& field) {
    const QString info = RunTool("pdfinfo", {PdfArg(pdf)});
    const QRegularExpression line("^" + field + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

// The text of one page with every run of white space folded to one blank.
inline QString PdfPageText(const std::filesystem::path& pdf, int page) {
    const QString n = QString::number(page);
    return RunTool("pdftotext", {"-f", n, "-l", n, PdfArg(pdf), "-"}).simplified();
}

// One word of a PDF page and its box in points from the page's top-left.
struct PdfWord {
    QRectF box;
    QString text;
};

constexpr int kAllPages = 0;

// The words of one page (or of every page, kAllPages), from pdftotext -bbox, in reading order.
inline std::vector<PdfWord> PdfWords(const std::filesystem::path& pdf, int page) {
    QStringList args{"-bbox"};
    if (page != kAllPages) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    const QString xml = RunTool("pdftotext", args << PdfArg(pdf) << "-");
    static const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>");
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        const QPointF a(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF b(m.captured(3).toDouble(), m.captured(4).toDouble());
        QString text = m.captured(5);
        // The word as printed, not as the XML escapes it.
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
        text.replace("&apos;", "'").replace("&amp;", "&");
        words.push_back({QRectF(a, b), text});
    }
    return words;
}

// The pairs of words whose boxes overlap (less a little slack for the boxes' rounding), as
// "first / second".
inline QStringList OverlappingWords(const std::vector<PdfWord>& words) {
    QStringList found;
    for (std::size_t i = 0; i < words.size(); ++i) {
        for (std::size_t j = i + 1; j < words.size(); ++j) {
            const QRectF a = words[i].box.adjusted(0.3, 0.3, -0.3, -0.3);
            if (a.intersects(words[j].box.adjusted(0.3, 0.3, -0.3, -0.3))) {
                found << words[i].text + " / " + words[j].text;
            }
        }
    }
    return found;
}

enum class PageColours { Grey, Colour };

// One page of a PDF rendered at `dpi`, written in `folder`; a null image when pdftoppm failed.
inline QImage PdfPageImage(const std::filesystem::path& pdf, int page, int dpi,
                           const std::filesystem::path& folder,
                           PageColours colours = PageColours::Grey) {
    const QString n = QString::number(page);
    const QString stem = PdfArg(folder / ("page" + n.toStdString()));
    QStringList args{"-r", QString::number(dpi), "-f", n, "-l", n, "-singlefile"};
    if (colours == PageColours::Grey) args << "-gray";
    RunTool("pdftoppm", args << "-png" << PdfArg(pdf) << stem);
    return QImage(stem + ".png");
}

}  // namespace kivo::test
