// kivo-cli render: the report screen's or the item view's drawing of a client file as a PNG.
#include <QImage>
#include <QString>
#include <charconv>
#include <optional>

#include "cli/Commands.h"
#include "cli/GuiSession.h"
#include "drawing/ItemViewTables.h"
#include "drawing/RenderImages.h"
#include "drawing/ScoreTables.h"
#include "model/ClientFile.h"
#include "model/Error.h"

namespace kivo::cli {
namespace {

struct RenderRequest {
    std::string kind;  // "report" or "items"
    std::string file;
    std::string output;
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
        const bool takesValue = a == "-o" || a == "--output" || a == "--subscale";
        if (takesValue && i + 1 >= args.size()) return a + " needs a value";
        if (a == "-o" || a == "--output") {
            request.output = args[++i];
        } else if (a == "--subscale" && request.kind == "items") {
            const auto view = ParseSubscale(args[++i]);
            if (!view) return "--subscale takes 0 to 5";
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
    if (request.output.empty()) return "render needs -o OUT.png";
    return WrongExtension(request.output, ".png", "render");
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
    try {
        ReadClientFile(request.file, record);
    } catch (const Error& e) {
        err << "kivo-cli: " << e.what() << '\n';
        return 1;
    }
    const QImage image = Render(request, record);
    if (!image.save(QString::fromStdString(request.output), "PNG")) {
        err << "kivo-cli: cannot write '" << request.output << "'\n";
        return 1;
    }
    out.flush();
    return 0;
}

}  // namespace kivo::cli
