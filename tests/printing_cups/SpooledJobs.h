// Reading back what a print job carried: the spooled PDF's facts, words and pixels (poppler's
// tools) and the numbers among the job's IPP attributes.
#pragma once

#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kivo::test {

inline QString Tool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One field of pdfinfo's report ("Pages", "Page size", "Title").
inline QString Info(const std::filesystem::path& pdf, const QString& field) {
    const QString info = Tool("pdfinfo", {QString::fromStdString(pdf.string())});
    const QRegularExpression line("^" + field + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

struct Word {
    QRectF box;  // points from the page's top-left
    QString text;
};

// The words of one page with their boxes, from pdftotext -bbox.
inline std::vector<Word> Words(const std::filesystem::path& pdf, int page) {
    const QString n = QString::number(page);
    const QString xml =
        Tool("pdftotext", {"-bbox", "-f", n, "-l", n, QString::fromStdString(pdf.string()), "-"});
    static const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>");
    std::vector<Word> words;
    for (auto it = word.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        const QPointF a(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF b(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.push_back({QRectF(a, b), m.captured(5)});
    }
    return words;
}

// One page of a PDF as pixels.
inline QImage PageImage(const std::filesystem::path& pdf, int page, int dpi,
                        const std::filesystem::path& folder) {
    const QString n = QString::number(page);
    const QString stem = QString::fromStdString((folder / "page").string());
    Tool("pdftoppm", {"-r", QString::number(dpi), "-f", n, "-l", n, "-singlefile", "-png",
                      QString::fromStdString(pdf.string()), stem});
    return QImage(stem + ".png");
}

// The value of the integer attribute `name` in a job's stored IPP attributes (tag, name
// length, name, value length 4, big-endian value), or nullopt when the job has none.
inline std::optional<int> IppInteger(const std::string& control, const std::string& name) {
    for (std::size_t at = control.find(name); at != std::string::npos;
         at = control.find(name, at + 1)) {
        if (at < 3) continue;
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(control[i]); };
        const bool wholeName = byte(at - 2) * 256u + byte(at - 1) == name.size();
        const std::size_t value = at + name.size();
        if (!wholeName || value + 6 > control.size()) continue;
        if (byte(value) != 0 || byte(value + 1) != 4) continue;
        return static_cast<int>((byte(value + 2) << 24) | (byte(value + 3) << 16) |
                                (byte(value + 4) << 8) | byte(value + 5));
    }
    return std::nullopt;
}

}  // namespace kivo::test
