// kivo-cli report: a client file's score report printed into a Letter PDF through the
// program's own report engine.
#include <QString>

#include "cli/Commands.h"
#include "cli/GuiSession.h"
#include "model/ClientFile.h"
#include "model/Error.h"
#include "model/Session.h"
#include "print/engine/PageOutput.h"
#include "print/score/ScoreReport.h"

namespace kivo::cli {
namespace {

constexpr int kPdfDpi = 600;

struct ReportRequest {
    std::string file;
    std::string output;
};

std::optional<std::string> Parse(std::span<const std::string> args, ReportRequest& request) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--output") {
            if (i + 1 >= args.size()) return a + " needs a value";
            request.output = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option '" + a + "' for report";
        } else if (request.file.empty()) {
            request.file = a;
        } else {
            return "report takes one FILE";
        }
    }
    if (request.file.empty()) return "report needs a FILE";
    if (request.output.empty()) return "report needs -o OUT.pdf";
    return std::nullopt;
}

}  // namespace

int Report(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    ReportRequest request;
    if (const auto problem = Parse(args, request)) return UsageError(err, *problem);
    try {
        ReadClientFile(request.file, gClientRecord);
    } catch (const Error& e) {
        err << "kivo-cli: " << e.what() << '\n';
        return 1;
    }
    // There is no report screen here: score the client as it would before printing.
    ComputeSubscaleScores();
    LoadNormTable();
    const GuiSession gui;
    print::ScoreReport scoreReport;
    const auto store = scoreReport.Report().Generate();
    auto pdf =
        report::MakePdfWriter(QString::fromStdString(request.output), QPageSize(QPageSize::Letter),
                              kPdfDpi, scoreReport.Report().ReportTitle);
    if (!report::OutputPages(store, *pdf, {kPdfDpi, kPdfDpi, 0.0, 0.0}, 1, store.PageCount())) {
        err << "kivo-cli: cannot write '" << request.output << "'\n";
        return 1;
    }
    out.flush();
    return 0;
}

}  // namespace kivo::cli
