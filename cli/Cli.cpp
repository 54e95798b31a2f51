#include "Cli.h"

#include <cstdio>
#include <span>

#include "ClientFile.h"
#include "Cp1252.h"
#include "Error.h"
#include "Json.h"
#include "Questionnaire.h"
#include "Scoring.h"

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
    "  --help\n"
    "      Print this text.\n"
    "\n"
    "Exit status: 0 when every file was read, 1 when a file was refused,\n"
    "2 on a usage error.\n";

std::string Fixed6(float value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", static_cast<double>(value));
    return buf;
}

int UsageError(std::ostream& err, const std::string& message) {
    err << "kivo-cli: " << message << "\nTry 'kivo-cli --help'.\n";
    return 2;
}

class ScoresWriter {
public:
    ScoresWriter(std::ostream& out, bool json) : out_(out), json_(json) {}

    void Begin() { out_ << (json_ ? "[" : "file,form,condition,subscale,score,display,missing,valid\n"); }

    void Write(const std::string& file, const ClientRecord& record,
               const SubscaleScoreTable& scores) {
        const std::string form(FormKindName(record.TestForm));
        if (json_) {
            WriteJson(file, form, scores);
        } else {
            WriteCsv(file, form, scores);
        }
        first_ = false;
    }

    void End() {
        if (json_) out_ << (first_ ? "]\n" : "\n]\n");
        out_.flush();
    }

private:
    void WriteCsv(const std::string& file, const std::string& form,
                  const SubscaleScoreTable& scores) {
        const std::string prefix = CsvField(file) + ',' + CsvField(form) + ',';
        for (int c = 0; c < kConditionCount; ++c) {
            for (Subscale s : kAllSubscales) {
                const auto& sc = scores[static_cast<std::size_t>(c)][static_cast<std::size_t>(Index(s))];
                out_ << prefix << (c + 1) << ',' << SubscaleReportName(s) << ','
                     << Fixed6(sc.Score) << ',' << ScoreDisplayText(sc, ".") << ','
                     << sc.MissingCount << ',' << int{sc.Valid} << '\n';
            }
        }
    }

    void WriteJson(const std::string& file, const std::string& form,
                   const SubscaleScoreTable& scores) {
        out_ << (first_ ? "\n" : ",\n") << "{\"file\":" << JsonString(file)
             << ",\"form\":" << JsonString(form) << ",\"conditions\":[";
        for (int c = 0; c < kConditionCount; ++c) {
            out_ << (c ? "," : "") << "{\"condition\":" << (c + 1) << ",\"subscales\":[";
            for (Subscale s : kAllSubscales) {
                const auto& sc = scores[static_cast<std::size_t>(c)][static_cast<std::size_t>(Index(s))];
                out_ << (Index(s) ? "," : "") << "{\"subscale\":" << JsonString(SubscaleReportName(s))
                     << ",\"score\":" << Fixed6(sc.Score)
                     << ",\"display\":" << JsonString(ScoreDisplayText(sc, "."))
                     << ",\"missing\":" << sc.MissingCount
                     << ",\"valid\":" << (sc.Valid ? "true" : "false") << '}';
            }
            out_ << "]}";
        }
        out_ << "]}";
    }

    std::ostream& out_;
    bool json_;
    bool first_ = true;
};

int Scores(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    bool json = false;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string format;
        if (a == "--format") {
            if (i + 1 >= args.size()) return UsageError(err, "--format needs csv or json");
            format = args[++i];
        } else if (a.rfind("--format=", 0) == 0) {
            format = a.substr(9);
        } else if (a == "--") {
            files.insert(files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError(err, "unknown option '" + a + "'");
        } else {
            files.push_back(a);
            continue;
        }
        if (format != "csv" && format != "json") {
            return UsageError(err, "unknown format '" + format + "' (csv or json)");
        }
        json = format == "json";
    }
    if (files.empty()) return UsageError(err, "scores needs at least one FILE");

    ScoresWriter writer(out, json);
    writer.Begin();
    int status = 0;
    ClientRecord record;
    SubscaleScoreTable scores;
    for (const auto& file : files) {
        try {
            ReadClientFile(file, record);
        } catch (const Error& e) {
            err << "kivo-cli: " << e.what() << '\n';
            status = 1;
            continue;
        }
        ComputeSubscaleScores(record, scores);
        writer.Write(file, record, scores);
    }
    writer.End();
    return status;
}

std::string JsonText(std::span<const char> field) { return JsonString(ReadTextField(field)); }

void ShowRecord(const ClientRecord& r, std::ostream& out) {
    out << "{\n"
        << "  \"Signature\": " << JsonText(r.Signature) << ",\n"
        << "  \"LastName\": " << JsonText(r.LastName) << ",\n"
        << "  \"FirstName\": " << JsonText(r.FirstName) << ",\n"
        << "  \"MiddleInitial\": " << JsonText(r.MiddleInitial) << ",\n"
        << "  \"ClientId\": " << JsonText(r.ClientId) << ",\n"
        << "  \"TestForm\": " << r.TestForm << ",\n"
        << "  \"Gender\": " << JsonText(r.Gender) << ",\n"
        << "  \"BirthDate\": " << JsonText(r.BirthDate) << ",\n"
        << "  \"HearingAid1\": " << JsonText(r.HearingAid1) << ",\n"
        << "  \"Ear1\": " << JsonText(r.Ear1) << ",\n"
        << "  \"Coupling1\": " << JsonText(r.Coupling1) << ",\n"
        << "  \"TestDate1\": " << JsonText(r.TestDate1) << ",\n"
        << "  \"Experience1\": " << r.Experience1 << ",\n"
        << "  \"HearingAid2\": " << JsonText(r.HearingAid2) << ",\n"
        << "  \"Ear2\": " << JsonText(r.Ear2) << ",\n"
        << "  \"Coupling2\": " << JsonText(r.Coupling2) << ",\n"
        << "  \"TestDate2\": " << JsonText(r.TestDate2) << ",\n"
        << "  \"Experience2\": " << r.Experience2 << ",\n"
        << "  \"Comments\": " << JsonText(r.Comments) << ",\n"
        << "  \"Responses\": {\n"
        << "    \"condition1\": "
        << JsonString(Cp1252ToUtf8(std::string_view(r.Responses, kMaxItems))) << ",\n"
        << "    \"condition2\": "
        << JsonString(Cp1252ToUtf8(std::string_view(r.Responses + kMaxItems, kMaxItems)))
        << "\n  }\n}\n";
}

int Show(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return UsageError(err, "show needs exactly one FILE");
    ClientRecord record;
    try {
        ReadClientFile(args[0], record);
    } catch (const Error& e) {
        err << "kivo-cli: " << e.what() << '\n';
        return 1;
    }
    ShowRecord(record, out);
    return 0;
}

}  // namespace

const char* UsageText() { return kUsage; }

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
    return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace kivo::cli
