// The one way KIVO asks the user anything in a modal window, so that tests can answer
// instead of a person.
#pragma once

#include <QFlags>
#include <QString>
#include <memory>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace kivo {

// Every question KIVO puts to the user in a modal window goes through one DialogSeam: message
// and confirmation boxes, file dialogs, the print dialog and the program's own modal boxes.
// The program uses Qt's dialogs; tests install a scripted seam that answers and records.

enum class DialogButton { Ok = 1, Yes = 2, No = 4, Cancel = 8 };
Q_DECLARE_FLAGS(DialogButtons, DialogButton)

enum class DialogIcon { None, Stop, Question };

struct MessageRequest {
    QString text;
    QString caption;
    DialogIcon icon = DialogIcon::None;
    DialogButtons buttons = DialogButton::Ok;
    QWidget* owner = nullptr;  // none: a box of its own, not owned by any window
    // The button Enter chooses; none: the box's own choice. A question whose Yes loses work
    // makes No the default.
    std::optional<DialogButton> defaultButton = std::nullopt;
};

struct FileRequest {
    QString title;
    QString filter;          // Qt form: "Description (*.ext)", several joined by ";;"
    QString selectedFilter;  // the filter shown first; empty for the first of `filter`
    QString defaultSuffix;   // appended to a name typed without extension
    QString folder;          // starting folder; empty for the platform's default
    QString fileName;        // initial name
    bool confirmOverwrite = false;
    QWidget* owner = nullptr;
};

// What a save dialog returned: the path and the filter the user left chosen, which says the
// file type when the typed name does not.
struct FileChoice {
    QString path;
    QString filter;
};

struct PrintRequest {
    QWidget* owner = nullptr;
    // The pages a range may be chosen from; 0 and 0 offer no page range.
    int minPage = 0;
    int maxPage = 0;
    // The accepting button's text; empty: the dialog's own ("Print").
    QString acceptText;
    // A line shown above the buttons, for what the dialog's choices do not change.
    QString note;
};

struct InputRequest {
    QString title;
    QString prompt;
    QString text;  // preset answer
    QWidget* owner = nullptr;
};

class DialogSeam {
public:
    virtual ~DialogSeam() = default;
    // The button the user chose; closing the box counts as Cancel where Cancel is offered,
    // otherwise as the first button offered other than Yes.
    virtual DialogButton Message(const MessageRequest& request) = 0;
    // The chosen full path, or nullopt when the dialog was cancelled.
    virtual std::optional<QString> OpenFileName(const FileRequest& request) = 0;
    virtual std::optional<QString> SaveFileName(const FileRequest& request) = 0;
    // The save dialog with the filter chosen in it. A seam that cannot tell (the default)
    // answers with SaveFileName and the filter the dialog showed first.
    virtual std::optional<FileChoice> SaveFile(const FileRequest& request);
    // The print dialog: printer and copies (and the page range when offered), stored into
    // `printer`. Printing to a file and printing a selection are not offered. False when
    // cancelled.
    virtual bool Print(const PrintRequest& request, QPrinter& printer) = 0;
    // A one-line input box; nullopt when cancelled.
    virtual std::optional<QString> InputText(const InputRequest& request) = 0;
    // Runs one of the program's own modal windows; returns its result code.
    virtual int RunModal(QDialog& dialog) = 0;
};

// The filter a file dialog shows when it opens: the request's selected filter, or its first.
QString FirstFilterShown(const FileRequest& request);

// The seam in use (Qt's dialogs unless another was installed).
DialogSeam& Dialogs();

// Installs `seam` and returns the one it replaces (null for the built-in one).
std::unique_ptr<DialogSeam> InstallDialogs(std::unique_ptr<DialogSeam> seam);

// The seam over Qt's own dialogs.
std::unique_ptr<DialogSeam> MakeQtDialogs();

}  // namespace kivo

Q_DECLARE_OPERATORS_FOR_FLAGS(kivo::DialogButtons)
