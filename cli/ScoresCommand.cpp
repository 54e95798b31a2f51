// kivo-cli scores: client files scored one at a time and streamed out as CSV or JSON, in the
// long table (twelve rows per file) or the wide one (one row per file), so any number of files
// can be given.
#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "cli/ClientInput.h"
#include "cli/Commands.h"
#include "cli/InputFiles.h"
#include "cli/Json.h"
#include "cli/Messages.h"
#include "cli/ScoreFields.h"
#include "cli/WideScores.h"
#include "model/Error.h"
#include "model/Questionnaire.h"
#include "model/Scoring.h"

namespace kivo::cli {
namespace {

// Spreadsheet programs take a CSV file for UTF-8 only when it starts with this mark.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The long table. Formats the files' scores into a buffer that is written out in pieces of
// kOutputChunk bytes, so thousands of files stream out without building anything up.
class ScoresWriter {
public:
    ScoresWriter(TableOutput& out, bool json, CsvText text)
        : out_(out), buffer_(out.text), json_(json), text_(text) {}

    void Begin() {
        buffer_ += json_ ? "[" : "file,form,condition,subscale,score,display,missing,valid\n";
    }

    void Write(std::string_view file, const ClientRecord& record,
               const SubscaleScoreTable& scores) {
        const std::string_view form = FormKindName(record.TestForm);
        if (json_) {
            FormatJson(file, form, scores);
        } else {
            FormatCsv(file, form, scores);
        }
        first_ = false;
        out_.WriteIfFull();
    }

    void End() {
        if (json_) buffer_ += first_ ? "]\n" : "\n]\n";
        out_.Finish();
    }

private:
    void FormatCsv(std::string_view file, std::string_view form, const SubscaleScoreTable& scores) {
        prefix_.clear();
        AppendCsvField(prefix_, file, text_);
        prefix_ += ',';
        AppendCsvField(prefix_, form, text_);
        prefix_ += ',';
        for (int c = 0; c < kConditionCount; ++c) {
            for (Subscale s : kAllSubscales) {
                const auto& sc = ScoreAt(scores, c, s);
                const auto name = SubscaleReportName(s);
                char row[512];
                char* p = row;
                *p++ = static_cast<char>('1' + c);
                *p++ = ',';
                p = std::copy(name.begin(), name.end(), p);
                *p++ = ',';
                p = WriteFixed6(p, sc.Score);
                *p++ = ',';
                p += WriteScoreDisplayText(p, sc, ".");
                *p++ = ',';
                p = std::to_chars(p, p + 12, sc.MissingCount).ptr;
                *p++ = ',';
                *p++ = sc.Valid ? '1' : '0';
                *p++ = '\n';
                buffer_ += prefix_;
                buffer_.append(row, p);
            }
        }
    }

    void FormatJson(std::string_view file, std::string_view form,
                    const SubscaleScoreTable& scores) {
        buffer_ += first_ ? "\n" : ",\n";
        buffer_ +=
            "{\"file\":" + JsonString(file) + ",\"form\":" + JsonString(form) + ",\"conditions\":[";
        for (int c = 0; c < kConditionCount; ++c) {
            buffer_ += c ? "," : "";
            buffer_ += "{\"condition\":";
            AppendInt(buffer_, c + 1);
            buffer_ += ",\"subscales\":[";
            for (Subscale s : kAllSubscales) {
                const auto& sc = ScoreAt(scores, c, s);
                buffer_ += Index(s) ? "," : "";
                buffer_ += "{\"subscale\":" + JsonString(SubscaleReportName(s)) + ",\"score\":";
                AppendFixed6(buffer_, sc.Score);
                buffer_ += ",\"display\":\"" + ScoreDisplayText(sc, ".") + '"' + ",\"missing\":";
                AppendInt(buffer_, sc.MissingCount);
                buffer_ += sc.Valid ? ",\"valid\":true}" : ",\"valid\":false}";
            }
            buffer_ += "]}";
        }
        buffer_ += "]}";
    }

    TableOutput& out_;
    std::string& buffer_;  // the output's text
    bool json_;
    CsvText text_;
    bool first_ = true;
    std::string prefix_;
};

struct ScoresOptions {
    bool json = false;
    bool wide = false;
    bool bom = false;
    bool rawText = false;
    std::vector<std::string> files;
};

// Parses the options of `scores`; returns a usage status (2) or -1 to go on.
int ParseScoresOptions(std::span<const std::string> args, ScoresOptions& options,
                       std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string format;
        if (a == "--format") {
            if (i + 1 >= args.size()) return UsageError(err, "--format needs csv or json");
            format = args[++i];
        } else if (a.rfind("--format=", 0) == 0) {
            format = a.substr(9);
        } else if (a == "--wide") {
            options.wide = true;
            continue;
        } else if (a == "--bom") {
            options.bom = true;
            continue;
        } else if (a == "--raw-text") {
            options.rawText = true;
            continue;
        } else if (a == "--") {
            options.files.insert(options.files.end(), args.begin() + static_cast<long>(i) + 1,
                                 args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError(err, "unknown option '" + a + "'");
        } else {
            options.files.push_back(a);  // "-" too: the list on standard input
            continue;
        }
        if (format != "csv" && format != "json") {
            return UsageError(err, "unknown format '" + format + "' (csv or json)");
        }
        options.json = format == "json";
    }
    if (options.files.empty()) return UsageError(err, "scores needs at least one FILE");
    // JSON has no byte-order mark: parsers refuse one.
    if (options.bom && options.json) return UsageError(err, "--bom is for CSV output only");
    return -1;
}

// Reads and scores every client file the inputs name, handing each to `writer`. Stops at
// the first output that could not be written: nothing after it would arrive either.
template <typename Writer>
int ScoreAll(const ScoresOptions& options, TableOutput& output, Writer& writer,
             const Streams& streams) {
    if (options.bom) output.text += kUtf8ByteOrderMark;
    writer.Begin();
    int status = 0;
    ClientRecord record;
    SubscaleScoreTable scores;
    std::string nameScratch;
    const bool clean =
        ForEachClientFile(options.files, streams.in, streams.err, [&](const std::string& file) {
            try {
                if (ReadClientInput(file, record) == InputKind::Folder) return Visit::Folder;
            } catch (const Error& e) {
                PrintMessage(streams.err, e.what());
                status = 1;
                return Visit::Next;
            }
            ComputeSubscaleScores(record, scores);
            writer.Write(OutputName(file, nameScratch, streams.err), record, scores);
            return output.Failure().empty() ? Visit::Next : Visit::Stop;
        });
    writer.End();
    if (!output.Failure().empty()) {
        PrintMessage(streams.err, "cannot write standard output: " + output.Failure());
        return 1;
    }
    return clean ? status : 1;
}

}  // namespace

int Scores(std::span<const std::string> args, const Streams& streams) {
    ScoresOptions options;
    if (const int usage = ParseScoresOptions(args, options, streams.err); usage >= 0) {
        return usage;
    }
    TableOutput output(streams.out);
    const CsvText text = options.rawText ? CsvText::Raw : CsvText::Guarded;
    if (options.wide) {
        WideScoresWriter writer(output, options.json, text);
        return ScoreAll(options, output, writer, streams);
    }
    ScoresWriter writer(output, options.json, text);
    return ScoreAll(options, output, writer, streams);
}

}  // namespace kivo::cli
