// The .kps page file: a round trip keeps every drawing, files of the first version still load;
// damaged, truncated and hostile files are refused without a crash.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <chrono>
#include <cstring>
#include <ctime>
#include <functional>
#include <future>
#include <random>
#include <thread>

#include "model/Error.h"
#include "print/engine/PageStoreFile.h"
#include "tests/print/ReportFixtures.h"
#include "tests/support/TempDir.h"

using namespace kivo::report;
using kivo::report::testing::LetterPage;

namespace {

PageStore Sample() {
    PageStore store;
    store.title = "KIVO Score Report \xE2\x80\x93 Zo\xC3\xAB";
    Page page = LetterPage();
    PageItem fill;
    fill.kind = PageItem::Kind::Fill;
    fill.rect = QRectF(127.0, 127.0, 1905.0, 300.5);
    fill.color = QColor(0xC0, 0xDC, 0xC0);
    page.items.push_back(fill);
    PageItem text;
    text.kind = PageItem::Kind::Text;
    text.rect = QRectF(140.0, 150.0, 800.0, 60.0);
    text.text = "Client: O'Brien";
    text.font.family = "Arial";
    text.font.pointSize = 12.0;
    text.font.bold = true;
    text.font.color = QColor(0x80, 0, 0);
    text.align = PageItem::Align::Center;
    text.top = 150.0;
    page.items.push_back(text);
    PageItem image;
    image.kind = PageItem::Kind::Image;
    image.rect = QRectF(127.0, 600.0, 1000.0, 900.0);
    image.target = QRectF(127.0, 600.0, 254.0, 254.0);
    image.image = QImage(8, 8, QImage::Format_RGB32);
    image.image.fill(QColor(0x12, 0x34, 0x56));
    image.image.setPixelColor(3, 5, Qt::yellow);
    page.items.push_back(image);
    store.pages.push_back(page);
    store.pages.push_back(page);
    return store;
}

// A page of every drawing kind a chart or a table records.
PageStore VectorSample() {
    PageStore store = Sample();
    Page& page = store.pages[1];
    PageItem line;
    line.kind = PageItem::Kind::Line;
    line.points = {{100.0, 200.5}, {300.25, 250.0}, {310.0, 400.0}};
    line.rect = QRectF(QPointF(100.0, 200.5), QPointF(310.0, 400.0));
    line.pen = {QColor(0xC0, 0xC0, 0xC0), 2.6458, true};
    line.color = Qt::transparent;
    page.items.push_back(line);
    PageItem rectangle;
    rectangle.kind = PageItem::Kind::Rectangle;
    rectangle.rect = QRectF(500.0, 500.0, 42.3, 42.3);
    rectangle.pen = {Qt::black, 2.6458, false};
    rectangle.color = Qt::red;
    page.items.push_back(rectangle);
    PageItem ellipse = rectangle;
    ellipse.kind = PageItem::Kind::Ellipse;
    ellipse.color = Qt::blue;
    ellipse.pen.color = Qt::transparent;  // no outline
    page.items.push_back(ellipse);
    PageItem polygon;
    polygon.kind = PageItem::Kind::Polygon;
    polygon.points = {{0.0, 0.0}, {50.0, 0.0}, {25.0, 40.0}};
    polygon.rect = QRectF(0.0, 0.0, 50.0, 40.0);
    polygon.pen = {QColor(0x80, 0, 0), 5.0, false};
    polygon.color = QColor(0, 0x80, 0);
    page.items.push_back(polygon);
    return store;
}

// Writes a page file byte by byte as the first version of the format lays it out, as the
// program wrote it before lines and shapes were recorded.
class FileBytes {
public:
    FileBytes& Raw(const QByteArray& b) {
        data.append(b);
        return *this;
    }
    FileBytes& U8(quint8 v) { return Raw(QByteArray(1, static_cast<char>(v))); }
    FileBytes& U16(quint16 v) { return U8(static_cast<quint8>(v)).U8(static_cast<quint8>(v >> 8)); }
    FileBytes& U32(quint32 v) {
        for (int i = 0; i < 4; ++i) U8(static_cast<quint8>(v >> (8 * i)));
        return *this;
    }
    FileBytes& F64(double v) {
        quint64 bits = 0;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i) U8(static_cast<quint8>(bits >> (8 * i)));
        return *this;
    }
    FileBytes& String(const char* utf8) {
        const QByteArray b(utf8);
        return U32(static_cast<quint32>(b.size())).Raw(b);
    }
    FileBytes& Rect(double x, double y, double w, double h) { return F64(x).F64(y).F64(w).F64(h); }
    QByteArray data;
};

// One Letter page in the first format: a fill and a text, then `extraKind` when not 0.
QByteArray FirstVersionFile(quint8 extraKind = 0) {
    FileBytes f;
    f.Raw("KIVOPAGES").U16(1).String("KIVO Score Report").U32(1);
    f.F64(2159.0).F64(2794.0).U32(extraKind == 0 ? 2 : 3);
    f.U8(1).Rect(127.0, 127.0, 1905.0, 341.3).U32(0xFFFFFFFFu);
    f.U8(2).Rect(148.2, 402.2, 300.0, 40.0).String("Name: Br\xC3\xB6nte");
    f.String("Arial").F64(10.0).U8(1).U32(0xFF000000u).U8(0).F64(402.2);
    if (extraKind != 0) {
        f.U8(extraKind).Rect(0.0, 0.0, 10.0, 10.0).U32(0xFF000000u).F64(2.6).U8(0).U32(0);
    }
    return f.data;
}

void ExpectSame(const PageStore& a, const PageStore& b) {
    EXPECT_EQ(a.title, b.title);
    ASSERT_EQ(a.pages.size(), b.pages.size());
    for (std::size_t p = 0; p < a.pages.size(); ++p) {
        const auto& x = a.pages[p];
        const auto& y = b.pages[p];
        EXPECT_EQ(x.width, y.width);
        ASSERT_EQ(x.items.size(), y.items.size());
        for (std::size_t i = 0; i < x.items.size(); ++i) {
            const auto& s = x.items[i];
            const auto& t = y.items[i];
            EXPECT_EQ(s.kind, t.kind);
            EXPECT_EQ(s.rect, t.rect);
            EXPECT_EQ(s.text, t.text);
            EXPECT_EQ(s.align, t.align);
            EXPECT_EQ(s.top, t.top);
            EXPECT_TRUE(s.font == t.font) << i;
            EXPECT_EQ(s.target, t.target);
            if (s.kind == PageItem::Kind::Fill) {
                EXPECT_EQ(s.color, t.color);
            }
            EXPECT_TRUE(s.pen == t.pen) << i;
            EXPECT_EQ(s.points, t.points) << i;
            if (s.kind == PageItem::Kind::Rectangle || s.kind == PageItem::Kind::Ellipse ||
                s.kind == PageItem::Kind::Polygon) {
                EXPECT_EQ(s.color.rgba(), t.color.rgba()) << i;
            }
            if (s.kind == PageItem::Kind::Image) {
                EXPECT_EQ(s.image.convertToFormat(QImage::Format_RGB32),
                          t.image.convertToFormat(QImage::Format_RGB32));
            }
        }
    }
}

void ExpectRefused(const QByteArray& data, const char* what) {
    try {
        LoadPageStore(data);
        ADD_FAILURE() << "loaded: " << what;
    } catch (const kivo::Error& e) {
        EXPECT_NE(std::string(e.what()).find("not a readable KIVO page file"), std::string::npos)
            << e.what();
    }
}

// Little-endian 32-bit value at `offset`.
void Put32(QByteArray& data, qsizetype offset, quint32 v) {
    for (int i = 0; i < 4; ++i) data[offset + i] = static_cast<char>(v >> (8 * i));
}

}  // namespace

TEST(PageStoreFile, RoundTripKeepsEveryDrawing) {
    const auto saved = SavePageStore(Sample());
    EXPECT_EQ(saved.left(9), "KIVOPAGES");
    ExpectSame(LoadPageStore(saved), Sample());
}

TEST(PageStoreFile, RoundTripKeepsLinesShapesAndTheirPens) {
    const auto saved = SavePageStore(VectorSample());
    EXPECT_EQ(saved.mid(9, 2), QByteArray("\x02\x00", 2)) << "lines and shapes need version 2";
    ExpectSame(LoadPageStore(saved), VectorSample());
}

// Pages of fills, texts and pictures keep the first version, which older programs read.
TEST(PageStoreFile, PagesWithoutLinesOrShapesAreWrittenInTheFirstVersion) {
    EXPECT_EQ(SavePageStore(Sample()).mid(9, 2), QByteArray("\x01\x00", 2));
}

TEST(PageStoreFile, AFileOfTheFirstVersionStillLoads) {
    const PageStore store = LoadPageStore(FirstVersionFile());
    EXPECT_EQ(store.title, "KIVO Score Report");
    ASSERT_EQ(store.PageCount(), 1);
    const Page& page = store.pages[0];
    EXPECT_EQ(page.width, 2159.0);
    EXPECT_EQ(page.height, 2794.0);
    ASSERT_EQ(page.items.size(), 2u);
    EXPECT_EQ(page.items[0].kind, PageItem::Kind::Fill);
    EXPECT_EQ(page.items[0].rect, QRectF(127.0, 127.0, 1905.0, 341.3));
    EXPECT_EQ(page.items[0].color, QColor(Qt::white));
    const PageItem& text = page.items[1];
    EXPECT_EQ(text.kind, PageItem::Kind::Text);
    EXPECT_EQ(text.text, QString::fromUtf8("Name: Br\xC3\xB6nte"));
    EXPECT_EQ(text.font.family, "Arial");
    EXPECT_EQ(text.font.pointSize, 10.0);
    EXPECT_TRUE(text.font.bold);
    EXPECT_EQ(text.top, 402.2);
    // Saved again, it is the same file.
    EXPECT_EQ(SavePageStore(store), FirstVersionFile());
}

TEST(PageStoreFile, LinesAndShapesAreRefusedInAFileOfTheFirstVersion) {
    for (quint8 kind = 4; kind <= 8; ++kind) {
        ExpectRefused(FirstVersionFile(kind), "vector kind in version 1");
    }
}

TEST(PageStoreFile, RefusesDamagedLinesAndShapes) {
    const QByteArray good = SavePageStore(VectorSample());
    // The last item is the polygon: kind, rect, pen (colour, width, style), fill, points.
    const qsizetype polygonAt = good.size() - (1 + 32 + 4 + 8 + 1 + 4 + 4 + 3 * 16);
    ASSERT_EQ(good[polygonAt], static_cast<char>(7));
    const qsizetype widthAt = polygonAt + 1 + 32 + 4;
    QByteArray negative = good;
    const double minus = -1.0;
    std::memcpy(negative.data() + widthAt, &minus, 8);
    ExpectRefused(negative, "negative line width");
    QByteArray style = good;
    style[widthAt + 8] = 2;
    ExpectRefused(style, "unknown line style");
    QByteArray points = good;
    Put32(points, widthAt + 8 + 1 + 4, 100001u);
    ExpectRefused(points, "too many points");
    QByteArray far = good;
    const double beyond = 2e6;  // 200 m
    std::memcpy(far.data() + good.size() - 8, &beyond, 8);
    ExpectRefused(far, "a point beyond 100 m");
    QByteArray kind = good;
    kind[polygonAt] = 8;
    ExpectRefused(kind, "unknown drawing kind");
}

TEST(PageStoreFile, RefusesDamagedAndHostileFiles) {
    const QByteArray good = SavePageStore(Sample());
    ExpectRefused({}, "empty");
    ExpectRefused("KIVOPAGE", "short magic");
    QByteArray magic = good;
    magic[0] = 'X';
    ExpectRefused(magic, "wrong magic");
    QByteArray version = good;
    version[9] = 3;
    ExpectRefused(version, "newer version");
    version[9] = 0;
    ExpectRefused(version, "version 0");
    ExpectRefused(good + "x", "data after the last page");
    // Title length claiming 4 GiB, page count beyond the limit.
    QByteArray hugeTitle = good;
    Put32(hugeTitle, 11, 0xFFFFFFFFu);
    ExpectRefused(hugeTitle, "huge title");
    const qsizetype pagesAt = 15 + Sample().title.toUtf8().size();  // magic, version, title
    QByteArray manyPages = good;
    Put32(manyPages, pagesAt, 0x7FFFFFFFu);
    ExpectRefused(manyPages, "too many pages");
    // The first page's width as NaN.
    QByteArray nan = good;
    for (int i = 0; i < 8; ++i) nan[pagesAt + 4 + i] = static_cast<char>(0xFF);
    ExpectRefused(nan, "NaN width");
}

TEST(PageStoreFile, EveryTruncationIsRefused) {
    const QByteArray good = SavePageStore(VectorSample());
    for (qsizetype n = 0; n < good.size(); ++n) ExpectRefused(good.left(n), "truncated");
}

TEST(PageStoreFile, RandomDamageNeverCrashes) {
    const QByteArray good = SavePageStore(VectorSample());
    std::mt19937 rng(2024);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = good;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int f = 0; f < flips; ++f) {
            bad[static_cast<qsizetype>(rng() % static_cast<unsigned>(bad.size()))] =
                static_cast<char>(rng());
        }
        try {
            LoadPageStore(bad);
            ++loaded;  // damage inside a colour or a text can still be a valid file
        } catch (const kivo::Error&) {
        }
    }
    SUCCEED() << loaded << " damaged files still loaded";
}

namespace {

// A file of `pages` letter pages, each holding what `fill` puts on it.
QByteArray FileOf(int pages, const std::function<void(Page&)>& fill) {
    PageStore store;
    store.title = "KIVO Score Report";
    for (int p = 0; p < pages; ++p) {
        Page page = LetterPage();
        fill(page);
        store.pages.push_back(std::move(page));
    }
    return SavePageStore(store);
}

PageItem Picture(const QImage& image) {
    PageItem item;
    item.kind = PageItem::Kind::Image;
    item.rect = item.target = QRectF(0, 0, 100, 100);
    item.image = image;
    return item;
}

PageItem Text(const QString& text) {
    PageItem item;
    item.kind = PageItem::Kind::Text;
    item.rect = QRectF(0, 0, 100, 100);
    item.text = text;
    item.font.family = "Arial";
    return item;
}

PageItem Polygon(int points) {
    PageItem item;
    item.kind = PageItem::Kind::Polygon;
    item.rect = QRectF(0, 0, 100, 100);
    for (int i = 0; i < points; ++i) item.points.emplace_back(i % 100, i % 7);
    return item;
}

// The processor time this process has used since it was made.
class CpuTimer {
public:
    double Milliseconds() const { return 1000.0 * double(std::clock() - start_) / CLOCKS_PER_SEC; }

private:
    std::clock_t start_ = std::clock();
};

PageItem Fill() {
    PageItem item;
    item.kind = PageItem::Kind::Fill;
    item.rect = QRectF(0, 0, 10, 10);
    return item;
}

}  // namespace

// What a whole file may hold: each budget is reached by many entries that are each allowed on
// their own, and one entry less loads. A file over a budget is refused within a second of the
// processor's time (other work on a busy machine is not counted), before the pictures are
// decoded.
TEST(PageStoreFile, AFileOverItsBudgetIsRefusedAtOnce) {
    // 8000 x 8000 black-and-white pictures are a few kilobytes as PNG, 64 million pixels each
    // decoded; one fits the budget of 64 million.
    QImage big(8000, 8000, QImage::Format_Mono);
    big.fill(0);
    QImage small(8000, 7999, QImage::Format_Mono);
    small.fill(0);
    struct Case {
        const char* what;
        QByteArray within;
        QByteArray over;
        const char* message;
    };
    const QString halfMiB(512 * 1024 - 32, QLatin1Char('w'));
    const Case cases[] = {
        {"pictures", FileOf(1, [&](Page& p) { p.items.push_back(Picture(small)); }),
         FileOf(2, [&](Page& p) { p.items.push_back(Picture(big)); }),
         "its pictures hold more than 64 million pixels"},
        {"texts", FileOf(1, [&](Page& p) { p.items.push_back(Text(halfMiB)); }),
         FileOf(3, [&](Page& p) { p.items.push_back(Text(halfMiB)); }),
         "its texts hold more than 1 MiB"},
        {"drawings", FileOf(2, [](Page& p) { p.items.assign(99999, Fill()); }),
         FileOf(2, [](Page& p) { p.items.assign(100001, Fill()); }),
         "its pages hold more than 200,000 drawings"},
        {"points", FileOf(9, [](Page& p) { p.items.push_back(Polygon(100000)); }),
         FileOf(11, [](Page& p) { p.items.push_back(Polygon(100000)); }),
         "its drawings hold more than 1,000,000 points"},
    };
    for (const Case& c : cases) {
        EXPECT_NO_THROW(LoadPageStore(c.within)) << c.what;
        const CpuTimer timer;
        try {
            LoadPageStore(c.over);
            ADD_FAILURE() << "loaded: " << c.what;
        } catch (const kivo::Error& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("This page file is too large to show: ") + c.message + ".");
        }
        EXPECT_LT(timer.Milliseconds(), 1000) << c.what;
    }
}

// Only a plain file is read: a pipe or a link to an endless device by a page file's name is
// refused at once, as is a file over 64 MiB.
TEST(PageStoreFile, OnlyAPlainFileOfSensibleSizeIsRead) {
    const TempDir temp;
    ASSERT_EQ(::mkfifo((temp / "pipe.kps").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", temp / "zero.kps");
    for (const char* name : {"pipe.kps", "zero.kps"}) {
        const QString path = QString::fromStdString((temp / name).string());
        auto done = std::make_shared<std::promise<std::string>>();
        auto answer = done->get_future();
        std::thread([done, path] {
            try {
                LoadPageStoreFile(path);
                done->set_value("loaded");
            } catch (const kivo::Error& e) {
                done->set_value(e.what());
            }
        }).detach();
        ASSERT_EQ(answer.wait_for(std::chrono::seconds(1)), std::future_status::ready) << name;
        EXPECT_EQ(answer.get(), "\"" + path.toStdString() + "\" is not a page file.");
    }
    const QString huge = QString::fromStdString((temp / "huge.kps").string());
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(SavePageStore(Sample()));
        ASSERT_TRUE(file.resize(65 << 20));
    }
    const CpuTimer timer;
    EXPECT_THROW(LoadPageStoreFile(huge), kivo::Error);
    EXPECT_LT(timer.Milliseconds(), 1000);
}
