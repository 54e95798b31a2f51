#pragma once

#include <QPrinter>
#include <QWidget>
#include <functional>
#include <memory>

#include "PageCanvas.h"
#include "Questionnaire.h"
#include "questionnaire/QuestionnairePages.h"

namespace kivo {

// The blank questionnaires' form: never shown; it keeps the printer settings of the
// Reports menu's print dialog for the whole run.
class TfmQPrint : public QWidget {
    Q_OBJECT
public:
    // Where the Reports menu's jobs go: the printer chosen in the print dialog unless
    // replaced (tests send the jobs elsewhere).
    struct JobOutput {
        std::function<bool()> printerInstalled;
        std::function<std::unique_ptr<canvas::PageCanvas>(QPrinter& printer)> openJob;
    };

    explicit TfmQPrint(QWidget* owner);
    ~TfmQPrint() override;

    // The Reports menu command: asks for printer and copies, then prints the blank
    // questionnaire of `form` as one two-page job per copy. With no printer installed it
    // offers to save the two pages as a PDF instead.
    void PrintBlankQuestionnaire(FormKind form);

    void SetJobOutput(JobOutput output);
    // The printer the dialog configures; its settings carry over to the next use.
    QPrinter& Printer() { return printer_; }

private:
    void PrintCopies(FormKind form);
    void SavePdfInstead(FormKind form);

    JobOutput output_;
    QPrinter printer_{QPrinter::HighResolution};
};

extern TfmQPrint* fmQPrint;

}  // namespace kivo
