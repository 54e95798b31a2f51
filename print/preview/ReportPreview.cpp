// The report preview window: its tool bar, status bar, keys and wheel, and the run that fills it.
#include "print/preview/ReportPreview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <set>

#include "print/preview/PreviewPage.h"

namespace kivo::report {
namespace {

constexpr int kMinZoom = 2;
constexpr int kMaxZoom = 2000;
constexpr int kZoomStep = 10;  // plus and minus, as the zoom menu's steps

// Buttons that stay usable while the report is being generated.
const std::set<QString> kAlwaysEnabled = {"ZoomFit", "ZoomToWidth", "Zoom100", "ExitButton"};

int RoundedZoom(double factor, int area, int page) {
    return page > 0 ? static_cast<int>(std::lround(factor * area / page)) : 100;
}

}  // namespace

ReportPreview::ReportPreview(Report& report, PreviewActions actions, QWidget* parent)
    : QMainWindow(parent), report_(report), actions_(std::move(actions)) {
    setObjectName("ReportPreview");
    setWindowTitle("Report Preview : " + report.ReportTitle);
    setAttribute(Qt::WA_DeleteOnClose, false);
    area_ = new QScrollArea(this);
    area_->setObjectName("PreviewArea");
    area_->setAlignment(Qt::AlignCenter);
    area_->setBackgroundRole(QPalette::Dark);
    page_ = new PreviewPage;
    area_->setWidget(page_);
    area_->installEventFilter(this);
    area_->viewport()->installEventFilter(this);
    setCentralWidget(area_);
    BuildToolBar();
    BuildStatusBar();
    UpdateButtons();
}

ReportPreview::~ReportPreview() = default;

QToolButton* ReportPreview::AddButton(const char* name, const QString& text, const QString& hint,
                                      std::function<void()> action) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    // Tab reaches every button; Space presses the focused one.
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QToolButton::clicked, this, [action = std::move(action)] { action(); });
    findChild<QToolBar*>("PreviewToolBar")->addWidget(button);
    return button;
}

void ReportPreview::BuildToolBar() {
    auto* bar = addToolBar("Preview");
    bar->setObjectName("PreviewToolBar");
    bar->setMovable(false);
    AddButton("ZoomFit", "Fit", "Zoom to fit", [this] { ZoomToFit(); });
    AddButton("ZoomToWidth", "Width", "Zoom to width", [this] { ZoomToWidth(); });
    AddButton("Zoom100", "100%", "100% Size (Ctrl+0)", [this] { SetZoom(100); });
    auto* zoomMenu = AddButton("ZoomMenu", "Zoom", "Set Display Zoom (+, -)", [] {});
    auto* menu = new QMenu(zoomMenu);
    for (int z = 50; z <= 200; z += 10) {
        menu->addAction(QString("%1 %").arg(z), this, [this, z] { SetZoom(z); });
    }
    zoomMenu->setMenu(menu);
    zoomMenu->setPopupMode(QToolButton::InstantPopup);
    bar->addSeparator();
    AddButton("FirstPage", "|<", "First page (Home)", [this] { ShowPage(1); });
    AddButton("PreviousPage", "<", "Previous page (Page Up)", [this] { ShowPage(current_ - 1); });
    AddButton("nextPage", ">", "Next page (Page Down)", [this] { ShowPage(current_ + 1); });
    AddButton("LastPage", ">|", "Last page (End)", [this] { ShowPage(PageCount()); });
    AddButton("GotoPageButton", "Go to", "Select a Page", [this] { GotoPage(); });
    bar->addSeparator();
    AddButton("copybutton", "Copy", "Copy page to clipboard", [this] { CopyPage(); });
    AddButton("PrintSetup", "Setup", "Printer setup", [this] {
        if (actions_.printerSetup) actions_.printerSetup(report_, this);
    });
    // The pages on screen print, never a new run: the session may hold another client by now.
    AddButton("Print", "Print", "Print (Ctrl+P)", [this] {
        if (actions_.print && store_) actions_.print(report_, *store_, this);
    });
    AddButton("LoadReport", "Load", "Load report (Ctrl+O)", [this] {
        if (!actions_.load) return;
        if (auto loaded = actions_.load(this)) ShowStore(std::move(*loaded));
    });
    AddButton("SaveReport", "Save", "Save report (Ctrl+S)", [this] {
        if (actions_.save && PageCount() > 0) actions_.save(*store_, saveName_, this);
    });
    AddButton("CancelButton", "Cancel", "Cancel the report", [this] { cancelRequested_ = true; });
    AddButton("ExitButton", "&Close", "Close Preview (Esc)", [this] { close(); });
    BuildShortcuts();
}

void ReportPreview::BuildShortcuts() {
    // Each presses its button, so a key does exactly what the click does, and nothing while
    // the button is disabled.
    const auto press = [this](const char* name, std::initializer_list<QKeySequence> keys) {
        auto* button = findChild<QToolButton*>(name);
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name) + "Key");
        action->setShortcuts(QList<QKeySequence>(keys));
        connect(action, &QAction::triggered, button, &QToolButton::click);
        addAction(action);
    };
    press("Print", {QKeySequence(Qt::CTRL | Qt::Key_P)});
    press("SaveReport", {QKeySequence(Qt::CTRL | Qt::Key_S)});
    press("LoadReport", {QKeySequence(Qt::CTRL | Qt::Key_O)});
    press("Zoom100", {QKeySequence(Qt::CTRL | Qt::Key_0)});
    const auto zoomBy = [this](const char* name, int step,
                               std::initializer_list<QKeySequence> keys) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcuts(QList<QKeySequence>(keys));
        connect(action, &QAction::triggered, this, [this, step] { ZoomBy(step); });
        addAction(action);
    };
    // Plus with or without Shift, as keyboards place it; Ctrl as elsewhere on the desktop.
    zoomBy("ZoomInKey", kZoomStep,
           {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal),
            QKeySequence(Qt::KeypadModifier | Qt::Key_Plus), QKeySequence::ZoomIn});
    zoomBy("ZoomOutKey", -kZoomStep,
           {QKeySequence(Qt::Key_Minus), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus),
            QKeySequence::ZoomOut});
}

void ReportPreview::ZoomBy(int step) {
    SetZoom(std::clamp(Zoom() + step, kMinZoom, kMaxZoom));
}

void ReportPreview::BuildStatusBar() {
    auto make = [this](const char* name, int width, Qt::Alignment align) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setFixedWidth(width);
        label->setAlignment(align | Qt::AlignVCenter);
        statusBar()->addWidget(label);
        return label;
    };
    zoomPanel_ = make("ZoomPanel", 40, Qt::AlignRight);
    pagePanel_ = make("PagePanel", 120, Qt::AlignLeft);
    titlePanel_ = make("TitlePanel", 50, Qt::AlignLeft);
    titlePanel_->setMinimumWidth(50);
    titlePanel_->setMaximumWidth(QWIDGETSIZE_MAX);
    titlePanel_->setText(report_.ReportTitle);
}

void ReportPreview::ShowTitle() {
    QString title = store_ ? store_->title : report_.ReportTitle;
    if (store_ && !store_->source.isEmpty()) {
        title += " (" + QFileInfo(store_->source).fileName() + ")";
    }
    setWindowTitle("Report Preview : " + title);
    titlePanel_->setText(title);
}

void ReportPreview::UpdateButtons() {
    const bool ready = !generating_ && store_ && PageCount() > 0;
    for (auto* button : findChildren<QToolButton*>()) {
        const QString name = button->objectName();
        if (kAlwaysEnabled.count(name)) {
            button->setEnabled(true);
        } else if (name == "CancelButton") {
            button->setEnabled(generating_ && PageCount() > 0);
        } else {
            button->setEnabled(ready);
        }
    }
}

void ReportPreview::UpdateStatus() {
    if (!generating_) zoomPanel_->setText(QString("%1%").arg(Zoom()));
    pagePanel_->setText(QString("Page %1 of %2").arg(current_).arg(PageCount()));
}

int ReportPreview::Zoom() const {
    return page_->Zoom();
}

void ReportPreview::Generate() {
    generating_ = true;
    cancelRequested_ = false;
    lastProgress_ = 0;
    store_ = std::make_unique<PageStore>();
    UpdateButtons();
    // Nothing runs between this and the run taking its data, so the name is of its client.
    saveName_ = actions_.nameForRun ? actions_.nameForRun(report_) : report_.ReportTitle;
    const QPointer<ReportPreview> self(this);
    try {
        PageStore store = report_.Generate(report_.PagesInPreview, [&](int pages) {
            if (!self) return false;
            UpdateButtons();
            findChild<QToolButton*>("CancelButton")->setEnabled(true);
            const int limit = report_.PagesInPreview;
            const int progress = limit > 0 ? pages * 100 / limit : 100;
            if (progress - lastProgress_ >= 5) {
                lastProgress_ = progress;
                zoomPanel_->setText(progress >= 100 ? QString() : QString("%1%").arg(progress));
            }
            QCoreApplication::processEvents();
            return self && !cancelRequested_;
        });
        if (!self) return;
        *store_ = std::move(store);
    } catch (...) {
        if (self) {
            generating_ = false;
            store_.reset();
            close();
        }
        throw;
    }
    generating_ = false;
    page_->SetPage(PageCount() > 0 ? &store_->pages.front() : nullptr);
    current_ = PageCount() > 0 ? 1 : 0;
    UpdateButtons();
    ZoomToFit();
}

void ReportPreview::ShowStore(PageStore store) {
    if (store.PageCount() == 0) return;  // an empty document would leave nothing to show
    saveName_ = store.source.isEmpty() ? store.title : QFileInfo(store.source).completeBaseName();
    if (!store_) store_ = std::make_unique<PageStore>();
    *store_ = std::move(store);
    current_ = 0;
    page_->SetPage(nullptr);
    ShowPage(1);
    UpdateButtons();
    UpdateStatus();
    ShowTitle();
}

void ReportPreview::ShowPage(int page) {
    if (!store_ || page < 1 || page > PageCount()) return;
    current_ = page;
    page_->SetPage(&store_->pages[static_cast<std::size_t>(page - 1)]);
    UpdateStatus();
}

void ReportPreview::SetZoom(int percent) {
    if (percent < kMinZoom || percent > kMaxZoom) return;
    page_->SetZoom(percent);
    area_->horizontalScrollBar()->setValue(0);
    area_->verticalScrollBar()->setValue(0);
    UpdateStatus();
}

void ReportPreview::ZoomToFit() {
    const QSize page = page_->PagePixels(100);
    const QSize area = area_->viewport()->size();
    SetZoom(std::min(RoundedZoom(95.0, area.width(), page.width()),
                     RoundedZoom(95.0, area.height(), page.height())));
}

void ReportPreview::ZoomToWidth() {
    SetZoom(RoundedZoom(90.0, area_->viewport()->width(), page_->PagePixels(100).width()));
}

void ReportPreview::GotoPage() {
    if (!actions_.askPage || PageCount() == 0) return;
    const auto answer = actions_.askPage(QString("Select a page from 1 to %1").arg(PageCount()),
                                         "Enter page number", QString::number(current_), this);
    if (!answer) return;
    bool ok = false;
    const int page = answer->trimmed().toInt(&ok);
    ShowPage(ok && page >= 1 && page <= PageCount() ? page : 1);
}

void ReportPreview::CopyPage() {
    // Drawn afresh from the recorded page, not the screen's picture, so it pastes sharp.
    if (current_ < 1 || current_ > PageCount()) return;
    const Page& page = store_->pages[static_cast<std::size_t>(current_ - 1)];
    QGuiApplication::clipboard()->setImage(PageImageAt(page, kCopyDpi));
}

void ReportPreview::ScrollUp() {
    auto* bar = area_->verticalScrollBar();
    if (bar->value() > bar->minimum() || current_ <= 1) {
        bar->setValue(bar->value() - bar->singleStep());
        return;
    }
    ShowPage(current_ - 1);
    bar->setValue(bar->maximum());
}

void ReportPreview::ScrollDown() {
    auto* bar = area_->verticalScrollBar();
    if (bar->value() < bar->maximum() || current_ >= PageCount()) {
        bar->setValue(bar->value() + bar->singleStep());
        return;
    }
    ShowPage(current_ + 1);
    bar->setValue(bar->minimum());
}

void ReportPreview::ScrollSideways(int steps) {
    auto* bar = area_->horizontalScrollBar();
    bar->setValue(bar->value() + steps * bar->singleStep());
}

void ReportPreview::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Escape:
            close();
            break;
        case Qt::Key_PageUp:
            ShowPage(ctrl ? 1 : current_ - 1);
            break;
        case Qt::Key_PageDown:
            ShowPage(ctrl ? PageCount() : current_ + 1);
            break;
        case Qt::Key_Home:
            ShowPage(1);
            break;
        case Qt::Key_End:
            ShowPage(PageCount());
            break;
        case Qt::Key_Up:
            ScrollUp();
            break;
        case Qt::Key_Down:
            ScrollDown();
            break;
        case Qt::Key_Left:
            ScrollSideways(-1);
            break;
        case Qt::Key_Right:
            ScrollSideways(1);
            break;
        default:
            QMainWindow::keyPressEvent(event);
            return;
    }
    event->accept();
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
    // The window sees the page area's keys first (the scroll area would take the arrows and
    // pages); Tab and whatever the window does not use go on. The wheel scrolls and turns pages.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
        key->accept();
        keyPressEvent(key);
        return key->isAccepted();
    }
    if (event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta < 0) ScrollDown();
        if (delta > 0) ScrollUp();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void ReportPreview::closeEvent(QCloseEvent* event) {
    if (generating_) {
        event->ignore();  // generation must finish or be cancelled first
        return;
    }
    store_.reset();
    page_->SetPage(nullptr);
    event->accept();
    emit closed();
}

void Preview(Report& report, const PreviewActions& actions) {
    static bool open = false;
    if (open) return;
    open = true;
    struct Reset {
        ~Reset() { open = false; }
    } reset;
    ReportPreview window(report, actions);
    QEventLoop loop;
    QObject::connect(&window, &ReportPreview::closed, &loop, &QEventLoop::quit);
    // Without a window manager a maximised request does nothing: cover the screen ourselves
    // so that zoom to fit sees the real page area.
    if (const QScreen* screen = window.screen()) window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    QCoreApplication::processEvents();
    try {
        window.Generate();
    } catch (...) {
        return;  // the window closed itself; the preview ends without a message
    }
    if (window.isVisible()) loop.exec();
}

}  // namespace kivo::report
