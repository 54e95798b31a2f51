// kivo-cli render: the report screen's or the item view's drawing of a client file as a PNG.
#include <QImage>
#include <QString>
#include <charconv>
#include <optional>

#include "cli/ClientInput.h"
#include "cli/Commands.h"
#include "cli/GuiSession.h"
#include "cli/Messages.h"
#include "cli/OutputArgs.h"
#include "drawing/ItemViewTables.h"
#include "drawing/RenderImages.h"
#include "drawing/ScoreTables.h"
#include "model/Error.h"
#include "print/engine/OutputFile.h"

namespace kivo::cli {
namespace {

struct RenderRequest {
    std::string kind;  // "report" or "items"
    std::string file;
    OutputArgs output;
    int viewSubscale = 0;
};

std::optional<int> ParseSubscale(const std::string& text) {
    int value = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value < 0 || value >= drawing::kViewSubscaleCount) return std::nullopt;
    return value;
}

// Parses the arguments after "render"; an error message when they are not usable.
std::optional<std::string> Parse(std::span<const std::string> args, RenderRequest& request) {
    if (args.empty()) return "render needs report or items";
    request.kind = args[0];
    if (request.kind != "report" && request.kind != "items") {
        return "unknown render kind '" + request.kind + "' (report or items)";
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<std::string> problem;
        if (request.output.Take(args, i, false, problem)) {
            if (problem) return problem;
        } else if (a == "--subscale" && request.kind == "items") {
            if (i + 1 >= args.size()) return "--subscale needs 0 to 5";
            const auto view = ParseSubscale(args[++i]);
            if (!view) return "--subscale needs 0 to 5, not '" + args[i] + "'";
            request.viewSubscale = *view;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option '" + a + "' for render " + request.kind;
        } else if (request.file.empty()) {
            request.file = a;
        } else {
            return "render takes one FILE";
        }
    }
    if (request.file.empty()) return "render needs a FILE";
    return request.output.Check("render", ".png");
}

QImage Render(const RenderRequest& request, const ClientRecord& record) {
    const GuiSession gui;
    if (request.kind == "report") {
        return drawing::RenderReportImage(record, drawing::LocaleDecimalSeparator());
    }
    return drawing::RenderItemImage(record, request.viewSubscale);
}

}  // namespace

int Render(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    RenderRequest request;
    if (const auto problem = Parse(args, request)) return UsageError(err, *problem);
    ClientRecord record;
    if (!ReadOneClientFile(request.file, record, err)) return 1;
    const QImage image = Render(request, record);
    try {
        report::SavePng(image, QString::fromStdString(request.output.output));
    } catch (const FileError& e) {
        PrintUnwritten(err, e);
        return 1;
    }
    out.flush();
    return 0;
}

}  // namespace kivo::cli
