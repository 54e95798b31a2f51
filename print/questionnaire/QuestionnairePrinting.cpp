// Blank questionnaires from the Reports menu: the dialog's copies printed as separate jobs, or
// a PDF offered when the system has no printer.
#include "print/questionnaire/QuestionnairePrinting.h"

#include <QPdfWriter>
#include <algorithm>

#include "canvas/printer/PrinterCanvas.h"
#include "print/PrintDestination.h"
#include "print/ReportPrinting.h"
#include "print/questionnaire/QuestionnaireLayout.h"
#include "shell/DialogSeam.h"

namespace kivo {

namespace {

QuestionnairePrinting::JobOutput PrinterOutput() {
    return {print::PrinterInstalled, [](QPrinter& printer) -> std::unique_ptr<canvas::PageCanvas> {
                return std::make_unique<canvas::PrinterCanvas>(printer);
            }};
}

}  // namespace

QuestionnairePrinting::QuestionnairePrinting(QWidget* dialogOwner)
    : dialogOwner_(dialogOwner), output_(PrinterOutput()) {}

void QuestionnairePrinting::SetJobOutput(JobOutput output) {
    output_ = std::move(output);
}

void QuestionnairePrinting::PrintBlankQuestionnaire(FormKind form) {
    if (!IsKnownForm(form)) return;
    if (output_.printerInstalled()) {
        PrintCopies(form);
    } else {
        SavePdfInstead(form);
    }
}

QPrinter& QuestionnairePrinting::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void QuestionnairePrinting::PrintCopies(FormKind form) {
    QPrinter& printer = Printer();
    PrintRequest request;
    request.owner = dialogOwner_;
    request.note = print::kPrintsUpright;
    if (!Dialogs().Print(request, printer)) return;
    // The two pages belong together and are laid out upright.
    print::KeepWholeAndUpright(printer);
    print::UsePaperThePrinterHas(printer);
    const int copies = std::max(1, printer.copyCount());
    // The dialog hands the copy count to the printer too, which would print every page of
    // each job that many times: each job comes out once and the loop makes the copies. The
    // count goes back afterwards, so the dialog offers the last choice again.
    struct RestoreCopies {
        QPrinter& printer;
        int copies;
        ~RestoreCopies() { printer.setCopyCount(copies); }
    } restore{printer, copies};
    printer.setCopyCount(1);
    // A refused job raises its error here, so the copies after it are not sent.
    for (int copy = 0; copy < copies; ++copy) {
        const auto job = output_.openJob(printer);
        PrintQuestionnaire(*job, form);
    }
}

void QuestionnairePrinting::SavePdfInstead(FormKind form) {
    const QString title = QString::fromUtf8(print::QuestionnaireJobTitle(form));
    auto pdf = print::AskForPdfInstead(dialogOwner_, title, print::LocalePaper());
    if (!pdf) return;
    {
        canvas::PageCanvas job(*pdf);
        PrintQuestionnaire(job, form);
    }
    pdf->Commit();  // the PDF takes its name only now, whole
}

}  // namespace kivo
