// Labels broken into lines and recorded onto pages, the print date, and pictures.
#include "print/engine/ReportElements.h"

#include <QDate>
#include <QLocale>
#include <algorithm>
#include <cmath>

#include "print/engine/PageItemCanvas.h"
#include "print/engine/ReportBand.h"
#include "print/engine/ReportUnits.h"

namespace kivo::report {
namespace {

// Splits text into words, each ending after a blank, a hyphen or a carriage return.
QStringList Words(const QString& text) {
    QStringList words;
    QString word;
    for (const QChar c : text) {
        word += c;
        if (c == u' ' || c == u'-' || c == u'\r') {
            words << word;
            word.clear();
        }
    }
    if (!word.isEmpty()) words << word;
    return words;
}

double Width(const DesignMetrics& m, const QString& s) {
    return DesignPixelsToTenths(m.TextWidth(s));
}

// The longest start of `word` that fits in `width`, never half a surrogate pair.
QString CutToFit(const QString& word, double width, const DesignMetrics& m) {
    qsizetype n = word.size();
    while (n > 0 && Width(m, word.left(n)) > width) --n;
    if (n > 0 && n < word.size() && word[n - 1].isHighSurrogate()) --n;
    return word.left(n);
}

const QString kEllipsis = QStringLiteral("\u2026");

// `line` shortened so that it and "…" fit in `width`, then "…" appended.
QString WithEllipsis(QString line, double width, const DesignMetrics& m) {
    const auto trimEnd = [](QString& s) {
        while (!s.isEmpty() && s.back().isSpace()) s.chop(1);
    };
    trimEnd(line);
    while (!line.isEmpty() && Width(m, line + kEllipsis) > width) {
        line.chop(line.size() > 1 && line[line.size() - 1].isLowSurrogate() ? 2 : 1);
        trimEnd(line);
    }
    return line + kEllipsis;
}

}  // namespace

void ReportLabel::SetCaption(const QString& caption) {
    caption_ = caption;
    Reformat();
}

void ReportLabel::Reformat() {
    QString text = caption_;
    text.remove(u'\n');
    const DesignMetrics metrics(Font);
    if (AutoSize) {
        lines_ = text.split(u'\r');
        double widest = 0.0;
        for (const auto& line : lines_) widest = std::max(widest, Width(metrics, line));
        if (Alignment == TextAlignment::Right) Size.left += Size.width - widest;
        if (Alignment == TextAlignment::Center) Size.left += (Size.width - widest) / 2.0;
        Size.width = widest;
    }
    const bool cut = !AutoSize && FillLines(text, metrics);
    Size.height = std::max(Size.height, DesignPixelsToTenths(metrics.TextHeight() + 1.0));
    if (!AutoSize && EllipsisWhenCut) CutToHeight(metrics, cut);
    if (AlignToBand) {
        const double bandWidth = Band().Size.width;
        switch (Alignment) {
            case TextAlignment::Left:
                Size.left = 0.0;
                break;
            case TextAlignment::Right:
                Size.left = bandWidth - Size.width;
                break;
            case TextAlignment::Center:
                Size.left = std::trunc((bandWidth - Size.width) / 2.0);
                break;
        }
    }
}

bool ReportLabel::FillLines(const QString& text, const DesignMetrics& metrics) {
    lines_.clear();
    bool cut = false;
    QString line;
    for (QString word : Words(text)) {
        const bool lineEnds = word.endsWith(u'\r');
        if (lineEnds) word.chop(1);
        if (!line.isEmpty() && Width(metrics, (line + word).trimmed()) > Size.width) {
            lines_ << line;
            line.clear();
        }
        while (BreakLongWords && line.isEmpty() && Width(metrics, word.trimmed()) > Size.width) {
            QString piece = CutToFit(word, Size.width, metrics);
            if (piece.isEmpty()) piece = word.left(1);  // a label narrower than one character
            lines_ << piece;
            word.remove(0, piece.size());
        }
        if (line.isEmpty() && Width(metrics, word.trimmed()) > Size.width) {
            word = CutToFit(word, Size.width, metrics);  // the rest of the word is dropped
            cut = true;
        }
        line += word;
        if (lineEnds) {
            lines_ << line;
            line.clear();
        }
    }
    if (!line.isEmpty()) lines_ << line;
    if (!WordWrap && lines_.size() > 1) {
        lines_ = lines_.mid(0, 1);
        cut = true;
    }
    return cut;
}

void ReportLabel::CutToHeight(const DesignMetrics& metrics, bool cut) {
    // The same whole-line rule as printing.
    const double lineHeight = DesignPixelsToTenths(metrics.TextHeight());
    qsizetype fit = 0;
    while (static_cast<double>(fit + 1) * lineHeight <= Size.height + 1e-9) ++fit;
    if (lines_.size() > fit) {
        lines_ = lines_.mid(0, fit);
        cut = true;
    }
    if (cut && !lines_.isEmpty()) {
        lines_.back() = WithEllipsis(lines_.back(), Size.width, metrics);
    }
}

void ReportLabel::Print(Page& page, double bandX, double bandY) {
    Reformat();
    const QRectF rect(bandX + Size.left, bandY + Size.top, Size.width, Size.height);
    if (!Transparent) {
        PageItem fill;
        fill.kind = PageItem::Kind::Fill;
        fill.rect = rect;
        fill.color = Color;
        page.items.push_back(fill);
    }
    const double lineHeight = DesignPixelsToTenths(DesignMetrics(Font).TextHeight());
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const double top = static_cast<double>(i) * lineHeight;
        if (top + lineHeight > Size.height + 1e-9) break;  // only whole lines are printed
        PageItem text;
        text.kind = PageItem::Kind::Text;
        text.rect = rect;
        text.text = lines_[i];
        text.font = Font;
        text.top = rect.top() + top;
        text.align = Alignment == TextAlignment::Right    ? PageItem::Align::Right
                     : Alignment == TextAlignment::Center ? PageItem::Align::Center
                                                          : PageItem::Align::Left;
        page.items.push_back(text);
    }
}

void ReportDrawing::Print(Page& page, double bandX, double bandY) {
    if (!Draw) return;
    const QRectF rect(bandX + Size.left, bandY + Size.top, Size.width, Size.height);
    // As opaque as the white bitmap it replaces.
    PageItem white;
    white.kind = PageItem::Kind::Fill;
    white.rect = rect;
    white.color = Qt::white;
    page.items.push_back(white);
    const QRectF bitmap(rect.topLeft(), QSizeF(DesignPixelsToTenths(PixelWidth),
                                               DesignPixelsToTenths(PixelHeight)));
    PageItemCanvas canvas(page, rect.topLeft(), bitmap.intersected(rect));
    Draw(canvas, PixelWidth, PixelHeight);
}

QString ShortDateText() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

void ReportDateLabel::Print(Page& page, double bandX, double bandY) {
    SetCaption(Text + ShortDateText());
    ReportLabel::Print(page, bandX, bandY);
}

void ReportImage::Print(Page& page, double bandX, double bandY) {
    if (Picture.isNull()) return;
    const QRectF rect(bandX + Size.left, bandY + Size.top, Size.width, Size.height);
    QRectF target(rect.topLeft(), QSizeF(DesignPixelsToTenths(Picture.width()),
                                         DesignPixelsToTenths(Picture.height())));
    if (Stretch) {
        target = rect;
    } else if (Center) {
        target.moveCenter(rect.center());
    }
    PageItem item;
    item.kind = PageItem::Kind::Image;
    item.rect = rect;
    item.target = target;
    item.image = Picture;
    page.items.push_back(item);
}

}  // namespace kivo::report
