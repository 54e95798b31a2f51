#pragma once

#include <QWidget>

#include "Questionnaire.h"

namespace kivo {

// The blank questionnaires' form.
class TfmQPrint : public QWidget {
    Q_OBJECT
public:
    explicit TfmQPrint(QWidget* owner);
    ~TfmQPrint() override;

    // Prints the blank questionnaire of `form`.
    void PrintBlankQuestionnaire(FormKind form);
};

extern TfmQPrint* fmQPrint;

}  // namespace kivo
