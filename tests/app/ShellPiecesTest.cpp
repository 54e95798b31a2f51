// The shell's small pure pieces: names and titles, INI text, placement, the error box text,
// the logo decoder.
#include <gtest/gtest.h>

#include <QFile>

#include "app/FileNames.h"
#include "app/IniText.h"
#include "app/JpegImage.h"
#include "app/Settings.h"
#include "app/WindowPlacement.h"
#include "shell/ErrorBox.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempDir.h"

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

TEST(FileNames, SuggestedNameFromLastNameAndId) {
    struct Case {
        QString last, id, name;
    };
    const Case cases[] = {
        {"GARCIA", "C-2291", "GARCIA_C-2291.KVO"},
        {"Garcia", "C-2291", "GARCIA_C-2291.KVO"},  // upper-cased as the title is
        {"garcia", "c-2291", "GARCIA_c-2291.KVO"},  // the ID as the record holds it
        {QString::fromUtf8("M\xc3\xbcller"), "7", QString::fromUtf8("M\xc3\x9cLLER_7.KVO")},
        {"  Lee ", " 12 ", "LEE_12.KVO"},  // blanks around the parts dropped
        {"De la Cruz", "A 1", "DE LA CRUZ_A 1.KVO"},
        {"Smith", "", "SMITH.KVO"},
        {"", "C-2291", "C-2291.KVO"},
        {"", "", ""},
        {"   ", " ", ""},
        {"O'Brien/Kay", "12:30", "O'BRIEN_KAY_12_30.KVO"},
        {"A<B>C", "\"x\"|?*\\", "A_B_C__x_____.KVO"},
        {"Tab\there", "", "TAB_HERE.KVO"},
        {".hidden", "", "_HIDDEN.KVO"},
        {"CON", "", "CON_.KVO"},
        {"nul", "", "NUL_.KVO"},
        {"Com1", "", "COM1_.KVO"},
        {"LPT9.x", "", "LPT9_.X.KVO"},
        {"CON", "5", "CON_5.KVO"},  // not a device name once the ID follows
        {"Conway", "", "CONWAY.KVO"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SuggestedClientFileName(c.last, c.id), c.name)
            << c.last.toStdString() << "|" << c.id.toStdString();
    }
}

TEST(FileNames, SamePathResolvesDotsAndDoubledSeparators) {
    EXPECT_TRUE(SamePath("/a/b/c.KVO", "/a/b/c.KVO"));
    EXPECT_TRUE(SamePath("/a/./b//c.KVO", "/a/b/c.KVO"));
    EXPECT_TRUE(SamePath("/a/x/../b/c.KVO", "/a/b/c.KVO"));
    EXPECT_FALSE(SamePath("/a/b/c.KVO", "/a/b/d.KVO"));
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    EXPECT_TRUE(SamePath("/a/b/C.kvo", "/a/b/c.KVO"));
#else
    EXPECT_FALSE(SamePath("/a/b/C.kvo", "/a/b/c.KVO"));
#endif
}

TEST(IniText, ReadsKeyOfSectionIgnoringCaseAndBlanks) {
    const QString text =
        "; comment\n[Other]\nDataPath=/wrong/\n[ information ]\r\n  datapath = /data/x/ \r\n";
    EXPECT_EQ(IniValue(text, "Information", "DataPath"), QString("/data/x/"));
    EXPECT_EQ(IniValue(text, "Information", "Missing"), std::nullopt);
    EXPECT_EQ(IniValue(text, "Absent", "DataPath"), std::nullopt);
    EXPECT_EQ(IniValue("[Information]\n;DataPath=/c/\n", "Information", "DataPath"), std::nullopt);
}

// INI text before and after one edit.
struct IniEdit {
    const char* before;
    const char* after;
};

TEST(IniText, WritingKeepsEveryOtherLine) {
    const IniEdit cases[] = {
        {"", "[Information]\nDataPath=/d/\n"},
        {"[A]\nx=1\n", "[A]\nx=1\n\n[Information]\nDataPath=/d/\n"},
        {"[Information]\nDataPath=/old/\nOther=2\n[B]\ny=3\n",
         "[Information]\nDataPath=/d/\nOther=2\n[B]\ny=3\n"},
        {"[Information]\nOther=2\n\n[B]\n", "[Information]\nOther=2\nDataPath=/d/\n\n[B]\n"},
        {"; keep me\r\n[Information]\r\ndatapath=/old/\r\n",
         "; keep me\r\n[Information]\r\nDataPath=/d/\r\n"},
    };
    for (const IniEdit& c : cases) {
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

TEST(IniText, RemovingAKeyKeepsEveryOtherLine) {
    const IniEdit cases[] = {
        {"[Recent Files]\nFile1=/a\nFile2=/b\n[B]\nFile2=/x\n",
         "[Recent Files]\nFile1=/a\n[B]\nFile2=/x\n"},
        {"[recent files]\r\n; note\r\n file2 = /b\r\nFile3=/c\r\n",
         "[recent files]\r\n; note\r\nFile3=/c\r\n"},
        {"[Recent Files]\nFile1=/a\n", "[Recent Files]\nFile1=/a\n"},  // no such key
        {"[Other]\nFile2=/b\n", "[Other]\nFile2=/b\n"},                // no such section
        {"", ""},
    };
    for (const IniEdit& c : cases) {
        EXPECT_EQ(WithoutIniValue(c.before, "Recent Files", "File2"), QString(c.after)) << c.before;
    }
}

TEST(Settings, RecentFilesWrittenInTheirSectionEveryOtherByteKept) {
    const TempDir folder;
    const QString ini = QString::fromStdString((folder.path() / "KIVO.INI").string());
    // A comment and a DataPath in the Windows code page (0xE9 is e acute), CRLF line ends.
    const QByteArray start =
        "; Cl\xe9ment\r\n[Recent Files]\r\nFile1=/old\r\nFile5=/x\r\n"
        "[Information]\r\nDataPath=C:\\Donn\xe9\x65s\\\r\n";
    ASSERT_TRUE(test::WriteFileBytes(ini, start));
    EXPECT_EQ(ReadDataPath(ini, "-"), QString::fromUtf8("C:\\Donn\xc3\xa9\x65s\\"));
    EXPECT_EQ(ReadRecentFiles(ini), QStringList({"/old", "/x"}));
    const QString utf8Name = QString::fromUtf8("/d/\xc3\xa9.KVO");
    WriteSettingsFile(ini, "/data/", {utf8Name, "/b.KVO"});
    EXPECT_EQ(test::FileBytes(ini),
              "; Cl\xe9ment\r\n[Recent Files]\r\nFile1=/d/\xc3\xa9.KVO\r\n"
              "File2=/b.KVO\r\n[Information]\r\nDataPath=/data/\r\n");
    EXPECT_EQ(ReadRecentFiles(ini), QStringList({utf8Name, "/b.KVO"}));
}

TEST(Settings, RecentFilesReadSkipsEmptiesRepeatsAndKeysPastEight) {
    const TempDir folder;
    const QString ini = QString::fromStdString((folder.path() / "KIVO.INI").string());
    ASSERT_TRUE(test::WriteFileBytes(
        ini, "[Recent Files]\nFile2=/b\nFile1=/a\nFile3=\nFile4=/a\nFile8=/h\nFile9=/i\n"));
    EXPECT_EQ(ReadRecentFiles(ini), QStringList({"/a", "/b", "/h"}));
    EXPECT_TRUE(ReadRecentFiles(ini + ".missing").isEmpty());
}

TEST(WindowPlacement, FitsTheFreeAreaOfASmallScreen) {
    struct Case {
        QRect available;
        std::optional<QSize> client;  // nullopt: the window fits as designed
        QPoint position;
    };
    const QSize frame(6, 25);  // a classic frame: 1020 x 735 outside
    const int bar = 17;
    const Case cases[] = {
        {{0, 0, 1920, 1080}, std::nullopt, {}},
        {{0, 0, 1020, 735}, std::nullopt, {}},  // exactly room enough
        {{0, 0, 1280, 720}, QSize(1031, 695), {121, 0}},
        {{0, 0, 1366, 728}, QSize(1031, 703), {164, 0}},      // 1366 x 768, 40-pixel panel
        {{0, 27, 1280, 693}, QSize(1031, 668), {121, 27}},    // a panel at the top
        {{0, 0, 1280, 734}, QSize(1031, 709), {121, 0}},      // one pixel short
        {{0, 0, 1024, 600}, QSize(1018, 575), {0, 0}},        // narrower than the pages
        {{1920, 0, 1280, 720}, QSize(1031, 695), {2041, 0}},  // a second screen
    };
    for (const Case& c : cases) {
        const auto fitted = FitMainWindow(c.available, frame, bar);
        ASSERT_EQ(fitted.has_value(), c.client.has_value()) << c.available.height();
        if (!fitted) continue;
        EXPECT_EQ(fitted->client, *c.client) << c.available.height();
        EXPECT_EQ(fitted->position, c.position) << c.available.height();
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
