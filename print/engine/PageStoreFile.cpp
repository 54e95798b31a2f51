// Writing and reading .kps page files; reading checks every value, so a damaged file is refused
// whole.
#include "print/engine/PageStoreFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/Error.h"

namespace kivo::report {
namespace {

constexpr char kMagic[] = "KIVOPAGES";  // 9 bytes, then a 16-bit version
// Version 1 holds fills, texts and pictures; version 2 adds lines, rectangles, ellipses and
// polygons. Pages without those are still written as version 1, which older programs read.
constexpr quint16 kFirstVersion = 1;
constexpr quint16 kVectorVersion = 2;
constexpr quint32 kMaxPages = 10000;
constexpr quint32 kMaxItems = 200000;
constexpr quint32 kMaxPoints = 100000;
constexpr quint32 kMaxString = 1 << 20;
constexpr quint32 kMaxImageBytes = 64u << 20;
constexpr int kMaxImageSide = 20000;
constexpr double kMaxLength = 1e6;  // 100 m in tenths of a millimetre
// What one page file may hold in all: past this the preview would take gigabytes or stall on
// every redraw, so a file over it is refused before the rest is read or decoded.
constexpr qint64 kMaxFileSize = 64ll << 20;
constexpr qint64 kMaxPixels = 64'000'000;  // decoded picture pixels, 256 MB as 32-bit colour
constexpr qint64 kMaxTextBytes = 1 << 20;  // every text, title and font name
constexpr qint64 kMaxTotalItems = 200000;  // drawings on all pages
constexpr qint64 kMaxTotalPoints = 1000000;

class Writer {
public:
    void Bytes(const void* p, std::size_t n) {
        out.append(static_cast<const char*>(p), static_cast<qsizetype>(n));
    }
    void U8(quint8 v) { Bytes(&v, 1); }
    void U16(quint16 v) {
        const unsigned char b[2] = {static_cast<unsigned char>(v),
                                    static_cast<unsigned char>(v >> 8)};
        Bytes(b, 2);
    }
    void U32(quint32 v) {
        for (int i = 0; i < 4; ++i) U8(static_cast<quint8>(v >> (8 * i)));
    }
    void F64(double v) {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i) U8(static_cast<quint8>(bits >> (8 * i)));
    }
    void Blob(const QByteArray& b) {
        U32(static_cast<quint32>(b.size()));
        out.append(b);
    }
    void String(const QString& s) { Blob(s.toUtf8()); }
    void Rect(const QRectF& r) {
        F64(r.x());
        F64(r.y());
        F64(r.width());
        F64(r.height());
    }
    QByteArray out;
};

class Reader {
public:
    explicit Reader(const QByteArray& data) : data_(data) {}

    [[noreturn]] static void Fail(const std::string& why) {
        throw Error("This is not a readable KIVO page file: " + why);
    }
    [[noreturn]] static void TooLarge(const std::string& what) {
        throw Error("This page file is too large to show: " + what + ".");
    }
    // Takes `amount` from what is left of the file's budget `left`.
    static void Spend(qint64& left, qint64 amount, const std::string& what) {
        if (amount > left) TooLarge(what);
        left -= amount;
    }
    const char* Take(std::size_t n) {
        if (n > static_cast<std::size_t>(data_.size()) - pos_) Fail("it ends too early");
        const char* p = data_.constData() + pos_;
        pos_ += n;
        return p;
    }
    quint8 U8() { return static_cast<quint8>(*Take(1)); }
    quint16 U16() {
        const auto* p = reinterpret_cast<const unsigned char*>(Take(2));
        return static_cast<quint16>(p[0] | (p[1] << 8));
    }
    quint32 U32() {
        const auto* p = reinterpret_cast<const unsigned char*>(Take(4));
        return static_cast<quint32>(p[0]) | (static_cast<quint32>(p[1]) << 8) |
               (static_cast<quint32>(p[2]) << 16) | (static_cast<quint32>(p[3]) << 24);
    }
    quint32 Count(quint32 limit, const char* what) {
        const quint32 n = U32();
        if (n > limit) Fail(std::string("too many ") + what);
        return n;
    }
    double F64() {
        const auto* p = reinterpret_cast<const unsigned char*>(Take(8));
        quint64 bits = 0;
        for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
        double v;
        std::memcpy(&v, &bits, 8);
        return v;
    }
    double Length() {
        const double v = F64();
        if (!std::isfinite(v) || std::fabs(v) > kMaxLength) Fail("a length is out of range");
        return v;
    }
    QRectF Rect() {
        const double x = Length(), y = Length(), w = Length(), h = Length();
        if (w < 0 || h < 0) Fail("a rectangle has a negative size");
        return {x, y, w, h};
    }
    QByteArray Blob(quint32 limit) {
        const quint32 n = Count(limit, "bytes in one entry");
        return QByteArray(Take(n), static_cast<qsizetype>(n));
    }
    QString String() {
        const QByteArray bytes = Blob(kMaxString);
        Spend(textLeft, bytes.size(), "its texts hold more than 1 MiB");
        QString s = QString::fromUtf8(bytes);
        if (s.toUtf8() != bytes) Fail("a text is not valid UTF-8");
        return s;
    }
    bool AtEnd() const { return pos_ == static_cast<std::size_t>(data_.size()); }

    // What the rest of the file may still hold.
    qint64 pixelsLeft = kMaxPixels;
    qint64 textLeft = kMaxTextBytes;
    qint64 itemsLeft = kMaxTotalItems;
    qint64 pointsLeft = kMaxTotalPoints;

private:
    const QByteArray& data_;
    std::size_t pos_ = 0;
};

void WriteFont(Writer& w, const FontSpec& f) {
    w.String(f.family);
    w.F64(f.pointSize);
    w.U8(static_cast<quint8>((f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0)));
    w.U32(f.color.rgba());
}

FontSpec ReadFont(Reader& r) {
    FontSpec f;
    f.family = r.String();
    f.pointSize = r.F64();
    if (!std::isfinite(f.pointSize) || f.pointSize <= 0 || f.pointSize > 1000) {
        Reader::Fail("a font size is out of range");
    }
    const quint8 flags = r.U8();
    if (flags > 7) Reader::Fail("unknown font style");
    f.bold = flags & 1;
    f.italic = flags & 2;
    f.underline = flags & 4;
    f.color = QColor::fromRgba(r.U32());
    return f;
}

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The picture's size comes from its header, so one over the budget is refused undecoded.
QImage DecodePng(const QByteArray& bytes, qint64& pixelsLeft) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    reader.setAllocationLimit(256);  // megabytes
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxImageSide || size.height() > kMaxImageSide) {
        Reader::Fail("a picture has an unreadable size");
    }
    Reader::Spend(pixelsLeft, qint64(size.width()) * size.height(),
                  "its pictures hold more than 64 million pixels");
    QImage image = reader.read();
    if (image.isNull()) Reader::Fail("a picture cannot be decoded");
    return image;
}

void WritePen(Writer& w, const PenStyle& pen) {
    w.U32(pen.color.rgba());
    w.F64(pen.width);
    w.U8(pen.dotted ? 1 : 0);
}

PenStyle ReadPen(Reader& r) {
    PenStyle pen;
    pen.color = QColor::fromRgba(r.U32());
    pen.width = r.Length();
    if (pen.width < 0) Reader::Fail("a line has a negative width");
    const quint8 style = r.U8();
    if (style > 1) Reader::Fail("unknown line style");
    pen.dotted = style == 1;
    return pen;
}

void WritePoints(Writer& w, const std::vector<QPointF>& points) {
    w.U32(static_cast<quint32>(points.size()));
    for (const QPointF& p : points) {
        w.F64(p.x());
        w.F64(p.y());
    }
}

std::vector<QPointF> ReadPoints(Reader& r) {
    const quint32 n = r.Count(kMaxPoints, "points in one drawing");
    Reader::Spend(r.pointsLeft, n, "its drawings hold more than 1,000,000 points");
    std::vector<QPointF> points;
    points.reserve(std::min<quint32>(n, 1024));  // grows with what the file really holds
    for (quint32 i = 0; i < n; ++i) {
        const double x = r.Length();
        const double y = r.Length();
        points.emplace_back(x, y);
    }
    return points;
}

bool IsVectorKind(PageItem::Kind kind) {
    return kind == PageItem::Kind::Line || kind == PageItem::Kind::Rectangle ||
           kind == PageItem::Kind::Ellipse || kind == PageItem::Kind::Polygon;
}

void WriteItem(Writer& w, const PageItem& item) {
    w.U8(static_cast<quint8>(item.kind));
    w.Rect(item.rect);
    switch (item.kind) {
        case PageItem::Kind::Fill:
            w.U32(item.color.rgba());
            break;
        case PageItem::Kind::Text:
            w.String(item.text);
            WriteFont(w, item.font);
            w.U8(static_cast<quint8>(item.align));
            w.F64(item.top);
            break;
        case PageItem::Kind::Image:
            w.Rect(item.target);
            w.Blob(EncodePng(item.image));
            break;
        case PageItem::Kind::Line:
            WritePen(w, item.pen);
            WritePoints(w, item.points);
            break;
        case PageItem::Kind::Rectangle:
        case PageItem::Kind::Ellipse:
            WritePen(w, item.pen);
            w.U32(item.color.rgba());
            break;
        case PageItem::Kind::Polygon:
            WritePen(w, item.pen);
            w.U32(item.color.rgba());
            WritePoints(w, item.points);
            break;
    }
}

PageItem ReadItem(Reader& r, quint16 version) {
    PageItem item;
    const quint8 kind = r.U8();
    const quint8 lastKind = version >= kVectorVersion ? 7 : 3;
    if (kind < 1 || kind > lastKind) Reader::Fail("unknown drawing kind");
    item.kind = static_cast<PageItem::Kind>(kind);
    item.rect = r.Rect();
    switch (item.kind) {
        case PageItem::Kind::Fill:
            item.color = QColor::fromRgba(r.U32());
            break;
        case PageItem::Kind::Text: {
            item.text = r.String();
            item.font = ReadFont(r);
            const quint8 align = r.U8();
            if (align > 2) Reader::Fail("unknown text alignment");
            item.align = static_cast<PageItem::Align>(align);
            item.top = r.Length();
            break;
        }
        case PageItem::Kind::Image:
            item.target = r.Rect();
            item.image = DecodePng(r.Blob(kMaxImageBytes), r.pixelsLeft);
            break;
        case PageItem::Kind::Line:
            item.pen = ReadPen(r);
            item.points = ReadPoints(r);
            break;
        case PageItem::Kind::Rectangle:
        case PageItem::Kind::Ellipse:
            item.pen = ReadPen(r);
            item.color = QColor::fromRgba(r.U32());
            break;
        case PageItem::Kind::Polygon:
            item.pen = ReadPen(r);
            item.color = QColor::fromRgba(r.U32());
            item.points = ReadPoints(r);
            break;
    }
    return item;
}

}  // namespace

QByteArray SavePageStore(const PageStore& store) {
    bool vectors = false;
    for (const auto& page : store.pages) {
        for (const auto& item : page.items) vectors = vectors || IsVectorKind(item.kind);
    }
    Writer w;
    w.Bytes(kMagic, 9);
    w.U16(vectors ? kVectorVersion : kFirstVersion);
    w.String(store.title);
    w.U32(static_cast<quint32>(store.pages.size()));
    for (const auto& page : store.pages) {
        w.F64(page.width);
        w.F64(page.height);
        w.U32(static_cast<quint32>(page.items.size()));
        for (const auto& item : page.items) WriteItem(w, item);
    }
    return w.out;
}

PageStore LoadPageStore(const QByteArray& data) {
    Reader r(data);
    if (std::memcmp(r.Take(9), kMagic, 9) != 0) Reader::Fail("it has no KIVOPAGES signature");
    const quint16 version = r.U16();
    if (version < kFirstVersion || version > kVectorVersion) {
        Reader::Fail("it was written in format version " + std::to_string(version) +
                     "; this program reads versions " + std::to_string(kFirstVersion) + " to " +
                     std::to_string(kVectorVersion));
    }
    PageStore store;
    store.title = r.String();
    const quint32 pages = r.Count(kMaxPages, "pages");
    for (quint32 p = 0; p < pages; ++p) {
        Page page;
        page.width = r.Length();
        page.height = r.Length();
        if (page.width <= 0 || page.height <= 0) Reader::Fail("a page has no size");
        const quint32 items = r.Count(kMaxItems, "drawings on a page");
        Reader::Spend(r.itemsLeft, items, "its pages hold more than 200,000 drawings");
        for (quint32 i = 0; i < items; ++i) page.items.push_back(ReadItem(r, version));
        store.pages.push_back(std::move(page));
    }
    if (!r.AtEnd()) Reader::Fail("it has data after its last page");
    return store;
}

void SavePageStoreFile(const PageStore& store, const QString& path) {
    QSaveFile file(path);
    const QByteArray data = SavePageStore(store);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        throw Error("Cannot save \"" + path.toStdString() +
                    "\": " + file.errorString().toStdString());
    }
}

PageStore LoadPageStoreFile(const QString& path) {
    // Only a plain file: a pipe or a device (or a link to one) would be waited on or read
    // without end.
    const std::string name = path.toStdString();
    if (!QFileInfo(path).isFile()) throw Error("\"" + name + "\" is not a page file.");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error("Cannot open \"" + name + "\": " + file.errorString().toStdString());
    }
    // The size says it at once; reading no more than the limit holds for a file still growing.
    const QByteArray data = file.size() > kMaxFileSize ? QByteArray() : file.read(kMaxFileSize + 1);
    if (file.size() > kMaxFileSize || data.size() > kMaxFileSize) {
        throw Error("This page file is too large to show: \"" + name + "\" is over 64 MiB.");
    }
    return LoadPageStore(data);
}

}  // namespace kivo::report
