// kivo-cli blank: a blank questionnaire printed into a two-page PDF with the Reports menu's
// drawing.
#include <QPageSize>
#include <QString>
#include <optional>

#include "canvas/PageCanvas.h"
#include "cli/Commands.h"
#include "cli/GuiSession.h"
#include "cli/Messages.h"
#include "cli/OutputArgs.h"
#include "model/Error.h"
#include "print/engine/OutputFile.h"
#include "print/questionnaire/QuestionnaireLayout.h"
#include "print/questionnaire/QuestionnairePages.h"

namespace kivo::cli {
namespace {

constexpr int kPdfDpi = 600;

struct BlankRequest {
    FormKind form = kShortFormA;
    OutputArgs output;
};

std::optional<FormKind> ParseForm(const std::string& name) {
    if (name == "a") return kShortFormA;
    if (name == "b") return kShortFormB;
    if (name == "long") return kLongForm;
    return std::nullopt;
}

std::optional<std::string> Parse(std::span<const std::string> args, BlankRequest& request) {
    if (args.empty()) return "blank needs a, b or long";
    const auto form = ParseForm(args[0]);
    if (!form) return "unknown form '" + args[0] + "' (a, b or long)";
    request.form = *form;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::optional<std::string> problem;
        if (!request.output.Take(args, i, true, problem)) {
            return "unexpected argument '" + args[i] + "' for blank";
        }
        if (problem) return problem;
    }
    return request.output.Check("blank", ".pdf");
}

}  // namespace

int Blank(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    BlankRequest request;
    if (const auto problem = Parse(args, request)) return UsageError(err, *problem);
    const GuiSession gui;
    const QString title = QString::fromUtf8(print::QuestionnaireJobTitle(request.form));
    const QString path = QString::fromStdString(request.output.output);
    try {
        report::PdfFile pdf(path, QPageSize(request.output.a4 ? QPageSize::A4 : QPageSize::Letter),
                            kPdfDpi, title);
        {
            canvas::PageCanvas job(pdf);
            PrintQuestionnaire(job, request.form);
        }
        pdf.Commit();
    } catch (const FileError& e) {
        PrintUnwritten(err, e);
        return 1;
    } catch (const Error& e) {  // the pages could not be drawn into the PDF
        PrintMessage(err, "cannot write '" + request.output.output + "': " + e.what());
        return 1;
    }
    out.flush();
    return 0;
}

}  // namespace kivo::cli
