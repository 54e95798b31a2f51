// The guide window: a QTextBrowser over the HTML kept in the program's resources, with Escape
// to close it, sized to fit small screens.
#include "app/HelpWindow.h"

#include <QFile>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/WindowPlacement.h"

namespace kivo {
namespace {

constexpr QSize kGuideSize{640, 600};

QString GuideText() {
    QFile file(QStringLiteral(":/help/HelpGuide.html"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("KIVO Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("HelpText"));
    text_->setOpenLinks(true);
    text_->setOpenExternalLinks(false);
    text_->setHtml(GuideText());
    layout->addWidget(text_);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    resize(kGuideSize);
}

void HelpWindow::ShowOver(const QWidget& main) {
    if (!placed_) {
        placed_ = true;
        QSize size = kGuideSize;
        QRect area;
        if (const QScreen* screen = main.screen()) {
            area = screen->availableGeometry();
            size = size.boundedTo(area.size() - kClassicFrameExtra);
        }
        resize(size);
        QPoint at = CentredOn(main.frameGeometry(), size);
        if (!area.isEmpty()) {
            at.setX(std::clamp(at.x(), area.left(),
                               std::max(area.left(), area.right() - size.width())));
            at.setY(std::clamp(at.y(), area.top(),
                               std::max(area.top(), area.bottom() - size.height())));
        }
        move(at);
    }
    showNormal();
    raise();
    activateWindow();
}

}  // namespace kivo
