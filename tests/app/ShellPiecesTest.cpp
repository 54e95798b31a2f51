// The shell's small pure pieces: names and titles, INI text, placement, the error box text,
// the logo decoder.
#include <gtest/gtest.h>

#include <QFile>

#include "app/FileNames.h"
#include "app/IniText.h"
#include "app/JpegImage.h"
#include "app/WindowPlacement.h"
#include "shell/ErrorBox.h"

namespace kivo {
namespace {

TEST(FileNames, NameAndFolderParts) {
    struct Case {
        QString path, name, folder;
    };
    for (const Case& c : {Case{"/home/a/clients/smith.kvo", "smith.kvo", "/home/a/clients/"},
                          Case{"smith.kvo", "smith.kvo", ""}, Case{"/x.KVO", "x.KVO", "/"},
                          Case{"rel/dir/", "", "rel/dir/"}, Case{"", "", ""}}) {
        EXPECT_EQ(NamePart(c.path), c.name) << c.path.toStdString();
        EXPECT_EQ(FolderPart(c.path), c.folder) << c.path.toStdString();
    }
}

TEST(FileNames, TitleUpperCasesOnlyAToZ) {
    EXPECT_EQ(TitleFor("KIVO", ""), "KIVO");
    EXPECT_EQ(TitleFor("KIVO", "smith.kvo"), "KIVO - SMITH.KVO");
    EXPECT_EQ(TitleFor("KIVO", QString::fromUtf8("m\xc3\xbcller-1_b.kvo")),
              QString::fromUtf8("KIVO - M\xc3\xbcLLER-1_B.KVO"));
}

TEST(FileNames, TrailingSeparatorAddedOnce) {
    EXPECT_EQ(WithTrailingSeparator("/tmp/"), "/tmp/");
    EXPECT_TRUE(WithTrailingSeparator("/tmp").startsWith("/tmp"));
    EXPECT_EQ(WithTrailingSeparator("/tmp").size(), 5);
}

TEST(IniText, ReadsKeyOfSectionIgnoringCaseAndBlanks) {
    const QString text =
        "; comment\n[Other]\nDataPath=/wrong/\n[ information ]\r\n  datapath = /data/x/ \r\n";
    EXPECT_EQ(IniValue(text, "Information", "DataPath"), QString("/data/x/"));
    EXPECT_EQ(IniValue(text, "Information", "Missing"), std::nullopt);
    EXPECT_EQ(IniValue(text, "Absent", "DataPath"), std::nullopt);
    EXPECT_EQ(IniValue("[Information]\n;DataPath=/c/\n", "Information", "DataPath"), std::nullopt);
}

TEST(IniText, WritingKeepsEveryOtherLine) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"", "[Information]\nDataPath=/d/\n"},
        {"[A]\nx=1\n", "[A]\nx=1\n\n[Information]\nDataPath=/d/\n"},
        {"[Information]\nDataPath=/old/\nOther=2\n[B]\ny=3\n",
         "[Information]\nDataPath=/d/\nOther=2\n[B]\ny=3\n"},
        {"[Information]\nOther=2\n\n[B]\n", "[Information]\nOther=2\nDataPath=/d/\n\n[B]\n"},
        {"; keep me\r\n[Information]\r\ndatapath=/old/\r\n",
         "; keep me\r\n[Information]\r\nDataPath=/d/\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithIniValue(c.before, "Information", "DataPath", "/d/"), QString(c.after))
            << c.before;
    }
}

TEST(WindowPlacement, CentredVerticallyOnlyOnTallScreens) {
    struct Case {
        QSize screen;
        QPoint expected;
    };
    const QSize window(1020, 735);
    for (const Case& c : {Case{{1280, 1024}, {130, 145}}, Case{{1280, 800}, {130, 0}},
                          Case{{1024, 768}, {2, 0}}, Case{{1920, 801}, {450, 33}}}) {
        EXPECT_EQ(MainWindowPosition(c.screen, window), c.expected) << c.screen.height();
    }
}

TEST(WindowPlacement, CentredOnTruncatesTowardZero) {
    EXPECT_EQ(CentredOn(QRect(10, 20, 1020, 735), QSize(327, 234)), QPoint(356, 270));
    EXPECT_EQ(CentredOn(QRect(0, 0, 100, 100), QSize(101, 101)), QPoint(0, 0));
}

TEST(ErrorBox, FullStopAppendedAfterCharactersSortingAfterIt) {
    struct Case {
        QString in, out;
    };
    for (const Case& c :
         {Case{"No such file or directory", "No such file or directory."}, Case{"Done.", "Done."},
          Case{"Why?", "Why?."}, Case{"ends with 0", "ends with 0."}, Case{"quoted\"", "quoted\""},
          Case{"", ""}, Case{"a-", "a-"}, Case{"a/", "a/."}}) {
        EXPECT_EQ(ErrorBoxText(c.in), c.out) << c.in.toStdString();
    }
}

TEST(JpegImage, DecodesTheLogoAtItsSize) {
    QFile file(":/logo.jpg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    const QImage logo = DecodeJpeg(data);
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(118, 109));
    // White corner, as drawn.
    EXPECT_GT(qGray(logo.pixel(2, 2)), 240);
    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray("not a jpeg at all")).isNull());
    EXPECT_TRUE(DecodeJpeg(data.left(20)).isNull());
}

}  // namespace
}  // namespace kivo
