// Printing a report with a progress box, the print dialog and its settings, and the preview's
// page files, PDFs and PNGs.
#include "print/ReportPrinting.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Error.h"
#include "print/PrintDestination.h"
#include "print/engine/PageOutput.h"
#include "print/engine/PageStoreFile.h"
#include "print/engine/ReportUnits.h"
#include "shell/DialogSeam.h"
#include "shell/ErrorBox.h"

namespace kivo::print {
namespace {

using report::PageStore;
using report::Report;

// The small window shown while a report prints.
class ProgressBox : public QDialog {
public:
    explicit ProgressBox(QWidget* owner) : QDialog(owner, Qt::WindowStaysOnTopHint) {
        setObjectName("PrintingProgress");
        setWindowTitle("Printing progress");
        auto* layout = new QVBoxLayout(this);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, 100);
        text_ = new QLabel(ProgressText(0), this);
        text_->setObjectName("ProgressText");
        auto* cancel = new QPushButton("Cancel", this);
        layout->addWidget(bar_);
        layout->addWidget(text_);
        layout->addWidget(cancel, 0, Qt::AlignCenter);
        connect(cancel, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    }

    bool Step(int percent) {
        bar_->setValue(percent);
        text_->setText(ProgressText(percent));
        QCoreApplication::processEvents();
        return !cancelled_;
    }

private:
    QProgressBar* bar_ = nullptr;
    QLabel* text_ = nullptr;
    bool cancelled_ = false;
};

QPageSize PaperOf(report::Paper paper) {
    return QPageSize(paper == report::Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
}

void Output(const PageStore& store, PrintDestination& destination, QWidget* owner) {
    ProgressBox box(owner);
    box.show();
    if (!report::OutputPages(store, destination.Device(), destination.Frame(), 1, store.PageCount(),
                             [&](int percent) { return box.Step(percent); })) {
        if (!box.Step(100)) return;  // cancelled by the user
        throw Error("The report could not be printed.");
    }
    QString reason;
    if (!destination.TookJob(&reason)) {
        throw Error("The report could not be printed: " + reason.toStdString());
    }
}

std::string Utf8(const QString& s) {
    return s.toStdString();
}

}  // namespace

QString ProgressText(int percent) {
    return QString::number(percent) + "% " + " Completed";
}

void ApplyPrinterSettings(const report::PrintSettings& s, QPrinter& printer) {
    if (!s.PrinterName.isEmpty()) printer.setPrinterName(s.PrinterName);
    printer.setCopyCount(std::max(1, s.Copies));
    printer.setDuplex(s.Duplex ? QPrinter::DuplexAuto : QPrinter::DuplexNone);
    printer.setCollateCopies(s.Collate);
    printer.setColorMode(s.Color ? QPrinter::Color : QPrinter::GrayScale);
    KeepWholeAndUpright(printer);
}

report::PrintSettings ReadPrinterSettings(const QPrinter& printer) {
    report::PrintSettings s;
    s.PrinterName = printer.printerName();
    s.Copies = printer.copyCount();
    s.Duplex = printer.duplex() != QPrinter::DuplexNone;
    s.Collate = printer.collateCopies();
    s.Color = printer.colorMode() == QPrinter::Color;
    return s;
}

void KeepWholeAndUpright(QPrinter& printer) {
    // The pages are laid out upright and belong together: a range or a landscape page
    // would cut them.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    printer.setPageOrientation(QPageLayout::Portrait);
}

void UsePaperThePrinterHas(QPrinter& printer) {
    const QPrinterInfo info(printer);
    if (info.isNull()) return;
    const QList<QPageSize> offered = info.supportedPageSizes();
    const QPageSize current = printer.pageLayout().pageSize();
    for (const QPageSize& size : offered) {
        if (size.isEquivalentTo(current)) return;
    }
    if (!offered.isEmpty() && info.defaultPageSize().isValid()) {
        printer.setPageSize(info.defaultPageSize());
    }
}

void PrinterSetup(Report& report, QWidget* owner) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(PaperOf(report.Page.PaperSize));
    ApplyPrinterSettings(report.PrinterSettings, printer);
    if (!Dialogs().Print({owner, 0, 0}, printer)) return;
    report.PrinterSettings = ReadPrinterSettings(printer);
    // A4 or Letter as chosen; the report's next run is laid out on it.
    const bool a4 = printer.pageLayout().pageSize().id() == QPageSize::A4;
    const report::Paper paper = a4 ? report::Paper::A4 : report::Paper::Letter;
    if (paper != report.Page.PaperSize) report.Page = report::PageSetup::Of(paper);
}

void PrintReport(Report& report, const PageStore& store, QWidget* owner) {
    if (store.PageCount() == 0) return;
    // The paper the setup chose; pages of another size are drawn from its top-left corner
    // (the report's margins keep them on either paper).
    const report::Paper paper = report.Page.PaperSize;
    const QString title = store.title.isEmpty() ? report.ReportTitle : store.title;
    if (!PrinterInstalled()) {
        auto pdf = AskForPdfInstead(owner, title, PaperOf(paper));
        if (!pdf) return;
        PrintDestination destination(std::move(pdf));
        Output(store, destination, owner);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(PaperOf(paper));
    printer.setDocName(title);
    ApplyPrinterSettings(report.PrinterSettings, printer);
    printer.setPageSize(PaperOf(paper));
    PrintDestination destination(printer);
    Output(store, destination, owner);
}

void SavePreviewPages(const PageStore& store, QWidget* owner) {
    FileRequest request;
    request.title = "Save report";
    request.filter = "KIVO page files (*.kps);;PDF files (*.pdf);;PNG images (*.png)";
    request.defaultSuffix = "kps";
    request.fileName = store.title;
    request.confirmOverwrite = true;
    request.owner = owner;
    const auto path = Dialogs().SaveFileName(request);
    if (!path) return;
    const QString suffix = QFileInfo(*path).suffix().toLower();
    if (suffix == "pdf") {
        auto pdf = report::MakePdfWriter(*path, QPageSize(QPageSize::Letter), 600, store.title);
        PrintDestination destination(std::move(pdf));
        if (!report::OutputPages(store, destination.Device(), destination.Frame(), 1,
                                 store.PageCount())) {
            throw Error("Cannot save \"" + Utf8(*path) + "\".");
        }
    } else if (suffix == "png") {
        for (int p = 1; p <= store.PageCount(); ++p) {
            const auto& page = store.pages[static_cast<std::size_t>(p - 1)];
            constexpr double kDpi = 150.0;
            QImage image(static_cast<int>(report::SizeToDevice(page.width, kDpi)),
                         static_cast<int>(report::SizeToDevice(page.height, kDpi)),
                         QImage::Format_RGB32);
            image.fill(Qt::white);
            image.setDotsPerMeterX(static_cast<int>(kDpi / 0.0254));
            image.setDotsPerMeterY(static_cast<int>(kDpi / 0.0254));
            QPainter painter(&image);
            report::RenderPage(page, painter, {kDpi, kDpi, 0.0, 0.0});
            painter.end();
            QString name = *path;
            if (p > 1) name.insert(name.size() - 4, QString("-%1").arg(p));
            if (!image.save(name, "PNG")) throw Error("Cannot save \"" + Utf8(name) + "\".");
        }
    } else {
        report::SavePageStoreFile(store, *path);
    }
}

std::optional<PageStore> LoadPreviewPages(QWidget* owner) {
    FileRequest request;
    request.title = "Load report";
    request.filter = "KIVO page files (*.kps)";
    request.defaultSuffix = "kps";
    request.owner = owner;
    const auto path = Dialogs().OpenFileName(request);
    if (!path) return std::nullopt;
    return report::LoadPageStoreFile(*path);
}

report::PreviewActions PrinterPreviewActions() {
    // Each button runs as one command: an error shows in the error box and the preview stays.
    report::PreviewActions actions;
    actions.print = [](Report& report, const PageStore& shown, QWidget* owner) {
        RunGuarded([&] { PrintReport(report, shown, owner); });
    };
    actions.printerSetup = [](Report& report, QWidget* owner) {
        RunGuarded([&] { PrinterSetup(report, owner); });
    };
    actions.askPage = [](const QString& title, const QString& prompt, const QString& preset,
                         QWidget* owner) {
        return Dialogs().InputText({title, prompt, preset, owner});
    };
    actions.save = [](const PageStore& store, QWidget* owner) {
        RunGuarded([&] { SavePreviewPages(store, owner); });
    };
    actions.load = [](QWidget* owner) {
        std::optional<PageStore> loaded;
        RunGuarded([&] { loaded = LoadPreviewPages(owner); });
        return loaded;
    };
    return actions;
}

}  // namespace kivo::print
