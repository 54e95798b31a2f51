// kivo-cli blank: a blank questionnaire printed into a two-page PDF with the Reports menu's
// drawing.
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <optional>

#include "canvas/PageCanvas.h"
#include "cli/Commands.h"
#include "cli/GuiSession.h"
#include "model/Error.h"
#include "print/engine/PageOutput.h"
#include "print/questionnaire/QuestionnaireLayout.h"
#include "print/questionnaire/QuestionnairePages.h"

namespace kivo::cli {
namespace {

constexpr int kPdfDpi = 600;

struct BlankRequest {
    FormKind form = kShortFormA;
    std::string output;
    QPageSize::PageSizeId paper = QPageSize::Letter;
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
        const std::string& a = args[i];
        const bool takesValue = a == "-o" || a == "--output" || a == "--paper";
        if (takesValue && i + 1 >= args.size()) return a + " needs a value";
        if (a == "-o" || a == "--output") {
            request.output = args[++i];
        } else if (a == "--paper") {
            const std::string& paper = args[++i];
            if (paper != "letter" && paper != "a4") return "--paper takes letter or a4";
            request.paper = paper == "a4" ? QPageSize::A4 : QPageSize::Letter;
        } else {
            return "unexpected argument '" + a + "' for blank";
        }
    }
    if (request.output.empty()) return "blank needs -o OUT.pdf";
    return WrongExtension(request.output, ".pdf", "blank");
}

}  // namespace

int Blank(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    BlankRequest request;
    if (const auto problem = Parse(args, request)) return UsageError(err, *problem);
    const GuiSession gui;
    const QString title = QString::fromUtf8(print::QuestionnaireJobTitle(request.form));
    auto pdf = report::MakePdfWriter(QString::fromStdString(request.output),
                                     QPageSize(request.paper), kPdfDpi, title);
    try {
        canvas::PageCanvas job(*pdf);
        PrintQuestionnaire(job, request.form);
    } catch (const Error&) {
        err << "kivo-cli: cannot write '" << request.output << "'\n";
        return 1;
    }
    out.flush();
    return 0;
}

}  // namespace kivo::cli
