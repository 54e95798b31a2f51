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

#include "drawing/RecordText.h"
#include "model/Error.h"
#include "model/Session.h"
#include "print/PrintDestination.h"
#include "print/engine/PageOutput.h"
#include "print/engine/PageStoreFile.h"
#include "print/engine/ReportUnits.h"
#include "print/preview/PreviewPage.h"
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
    destination.Finish();
    QString reason;
    if (!destination.TookJob(&reason)) {
        throw Error("The report could not be printed: " + reason.toStdString());
    }
}

std::string Utf8(const QString& s) {
    return s.toStdString();
}

// A4 when the paper is A4, Letter for Letter and anything else: Letter's layout fits on the
// larger papers.
report::Paper PaperKindOf(const QPageSize& size) {
    return size.id() == QPageSize::A4 ? report::Paper::A4 : report::Paper::Letter;
}

// The paper picked in Printer setup, else the printer's own default; never a paper the
// printer lacks.
void PutPaperIn(const Report& report, QPrinter& printer) {
    const QPrinterInfo info(printer);
    if (report.PrinterSettings.PaperChosen || info.isNull() || !info.defaultPageSize().isValid()) {
        printer.setPageSize(PaperOf(report.Page.PaperSize));
    } else {
        printer.setPageSize(info.defaultPageSize());
    }
    UsePaperThePrinterHas(printer);
}

// The orientation a print dialog offers goes unused: say so where it is chosen.
PrintRequest SetupRequest(QWidget* owner, const QString& accept) {
    PrintRequest request;
    request.owner = owner;
    request.acceptText = accept;
    request.note = kPrintsUpright;
    return request;
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

void LayOutForPrinter(Report& report) {
    report::Paper paper = report.Page.PaperSize;
    if (PrinterInstalled()) {
        QPrinter printer(QPrinter::HighResolution);
        ApplyPrinterSettings(report.PrinterSettings, printer);
        PutPaperIn(report, printer);
        paper = PaperKindOf(printer.pageLayout().pageSize());
    } else if (!report.PrinterSettings.PaperChosen) {
        paper = PaperKindOf(LocalePaper());
    }
    if (paper != report.Page.PaperSize) report.Page = report::PageSetup::Of(paper);
}

void PrinterSetup(Report& report, QWidget* owner) {
    QPrinter printer(QPrinter::HighResolution);
    ApplyPrinterSettings(report.PrinterSettings, printer);
    PutPaperIn(report, printer);
    const report::Paper offered = PaperKindOf(printer.pageLayout().pageSize());
    if (!Dialogs().Print(SetupRequest(owner, "OK"), printer)) return;
    // A paper other than the one offered was picked by hand, or came with another printer.
    const report::Paper paper = PaperKindOf(printer.pageLayout().pageSize());
    const bool chosen = report.PrinterSettings.PaperChosen || paper != offered;
    report.PrinterSettings = ReadPrinterSettings(printer);
    report.PrinterSettings.PaperChosen = chosen;
    // The report's next run is laid out on it.
    if (paper != report.Page.PaperSize) report.Page = report::PageSetup::Of(paper);
}

void PrintReport(Report& report, const PageStore& store, QWidget* owner) {
    if (store.PageCount() == 0) return;
    // The paper the pages were laid out on; on a printer without it, pages are drawn from the
    // top-left corner of the printer's own (the report's margins keep them on either paper).
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
    printer.setDocName(title);
    ApplyPrinterSettings(report.PrinterSettings, printer);
    PutPaperIn(report, printer);
    PrintDestination destination(printer);
    Output(store, destination, owner);
}

namespace {

// The types the preview saves, in the order the save dialog offers them: the page file first.
struct SaveType {
    const char* filter;
    const char* suffix;
};
constexpr SaveType kPageFileType{"KIVO page files (*.kps)", "kps"};
constexpr SaveType kPdfType{"PDF files (*.pdf)", "pdf"};
constexpr SaveType kPngType{"PNG images (*.png)", "png"};
constexpr SaveType kSaveTypes[] = {kPageFileType, kPdfType, kPngType};

void SavePdf(const PageStore& store, const QString& path) {
    const report::Page& first = store.pages.front();
    // The PDF takes the pages' own paper, so a page laid out on A4 is not cut to Letter.
    const QPageSize paper(QSizeF(first.width / 10.0, first.height / 10.0), QPageSize::Millimeter,
                          QString(), QPageSize::FuzzyMatch);
    PrintDestination destination(std::make_unique<report::PdfFile>(path, paper, 600, store.title));
    if (!report::OutputPages(store, destination.Device(), destination.Frame(), 1,
                             store.PageCount())) {
        throw Error("Cannot save \"" + Utf8(path) + "\".");
    }
    destination.Finish();
}

void SavePngs(const PageStore& store, const QString& path) {
    for (int p = 1; p <= store.PageCount(); ++p) {
        const auto& page = store.pages[static_cast<std::size_t>(p - 1)];
        const QImage image = report::PageImageAt(page, 150.0);
        QString name = path;
        if (p > 1) name.insert(name.size() - 4, QString("-%1").arg(p));
        report::SavePng(image, name);
    }
}

// True when `path` may be written: it is new, or the user agreed to replace it.
bool MayWrite(const QString& path, QWidget* owner) {
    if (!QFileInfo::exists(path)) return true;
    MessageRequest ask;
    ask.text = QFileInfo(path).fileName() + " already exists.  Do you want to replace it?";
    ask.caption = "Confirm";
    ask.icon = DialogIcon::Question;
    ask.buttons = DialogButton::Yes | DialogButton::No;
    ask.defaultButton = DialogButton::No;
    ask.owner = owner;
    return Dialogs().Message(ask) == DialogButton::Yes;
}

}  // namespace

SaveTarget ResolveSaveTarget(const QString& typed, const QString& filter) {
    const QString typedSuffix = QFileInfo(typed).suffix().toLower();
    for (const SaveType& type : kSaveTypes) {
        if (typedSuffix == QLatin1String(type.suffix)) return {typed, typedSuffix};
    }
    QString suffix = QLatin1String(kPageFileType.suffix);
    for (const SaveType& type : kSaveTypes) {
        if (filter == QLatin1String(type.filter)) suffix = QLatin1String(type.suffix);
    }
    return {typed + "." + suffix, suffix};
}

QString SafeFileName(QString text) {
    static const QString kRefused = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : text) {
        if (kRefused.contains(c) || c.category() == QChar::Other_Control) c = QLatin1Char('_');
    }
    while (!text.isEmpty() && (text.front() == QLatin1Char('.') || text.front().isSpace())) {
        text.remove(0, 1);
    }
    return text.trimmed();
}

QString SuggestedSaveName(const QString& lastName, const QString& reportTitle) {
    QString title = reportTitle;
    if (title.startsWith("KIVO ")) title.remove(0, 5);
    const QString name = SafeFileName(lastName.trimmed().toUpper());
    return name.isEmpty() ? reportTitle : name + " " + title;
}

void SavePreviewPages(const PageStore& store, QWidget* owner, const QString& suggestedName) {
    if (store.PageCount() == 0) throw Error("The report has no pages to save.");
    FileRequest request;
    request.title = "Save report";
    QStringList filters;
    for (const SaveType& type : kSaveTypes) filters << QLatin1String(type.filter);
    request.filter = filters.join(";;");
    // The dialog's default suffix follows the chosen filter; a name left without one gets the
    // filter's below.
    request.selectedFilter = QLatin1String(kPdfType.filter);
    request.defaultSuffix = QLatin1String(kPdfType.suffix);
    request.fileName = SafeFileName(suggestedName.isEmpty() ? store.title : suggestedName) + ".pdf";
    request.confirmOverwrite = true;
    request.owner = owner;
    const auto choice = Dialogs().SaveFile(request);
    if (!choice) return;
    const SaveTarget target = ResolveSaveTarget(choice->path, choice->filter);
    // The dialog asked about the name it returned; a name completed here is asked about here.
    if (target.path != choice->path && !MayWrite(target.path, owner)) return;
    if (target.suffix == QLatin1String(kPdfType.suffix)) {
        SavePdf(store, target.path);
    } else if (target.suffix == QLatin1String(kPngType.suffix)) {
        SavePngs(store, target.path);
    } else {
        report::SavePageStoreFile(store, target.path);
    }
}

std::optional<PageStore> LoadPreviewPages(QWidget* owner) {
    FileRequest request;
    request.title = "Load report";
    request.filter = QLatin1String(kPageFileType.filter);
    request.defaultSuffix = QLatin1String(kPageFileType.suffix);
    request.owner = owner;
    const auto path = Dialogs().OpenFileName(request);
    if (!path) return std::nullopt;
    PageStore store = report::LoadPageStoreFile(*path);
    if (store.PageCount() == 0) {
        throw Error("The page file \"" + Utf8(QFileInfo(*path).fileName()) + "\" holds no pages.");
    }
    return store;
}

QString ShownClientSaveName(const Report& report) {
    return SuggestedSaveName(drawing::RecordText(gClientRecord.LastName), report.ReportTitle);
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
    // The run copies the open client when it starts, just after the preview asks for the name.
    actions.nameForRun = [](const Report& report) { return ShownClientSaveName(report); };
    actions.save = [](const PageStore& store, const QString& name, QWidget* owner) {
        RunGuarded([&] { SavePreviewPages(store, owner, name); });
    };
    actions.load = [](QWidget* owner) {
        std::optional<PageStore> loaded;
        RunGuarded([&] { loaded = LoadPreviewPages(owner); });
        return loaded;
    };
    return actions;
}

}  // namespace kivo::print
