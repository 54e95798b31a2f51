// The report preview window: generation, buttons, zoom, paging and scrolling by keys and
// dialog, the page image, the copied page, the name Save suggests, errors and a second preview.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <tuple>

#include "model/Error.h"
#include "print/preview/PreviewPage.h"
#include "print/preview/ReportPreview.h"
#include "tests/print/ReportFixtures.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ShownPreview.h"

using namespace kivo::report;
using kivo::report::testing::LetterPage;

namespace {

// A report of `pages` pages: each detail band fills a whole page.
struct PagedReport {
    explicit PagedReport(int pages) {
        report.ReportTitle = "KIVO Score Report";
        for (int i = 0; i < pages; ++i) {
            auto& band = report.AddBand(BandKind::Detail);
            band.Size.height = 2000.0;
            band.BeforePrint = [this](ReportBand&, bool&) { ++events; };
        }
    }
    Report report;
    int events = 0;
};

QString Panel(const QWidget& w, const char* name) {
    return w.findChild<QLabel*>(name)->text();
}

bool Enabled(const QWidget& w, const char* name) {
    return w.findChild<QToolButton*>(name)->isEnabled();
}

// Shows the preview, at `size` when one is given, and generates its pages.
void ShowGenerated(ReportPreview& window, QSize size = {}) {
    if (size.isValid()) window.resize(size);
    window.show();
    window.Generate();
}

}  // namespace

TEST(ReportPreview, GeneratedOnePageShowsPageOneOfOneAndEnablesTheButtons) {
    PagedReport r(1);
    ReportPreview window(r.report, {});
    EXPECT_EQ(window.windowTitle(), "Report Preview : KIVO Score Report");
    EXPECT_FALSE(Enabled(window, "Print")) << "disabled until generated";
    EXPECT_TRUE(Enabled(window, "ZoomFit"));
    ShowGenerated(window, {800, 600});
    EXPECT_EQ(Panel(window, "PagePanel"), "Page 1 of 1");
    EXPECT_EQ(Panel(window, "TitlePanel"), "KIVO Score Report");
    for (const char* name : {"FirstPage", "nextPage", "GotoPageButton", "copybutton", "PrintSetup",
                             "Print", "SaveReport", "ZoomMenu"}) {
        EXPECT_TRUE(Enabled(window, name)) << name;
    }
    EXPECT_FALSE(Enabled(window, "CancelButton"));
}

TEST(ReportPreview, ZoomFitWidthAndLimits) {
    PagedReport r(1);
    ReportPreview window(r.report, {});
    ShowGenerated(window, {900, 700});
    PreviewPage* page = window.findChild<PreviewPage*>();
    const QSize natural = page->PagePixels(100);  // Letter at 96 per inch: 816 x 1056
    EXPECT_EQ(natural, QSize(816, 1056));
    const QSize area = window.findChild<QWidget*>("PreviewArea")->size();
    window.ZoomToWidth();
    EXPECT_NEAR(window.Zoom(), 90.0 * window.findChild<QScrollArea*>()->viewport()->width() / 816,
                0.5);
    window.SetZoom(150);
    EXPECT_EQ(window.Zoom(), 150);
    EXPECT_EQ(Panel(window, "ZoomPanel"), "150%");
    window.SetZoom(1);
    window.SetZoom(2001);
    EXPECT_EQ(window.Zoom(), 150) << "zooms outside 2..2000 are ignored";
    window.SetZoom(2000);
    EXPECT_EQ(window.Zoom(), 2000);
    (void)area;
}

TEST(ReportPreview, KeysAndGoToPageMoveThroughThePages) {
    PagedReport r(3);
    PreviewActions actions;
    QString answer;
    actions.askPage = [&](const QString& title, const QString& prompt, const QString& preset,
                          QWidget*) -> std::optional<QString> {
        EXPECT_EQ(title, "Select a page from 1 to 3");
        EXPECT_EQ(prompt, "Enter page number");
        EXPECT_FALSE(preset.isEmpty());
        return answer;
    };
    ReportPreview window(r.report, actions);
    ShowGenerated(window);
    ASSERT_EQ(window.PageCount(), 3);
    struct Step {
        int key;
        Qt::KeyboardModifiers mods;
        int page;
    };
    const Step steps[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 2},   {Qt::Key_PageDown, Qt::ControlModifier, 3},
        {Qt::Key_PageDown, Qt::NoModifier, 3},   {Qt::Key_PageUp, Qt::NoModifier, 2},
        {Qt::Key_Home, Qt::NoModifier, 1},       {Qt::Key_End, Qt::NoModifier, 3},
        {Qt::Key_PageUp, Qt::ControlModifier, 1}};
    for (const auto& s : steps) {
        QTest::keyClick(&window, static_cast<Qt::Key>(s.key), s.mods);
        EXPECT_EQ(window.CurrentPage(), s.page) << s.key;
    }
    for (const auto& [typed, page] :
         {std::pair<QString, int>{"2", 2}, {"x", 1}, {"3", 3}, {"9", 1}, {"0", 1}}) {
        answer = typed;
        window.GotoPage();
        EXPECT_EQ(window.CurrentPage(), page) << typed.toStdString();
    }
    EXPECT_EQ(Panel(window, "PagePanel"), "Page 1 of 3");
}

TEST(ReportPreview, PageImageHasOutlineAndShadow) {
    PagedReport r(1);
    ReportPreview window(r.report, {});
    ShowGenerated(window);
    window.SetZoom(50);
    auto* page = window.findChild<PreviewPage*>();
    const QImage image = page->PageImage();
    const QSize p = page->PagePixels(50);
    EXPECT_EQ(image.size(), p + QSize(4, 4));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(p.width() + 1, 5), QColor(Qt::black)) << "right outline";
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(p.width() + 3, p.height() + 3), QColor(Qt::black)) << "shadow";
    EXPECT_NE(image.pixelColor(p.width() + 3, 0), QColor(Qt::black)) << "shadow starts 2 down";
}

TEST(ReportPreview, ErrorWhileGeneratingClosesThePreviewWithoutAMessage) {
    auto script = std::make_shared<kivo::test::DialogScript>();
    auto previous = kivo::InstallDialogs(std::make_unique<kivo::test::ScriptedDialogs>(script));
    PagedReport r(1);
    bool raised = false;
    r.report.Bands().front()->BeforePrint = [&raised](ReportBand&, bool&) {
        raised = true;
        throw kivo::Error("broken");
    };
    Preview(r.report, {});  // returns, throws nothing
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    kivo::InstallDialogs(std::move(previous));

    EXPECT_TRUE(raised);
    EXPECT_TRUE(script->asked.empty()) << "no message, no question";
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<ReportPreview*>(window), nullptr) << "no preview is left";
    }
}

TEST(ReportPreview, ASecondPreviewWhileOneIsOpenDoesNothingAndPrintPrintsTheShownPages) {
    PagedReport r(1);
    int printed = 0;
    PreviewActions actions;
    actions.print = [&](Report&, const PageStore& shown, QWidget*) {
        EXPECT_EQ(shown.PageCount(), 1);
        ++printed;
    };
    // Once the preview has finished generating: try a second preview, print, close.
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        // Wait for the pages: the window shows (not yet generating) before they start.
        ReportPreview* window = kivo::test::ShownPreviewWithPages();
        if (window == nullptr) return;
        timer.stop();
        const int before = r.events;
        Preview(r.report, actions);  // already open: returns at once
        EXPECT_EQ(r.events, before);
        window->findChild<QToolButton*>("Print")->click();
        window->close();
    });
    timer.start(10);
    Preview(r.report, actions);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(r.events, 1) << "printing used the shown pages and did not run the report again";
}

// Load shows a page file's pages: Print and Save take them, and the window names them.
TEST(ReportPreview, LoadedPagesAreWhatPrintAndSaveTakeAndTheTitleNamesThem) {
    PagedReport r(1);
    PageStore saved;
    saved.title = "Old Report";
    saved.source = "/somewhere/rep3.kps";
    saved.pages.resize(2);
    for (auto& page : saved.pages) {
        page.width = 2100.0;
        page.height = 2970.0;
    }
    std::vector<int> printedCounts;
    std::vector<QString> savedTitles;
    PreviewActions actions;
    actions.load = [&](QWidget*) -> std::optional<PageStore> { return saved; };
    actions.print = [&](Report&, const PageStore& shown, QWidget*) {
        printedCounts.push_back(shown.PageCount());
    };
    actions.save = [&](const PageStore& shown, const QString&, QWidget*) {
        savedTitles.push_back(shown.title);
    };
    ReportPreview window(r.report, actions);
    ShowGenerated(window);
    window.findChild<QToolButton*>("Print")->click();
    window.findChild<QToolButton*>("LoadReport")->click();
    EXPECT_EQ(window.PageCount(), 2);
    EXPECT_EQ(window.windowTitle(), "Report Preview : Old Report (rep3.kps)");
    EXPECT_EQ(Panel(window, "TitlePanel"), "Old Report (rep3.kps)");
    EXPECT_EQ(Panel(window, "PagePanel"), "Page 1 of 2");
    window.findChild<QToolButton*>("Print")->click();
    window.findChild<QToolButton*>("SaveReport")->click();
    EXPECT_EQ(printedCounts, (std::vector<int>{1, 2}));
    EXPECT_EQ(savedTitles, (std::vector<QString>{"Old Report"}));
    EXPECT_EQ(r.events, 1) << "loading and printing never run the report";
}

// Left and Right scroll a page wider than the view sideways, a step at a time; the other keys
// still page and scroll up and down.
TEST(ReportPreview, LeftAndRightScrollSideways) {
    PagedReport r(2);
    ReportPreview window(r.report, {});
    ShowGenerated(window, {700, 500});
    window.SetZoom(200);
    auto* area = window.findChild<QScrollArea*>("PreviewArea");
    QScrollBar* across = area->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 3 * across->singleStep()) << "the page is wider than the view";
    QTest::keyClick(&window, Qt::Key_Right);
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_EQ(across->value(), 2 * across->singleStep());
    QTest::keyClick(&window, Qt::Key_Left);
    EXPECT_EQ(across->value(), across->singleStep());
    QTest::keyClick(area->viewport(), Qt::Key_Left);  // keys reach the window from the page area
    QTest::keyClick(&window, Qt::Key_Left);
    EXPECT_EQ(across->value(), 0) << "stops at the left edge";
    EXPECT_EQ(window.CurrentPage(), 1) << "sideways never turns a page";
    QTest::keyClick(&window, Qt::Key_Down);
    EXPECT_EQ(area->verticalScrollBar()->value(), area->verticalScrollBar()->singleStep());
    QTest::keyClick(&window, Qt::Key_PageDown);
    EXPECT_EQ(window.CurrentPage(), 2);
    EXPECT_EQ(across->value(), 0) << "Up and Down never scroll sideways";
}

// Copy draws the shown page afresh at 300 dpi on white: no outline or shadow of the screen,
// the page's own drawing at its place.
TEST(ReportPreview, CopyPutsThePageOnTheClipboardAtPrintQuality) {
    PagedReport r(2);
    // Page 2: a red band 2000 tenths high from the 12.7 mm top margin.
    r.report.Bands()[1]->Color = Qt::red;
    ReportPreview window(r.report, {});
    ShowGenerated(window);
    window.SetZoom(25);  // what the screen shows must not matter
    QGuiApplication::clipboard()->clear();
    for (const int page : {1, 2}) {
        window.ShowPage(page);
        QTest::mouseClick(window.findChild<QToolButton*>("copybutton"), Qt::LeftButton);
        const QImage image = QGuiApplication::clipboard()->image();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(2550, 3300)) << "Letter at 300 dpi";
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 300.0, 0.5);
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white)) << "no outline";
        EXPECT_EQ(image.pixelColor(2549, 3299), QColor(Qt::white)) << "no shadow";
        // 12.7 mm is 150 pixels at 300 dpi; the band ends 200 mm (2362 pixels) lower.
        const QColor inBand = page == 2 ? QColor(Qt::red) : QColor(Qt::white);
        EXPECT_EQ(image.pixelColor(1275, 160), inBand) << page;
        EXPECT_EQ(image.pixelColor(1275, 140), QColor(Qt::white)) << page;
        EXPECT_EQ(image.pixelColor(1275, 2530), QColor(Qt::white)) << page;
    }
}

// A page file may name paper metres wide. Its page copies at less than 300 dpi, so the
// picture stays within kMaxPageImagePixels, keeps the page's shape and records the resolution
// it was drawn at; the screen shows it at 100 % drawing only what is in view.
TEST(ReportPreview, AHugePageCopiesAndShowsWithinMemory) {
    PagedReport r(1);
    PageStore huge;
    huge.title = "Huge";
    huge.pages.resize(1);
    Page& page = huge.pages[0];
    page.width = 20000.0;  // 2 m
    page.height = 60000.0;
    PageItem red;
    red.kind = PageItem::Kind::Fill;
    red.rect = QRectF(0.0, 0.0, 254.0, 254.0);  // the first inch square
    red.color = Qt::red;
    page.items.push_back(red);
    PreviewActions actions;
    actions.load = [&](QWidget*) -> std::optional<PageStore> { return huge; };
    ReportPreview window(r.report, actions);
    ShowGenerated(window, {600, 500});
    window.findChild<QToolButton*>("LoadReport")->click();
    ASSERT_EQ(window.PageCount(), 1);

    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(window.findChild<QToolButton*>("copybutton"), Qt::LeftButton);
    const QImage image = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    EXPECT_LE(static_cast<double>(image.width()) * image.height(), kMaxPageImagePixels);
    EXPECT_GT(static_cast<double>(image.width()) * image.height(), 0.9 * kMaxPageImagePixels);
    EXPECT_NEAR(static_cast<double>(image.height()) / image.width(), 3.0, 0.01);
    const double dpi = image.dotsPerMeterX() * 0.0254;
    EXPECT_LT(dpi, 300.0);
    EXPECT_NEAR(image.width(), 20000.0 / 254.0 * dpi, 1.0) << "the resolution it was drawn at";
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::red));

    window.SetZoom(100);
    auto* area = window.findChild<QScrollArea*>("PreviewArea");
    const QImage shown = area->viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::black)) << "the page's outline";
    EXPECT_EQ(shown.pixelColor(10, 10), QColor(Qt::red)) << "the page's first inch";
    EXPECT_EQ(shown.pixelColor(200, 200), QColor(Qt::white));
}

// The name Save suggests: the run's, asked just before the run takes its data, and for a
// loaded page file its base name. Save is never offered for pages there are none of, and an
// empty page file is not shown.
TEST(ReportPreview, SaveSuggestsTheShownPagesNameAndNeedsPages) {
    PagedReport r(1);
    QString state = "GARCIA";
    r.report.BeforeRun = [&] { state = "BROWN"; };
    std::vector<QString> suggested;
    std::optional<PageStore> toLoad;
    PreviewActions actions;
    actions.nameForRun = [&](const Report&) { return state + " Score Report"; };
    actions.save = [&](const PageStore&, const QString& name, QWidget*) {
        suggested.push_back(name);
    };
    actions.load = [&](QWidget*) { return toLoad; };
    ReportPreview window(r.report, actions);
    ShowGenerated(window);
    window.findChild<QToolButton*>("SaveReport")->click();
    PageStore empty;
    empty.title = "Empty";
    empty.source = "/somewhere/empty.kps";
    toLoad = empty;
    window.findChild<QToolButton*>("LoadReport")->click();
    EXPECT_EQ(window.PageCount(), 1) << "the empty file left the shown pages alone";
    EXPECT_EQ(window.windowTitle(), "Report Preview : KIVO Score Report");
    PageStore saved;
    saved.title = "KIVO Score Report";
    saved.source = "/somewhere/LEE Score Report.kps";
    saved.pages = {LetterPage()};
    toLoad = saved;
    window.findChild<QToolButton*>("LoadReport")->click();
    window.findChild<QToolButton*>("SaveReport")->click();
    EXPECT_EQ(suggested, (std::vector<QString>{"GARCIA Score Report", "LEE Score Report"}));

    PagedReport none(0);
    ReportPreview nothing(none.report, actions);
    ShowGenerated(nothing);
    EXPECT_EQ(nothing.PageCount(), 0);
    EXPECT_FALSE(Enabled(nothing, "SaveReport"));
    EXPECT_FALSE(Enabled(nothing, "copybutton"));
}

// --- The keyboard alone -----------------------------------------------------------------------

// The preview as a keyboard user has it: the keys sent to whatever has the focus, as the window
// system does.
class PreviewKeys : public ::testing::Test {
protected:
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << "nothing has the focus";
        QTest::keyClick(focused, key, modifiers);
    }
    static void Open(ReportPreview& window) {
        ShowGenerated(window, {900, 700});
        QApplication::setActiveWindow(&window);
        window.activateWindow();
        QCoreApplication::processEvents();
    }
};

// Ctrl+P, Ctrl+S and Ctrl+O press Print, Save and Load, from the page area and from a button.
TEST_F(PreviewKeys, CommandsHaveTheirKeys) {
    PagedReport r(2);
    int printed = 0, saved = 0, loaded = 0;
    PreviewActions actions;
    actions.print = [&](Report&, const PageStore& shown, QWidget*) {
        EXPECT_EQ(shown.PageCount(), 2);
        ++printed;
    };
    actions.save = [&](const PageStore&, const QString&, QWidget*) { ++saved; };
    actions.load = [&](QWidget*) -> std::optional<PageStore> {
        ++loaded;
        return std::nullopt;
    };
    ReportPreview window(r.report, actions);
    Open(window);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    Press(Qt::Key_P, Qt::ControlModifier);
    Press(Qt::Key_S, Qt::ControlModifier);
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(std::tie(printed, saved, loaded), std::tuple(1, 1, 1));
    Press(Qt::Key_Tab);
    ASSERT_TRUE(qobject_cast<QToolButton*>(QApplication::focusWidget()) != nullptr);
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printed, 2);
}

// Plus and minus zoom by ten, Ctrl+0 is 100 %; pages by Page Up, Page Down, Home and End also
// while a button has the focus; Escape closes.
TEST_F(PreviewKeys, ZoomPagesAndEscape) {
    PagedReport r(3);
    ReportPreview window(r.report, {});
    Open(window);
    window.SetZoom(100);
    Press(Qt::Key_Plus);
    EXPECT_EQ(window.Zoom(), 110);
    Press(Qt::Key_Equal);
    EXPECT_EQ(window.Zoom(), 120);
    Press(Qt::Key_Minus);
    Press(Qt::Key_Minus);
    Press(Qt::Key_Minus);
    EXPECT_EQ(window.Zoom(), 90);
    Press(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(window.Zoom(), 100);
    EXPECT_EQ(Panel(window, "ZoomPanel"), "100%");
    window.SetZoom(5);
    Press(Qt::Key_Minus);
    EXPECT_EQ(window.Zoom(), 2) << "minus stops at the smallest zoom";

    Press(Qt::Key_Tab);  // a button has the focus: the page keys still turn the pages
    ASSERT_TRUE(qobject_cast<QToolButton*>(QApplication::focusWidget()) != nullptr);
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_PageDown, 2}, {Qt::Key_End, 3}, {Qt::Key_PageUp, 2}, {Qt::Key_Home, 1}};
    for (const auto& [key, page] : steps) {
        Press(key);
        EXPECT_EQ(window.CurrentPage(), page) << key;
    }
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// Tab goes through every enabled button and Space presses the focused one; each tool tip names
// its key.
TEST_F(PreviewKeys, TabReachesTheButtonsAndTheTipsNameTheKeys) {
    PagedReport r(2);
    ReportPreview window(r.report, {});
    Open(window);
    std::vector<QString> reached;
    for (int i = 0; i < 40; ++i) {
        Press(Qt::Key_Tab);
        const QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        if (qobject_cast<const QToolButton*>(focused) != nullptr &&
            std::find(reached.begin(), reached.end(), focused->objectName()) == reached.end()) {
            reached.push_back(focused->objectName());
        }
    }
    for (const char* name : {"ZoomFit", "ZoomToWidth", "Zoom100", "ZoomMenu", "FirstPage",
                             "PreviousPage", "nextPage", "LastPage", "GotoPageButton", "copybutton",
                             "Print", "LoadReport", "SaveReport", "ExitButton"}) {
        EXPECT_NE(std::find(reached.begin(), reached.end(), name), reached.end()) << name;
    }
    // Space on Next page.
    while (QApplication::focusWidget()->objectName() != "nextPage") Press(Qt::Key_Tab);
    Press(Qt::Key_Space);
    EXPECT_EQ(window.CurrentPage(), 2);
    const std::pair<const char*, const char*> tips[] = {{"Zoom100", "100% Size (Ctrl+0)"},
                                                        {"ZoomMenu", "Set Display Zoom (+, -)"},
                                                        {"FirstPage", "First page (Home)"},
                                                        {"PreviousPage", "Previous page (Page Up)"},
                                                        {"nextPage", "Next page (Page Down)"},
                                                        {"LastPage", "Last page (End)"},
                                                        {"Print", "Print (Ctrl+P)"},
                                                        {"LoadReport", "Load report (Ctrl+O)"},
                                                        {"SaveReport", "Save report (Ctrl+S)"},
                                                        {"ExitButton", "Close Preview (Esc)"}};
    for (const auto& [name, tip] : tips) {
        EXPECT_EQ(window.findChild<QToolButton*>(name)->toolTip(), tip) << name;
    }
}
