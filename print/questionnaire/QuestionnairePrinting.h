// The Reports menu's blank questionnaires on a printer: the print dialog, one job per copy,
// and a PDF instead when no printer is installed.
#pragma once

#include <QPrinter>
#include <functional>
#include <memory>

#include "canvas/PageCanvas.h"
#include "model/Questionnaire.h"
#include "print/questionnaire/QuestionnairePages.h"

class QWidget;

namespace kivo {

// The Reports menu's blank questionnaires: keeps the printer settings of its print dialog
// for the whole run.
class QuestionnairePrinting {
public:
    // Where the Reports menu's jobs go: the printer chosen in the print dialog unless
    // replaced (tests send the jobs elsewhere).
    struct JobOutput {
        std::function<bool()> printerInstalled;
        std::function<std::unique_ptr<canvas::PageCanvas>(QPrinter& printer)> openJob;
    };

    // `dialogOwner` owns the print dialog and the PDF offer.
    explicit QuestionnairePrinting(QWidget* dialogOwner);
    QuestionnairePrinting(const QuestionnairePrinting&) = delete;
    QuestionnairePrinting& operator=(const QuestionnairePrinting&) = delete;

    // The Reports menu command: asks for printer and copies, then prints the blank
    // questionnaire of `form` as one two-page job per copy. With no printer installed it
    // offers to save the two pages as a PDF instead.
    void PrintBlankQuestionnaire(FormKind form);

    void SetJobOutput(JobOutput output);
    // The printer the dialog configures; its settings carry over to the next use.
    QPrinter& Printer();

private:
    void PrintCopies(FormKind form);
    void SavePdfInstead(FormKind form);

    QWidget* dialogOwner_;
    JobOutput output_;
    // Made at the first print: a printer asks the print system for its queues, which start-up
    // need not wait for.
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace kivo
