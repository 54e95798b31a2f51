// The .kps page file: a round trip keeps every drawing; damaged, truncated and hostile files
// are refused without a crash.
#include <gtest/gtest.h>

#include <random>

#include "model/Error.h"
#include "print/engine/PageStoreFile.h"
#include "tests/print/ReportFixtures.h"

using namespace kivo::report;

namespace {

PageStore Sample() {
    PageStore store;
    store.title = "KIVO Score Report \xE2\x80\x93 Zo\xC3\xAB";
    Page page;
    page.width = 2159.0;
    page.height = 2794.0;
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

TEST(PageStoreFile, RefusesDamagedAndHostileFiles) {
    const QByteArray good = SavePageStore(Sample());
    ExpectRefused({}, "empty");
    ExpectRefused("KIVOPAGE", "short magic");
    QByteArray magic = good;
    magic[0] = 'X';
    ExpectRefused(magic, "wrong magic");
    QByteArray version = good;
    version[9] = 2;
    ExpectRefused(version, "newer version");
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
    const QByteArray good = SavePageStore(Sample());
    for (qsizetype n = 0; n < good.size(); ++n) ExpectRefused(good.left(n), "truncated");
}

TEST(PageStoreFile, RandomDamageNeverCrashes) {
    const QByteArray good = SavePageStore(Sample());
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
