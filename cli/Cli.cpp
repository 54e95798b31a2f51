// kivo-cli's usage text and the dispatch of its commands.
#include "cli/Cli.h"

#include <iostream>

#include "cli/Commands.h"
#include "cli/Messages.h"

namespace kivo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: kivo-cli COMMAND [OPTIONS] ARGS\n"
    "\n"
    "Commands:\n"
    "  scores [--format csv|json] FILE... [--wide] [--bom] [--raw-text]\n"
    "      Score each client file as the report screen does. CSV (the default) prints\n"
    "      the header file,form,condition,subscale,score,display,missing,valid and\n"
    "      12 rows per file; JSON prints an array with one object per file.\n"
    "      --wide prints one row (one JSON object) per client file instead: the file,\n"
    "      ClientId, LastName, FirstName, form, TestDate1, TestDate2, HearingAid1,\n"
    "      HearingAid2, Experience1, Experience2 and c1_speech_cues_score,\n"
    "      c1_speech_cues_display, c1_speech_cues_missing, c1_speech_cues_valid, ...\n"
    "      for conditions 1 and 2 and the subscales speech_cues, listening_effort,\n"
    "      quiet, pleasantness, convenience and use. --bom starts the CSV with a\n"
    "      UTF-8 byte-order mark for spreadsheet programs. A CSV text cell that\n"
    "      begins with =, +, -, @, a tab or a CR is written with a leading ' so that\n"
    "      a spreadsheet shows it rather than running it as a formula; --raw-text\n"
    "      writes such cells as they are. File names that are not UTF-8 are\n"
    "      written with U+FFFD in place of what does not decode, with a warning.\n"
    "  show FILE\n"
    "      Print every field of one client file as a JSON object.\n"
    "  render report FILE -o OUT.png\n"
    "      Paint the report screen's chart and score tables for the client, 625 x 623\n"
    "      pixels, into a PNG image.\n"
    "  render items FILE [--subscale N] -o OUT.png\n"
    "      Paint the item view for subscale N (0 Speech Cues, 1 Listening Effort,\n"
    "      2 Pleasantness, 3 Quietness, 4 Convenience, 5 Use; default 0), 625 x 570\n"
    "      pixels, into a PNG image.\n"
    "  report FILE -o OUT.pdf [--paper letter|a4]\n"
    "      Print the one-page score report of the client (scored from FILE) into a\n"
    "      PDF titled \"KIVO Score Report\" (Letter unless --paper a4).\n"
    "  report FILE... -o OUTDIR/ [--paper letter|a4]\n"
    "      Print one score report per client file into OUTDIR, named from the client\n"
    "      file (smith.KVO gives smith.pdf; a second smith.pdf becomes smith-2.pdf).\n"
    "  blank a|b|long -o OUT.pdf [--paper letter|a4]\n"
    "      Print the blank paper questionnaire of short form (a), short form (b) or\n"
    "      the long form into a two-page PDF (Letter unless --paper a4).\n"
    "  --help\n"
    "      Print this text.\n"
    "\n"
    "A FILE of scores and report may be a folder, even one named like a client\n"
    "file: its files named *.kvo in any case, found recursively, in byte order of\n"
    "their paths; other files in it are passed over. FILE - reads paths from\n"
    "standard input, one per line. A FILE that is not a regular file (a FIFO, a\n"
    "device) is refused without being read.\n"
    "\n"
    "PDFs and images are written to a temporary file beside OUT and take its name\n"
    "only when whole; a symbolic link at OUT is replaced, not written through.\n"
    "\n"
    "Exit status: 0 when every file was read and every output written, 1 when a\n"
    "file was refused or an output (standard output, an image, a PDF) could not be\n"
    "written, 2 on a usage error.\n";

}  // namespace

int UsageError(std::ostream& err, const std::string& message) {
    PrintMessage(err, message);
    err << "Try 'kivo-cli --help'.\n";
    return 2;
}

const char* UsageText() {
    return kUsage;
}

int Run(const std::vector<std::string>& args, const Streams& streams) {
    std::ostream& out = streams.out;
    std::ostream& err = streams.err;
    if (args.empty()) return UsageError(err, "missing COMMAND");
    const std::string& command = args[0];
    const std::span<const std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "scores") return Scores(rest, streams);
    if (command == "show") return Show(rest, out, err);
#ifdef KIVO_CLI_RENDER
    if (command == "render") return Render(rest, out, err);
    if (command == "report") return Report(rest, streams);
    if (command == "blank") return Blank(rest, out, err);
#else
    if (command == "render" || command == "report") {
        return UsageError(err, command + " needs the Qt build of kivo-cli");
    }
#endif
    return UsageError(err, "unknown command '" + command + "'");
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return Run(args, Streams{std::cin, out, err});
}

}  // namespace kivo::cli
