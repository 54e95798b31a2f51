// The dialog seam over Qt's own message boxes, file, print and input dialogs.
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

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

// Qt's own file dialog honours the default suffix and asks before overwriting a name the
// suffix completed, on every platform alike.
std::optional<QString> RunFileDialog(const FileRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(request.owner, request.title, request.folder, request.filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
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
        return RunFileDialog(request, QFileDialog::AcceptOpen);
    }
    std::optional<QString> SaveFileName(const FileRequest& request) override {
        return RunFileDialog(request, QFileDialog::AcceptSave);
    }
    bool Print(const PrintRequest& request, QPrinter& printer) override {
        QPrintDialog dialog(&printer, request.owner);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        const bool ranges = request.minPage > 0 && request.maxPage >= request.minPage;
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, ranges);
        if (ranges) dialog.setMinMax(request.minPage, request.maxPage);
        return dialog.exec() == QDialog::Accepted;
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
