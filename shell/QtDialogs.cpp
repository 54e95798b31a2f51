// The dialog seam over Qt's own message boxes, file, print and input dialogs.
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

#include "shell/DialogSeam.h"

namespace kivo {
namespace {

QMessageBox::StandardButtons ToQt(DialogButtons buttons) {
    QMessageBox::StandardButtons result;
    if (buttons.testFlag(DialogButton::Ok)) result |= QMessageBox::Ok;
    if (buttons.testFlag(DialogButton::Yes)) result |= QMessageBox::Yes;
    if (buttons.testFlag(DialogButton::No)) result |= QMessageBox::No;
    if (buttons.testFlag(DialogButton::Cancel)) result |= QMessageBox::Cancel;
    return result;
}

DialogButton FromQt(int button, DialogButtons offered) {
    switch (button) {
        case QMessageBox::Ok:
            return DialogButton::Ok;
        case QMessageBox::Yes:
            return DialogButton::Yes;
        case QMessageBox::No:
            return DialogButton::No;
        default:
            break;
    }
    if (offered.testFlag(DialogButton::Cancel)) return DialogButton::Cancel;
    if (offered.testFlag(DialogButton::No)) return DialogButton::No;
    return DialogButton::Ok;
}

QMessageBox::Icon ToQt(DialogIcon icon) {
    switch (icon) {
        case DialogIcon::Stop:
            return QMessageBox::Critical;
        case DialogIcon::Question:
            return QMessageBox::Question;
        case DialogIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Big enough to read the name, size, type and date columns; never bigger than the screen.
constexpr QSize kFileDialogSize(900, 560);

// The extension of a filter's first pattern ("PDF files (*.pdf)" gives "pdf").
QString FilterSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

// Qt's own file dialog honours the default suffix and asks before overwriting a name the
// suffix completed, on every platform alike.
std::optional<FileChoice> RunFileDialog(const FileRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(request.owner, request.title, request.folder, request.filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // With several types on offer, a name typed without extension takes the chosen type's.
    if (request.filter.contains(QLatin1String(";;"))) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& filter) {
                             const QString suffix = FilterSuffix(filter);
                             if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
                         });
    }
    if (!request.selectedFilter.isEmpty()) dialog.selectNameFilter(request.selectedFilter);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    const QScreen* screen = request.owner ? request.owner->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    QSize size = kFileDialogSize.expandedTo(dialog.sizeHint());
    if (screen) size = size.boundedTo(screen->availableGeometry().size());
    dialog.resize(size);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return FileChoice{dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

// Where Qt keeps the options its print dialog hands to CUPS (a list of name, value pairs);
// other print systems do not know the key and answer with nothing.
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Qt's print dialog offers a page range and odd or even pages whenever the print system can
// pick pages itself (CUPS), even when the program asked for none. A document that must print
// whole hides them, and drops what the print system would still be told.
// The request's button text and note are put in too.
class ProgramPrintDialog final : public QPrintDialog {
public:
    ProgramPrintDialog(QPrinter* printer, const PrintRequest& request, bool whole)
        : QPrintDialog(printer, request.owner), whole_(whole), acceptText_(request.acceptText) {
        auto* buttons = findChild<QDialogButtonBox*>();
        auto* layout = qobject_cast<QBoxLayout*>(this->layout());
        if (request.note.isEmpty() || !buttons || !layout) return;
        auto* note = new QLabel(request.note, this);
        note->setObjectName(QStringLiteral("PrintNote"));
        note->setWordWrap(true);
        layout->insertWidget(layout->indexOf(buttons), note);
    }

    // Qt decides which choices to show, and names its button, each time the dialog shows.
    void setVisible(bool visible) override {
        QPrintDialog::setVisible(visible);
        if (!visible) return;
        if (auto* pageChoices = findChild<QGroupBox*>(QStringLiteral("gbPrintRange"))) {
            if (whole_) pageChoices->hide();
        }
        auto* buttons = findChild<QDialogButtonBox*>();
        QPushButton* accept = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
        if (accept && !acceptText_.isEmpty()) accept->setText(acceptText_);
    }

private:
    bool whole_ = true;
    QString acceptText_;
};

void DropPageChoices(QPrinter& printer) {
    QPrintEngine* engine = printer.printEngine();
    if (!engine) return;
    const QVariant value = engine->property(kCupsOptions);
    if (!value.isValid()) return;
    const QStringList options = value.toStringList();
    QStringList kept;
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == QLatin1String("page-ranges") || options[i] == QLatin1String("page-set")) {
            continue;
        }
        kept << options[i] << options[i + 1];
    }
    engine->setProperty(kCupsOptions, kept);
}

class QtDialogs final : public DialogSeam {
public:
    DialogButton Message(const MessageRequest& request) override {
        QMessageBox box(ToQt(request.icon), request.caption, request.text, ToQt(request.buttons),
                        request.owner);
        if (request.defaultButton) {
            const QMessageBox::StandardButtons chosen = ToQt(DialogButtons(*request.defaultButton));
            box.setDefaultButton(static_cast<QMessageBox::StandardButton>(chosen.toInt()));
        }
        return FromQt(box.exec(), request.buttons);
    }
    std::optional<QString> OpenFileName(const FileRequest& request) override {
        const auto choice = RunFileDialog(request, QFileDialog::AcceptOpen);
        if (!choice) return std::nullopt;
        return choice->path;
    }
    std::optional<QString> SaveFileName(const FileRequest& request) override {
        const auto choice = SaveFile(request);
        if (!choice) return std::nullopt;
        return choice->path;
    }
    std::optional<FileChoice> SaveFile(const FileRequest& request) override {
        return RunFileDialog(request, QFileDialog::AcceptSave);
    }
    bool Print(const PrintRequest& request, QPrinter& printer) override {
        const bool ranges = request.minPage > 0 && request.maxPage >= request.minPage;
        auto dialog = std::make_unique<ProgramPrintDialog>(&printer, request, !ranges);
        dialog->setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog->setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        dialog->setOption(QAbstractPrintDialog::PrintPageRange, ranges);
        if (ranges) dialog->setMinMax(request.minPage, request.maxPage);
        if (dialog->exec() != QDialog::Accepted) return false;
        if (!ranges) DropPageChoices(printer);
        return true;
    }
    std::optional<QString> InputText(const InputRequest& request) override {
        bool ok = false;
        const QString text = QInputDialog::getText(request.owner, request.title, request.prompt,
                                                   QLineEdit::Normal, request.text, &ok);
        if (!ok) return std::nullopt;
        return text;
    }
    int RunModal(QDialog& dialog) override { return dialog.exec(); }
};

}  // namespace

std::unique_ptr<DialogSeam> MakeQtDialogs() {
    return std::make_unique<QtDialogs>();
}

}  // namespace kivo
