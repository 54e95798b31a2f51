// kivo-cli's usage text and the dispatch of its commands.
#include "cli/Cli.h"

#include "cli/Commands.h"

namespace kivo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: kivo-cli COMMAND [OPTIONS] ARGS\n"
    "\n"
    "Commands:\n"
    "  scores [--format csv|json] FILE...\n"
    "      Score each client file as the report screen does. CSV (the default) prints\n"
    "      the header file,form,condition,subscale,score,display,missing,valid and\n"
    "      12 rows per file; JSON prints an array with one object per file.\n"
    "  show FILE\n"
    "      Print every field of one client file as a JSON object.\n"
    "  render report FILE -o OUT.png\n"
    "      Paint the report screen's chart and score tables for the client, 625 x 623\n"
    "      pixels, into a PNG image.\n"
    "  render items FILE [--subscale N] -o OUT.png\n"
    "      Paint the item view for subscale N (0 Speech Cues, 1 Listening Effort,\n"
    "      2 Pleasantness, 3 Quietness, 4 Convenience, 5 Use; default 0), 625 x 570\n"
    "      pixels, into a PNG image.\n"
    "  report FILE -o OUT.pdf\n"
    "      Print the one-page score report of the client (scored from FILE) into a\n"
    "      Letter PDF titled \"KIVO Score Report\".\n"
    "  blank a|b|long -o OUT.pdf [--paper letter|a4]\n"
    "      Print the blank paper questionnaire of short form (a), short form (b) or\n"
    "      the long form into a two-page PDF (Letter unless --paper a4).\n"
    "  --help\n"
    "      Print this text.\n"
    "\n"
    "Exit status: 0 when every file was read, 1 when a file was refused or an\n"
    "image could not be written, 2 on a usage error.\n";

}  // namespace

int UsageError(std::ostream& err, const std::string& message) {
    err << "kivo-cli: " << message << "\nTry 'kivo-cli --help'.\n";
    return 2;
}

const char* UsageText() {
    return kUsage;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return UsageError(err, "missing COMMAND");
    const std::string& command = args[0];
    const std::span<const std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "scores") return Scores(rest, out, err);
    if (command == "show") return Show(rest, out, err);
#ifdef KIVO_CLI_RENDER
    if (command == "render") return Render(rest, out, err);
    if (command == "report") return Report(rest, out, err);
    if (command == "blank") return Blank(rest, out, err);
#else
    if (command == "render" || command == "report") {
        return UsageError(err, command + " needs the Qt build of kivo-cli");
    }
#endif
    return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace kivo::cli
