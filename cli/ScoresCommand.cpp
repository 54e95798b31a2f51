// kivo-cli scores: client files scored one at a time and streamed out as CSV or JSON, so any
// number of files can be given.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Json.h"
#include "model/ClientFile.h"
#include "model/Error.h"
#include "model/Questionnaire.h"
#include "model/Scoring.h"

namespace kivo::cli {
namespace {

// Writes the stored score with exactly six digits after the point, as printf's "%.6f"
// gives it. A float times 10^6 is exact in a double (24 + 20 bits), so rounding it to an
// integer (ties to even, as printf does) gives the correctly rounded digits directly.
char* WriteFixed6(char* p, float value) {
    const double scaled = static_cast<double>(value) * 1e6;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9e15) {
        return p + std::snprintf(p, 400, "%.6f", static_cast<double>(value));
    }
    const auto micro = static_cast<long long>(std::nearbyint(scaled));
    if (std::signbit(value)) *p++ = '-';
    const auto magnitude = static_cast<unsigned long long>(micro < 0 ? -micro : micro);
    p = std::to_chars(p, p + 24, magnitude / 1000000u).ptr;
    *p++ = '.';
    auto fraction = static_cast<unsigned>(magnitude % 1000000u);
    for (int i = 5; i >= 0; --i) {
        p[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return p + 6;
}

void AppendFixed6(std::string& out, float value) {
    char buf[400];
    out.append(buf, WriteFixed6(buf, value));
}

void AppendInt(std::string& out, long long value) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

const SubscaleScore& At(const SubscaleScoreTable& t, int condition, Subscale s) {
    return t[static_cast<std::size_t>(condition)][static_cast<std::size_t>(Index(s))];
}

// Formats one file's scores into a buffer that is written in one piece, so thousands of
// files stream out without building anything up.
class ScoresWriter {
public:
    ScoresWriter(std::ostream& out, bool json) : out_(out), json_(json) {}

    void Begin() {
        out_ << (json_ ? "[" : "file,form,condition,subscale,score,display,missing,valid\n");
    }

    void Write(const std::string& file, const ClientRecord& record,
               const SubscaleScoreTable& scores) {
        buffer_.clear();
        const std::string_view form = FormKindName(record.TestForm);
        if (json_) {
            FormatJson(file, form, scores);
        } else {
            FormatCsv(file, form, scores);
        }
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        first_ = false;
    }

    void End() {
        if (json_) out_ << (first_ ? "]\n" : "\n]\n");
        out_.flush();
    }

private:
    void FormatCsv(const std::string& file, std::string_view form,
                   const SubscaleScoreTable& scores) {
        prefix_.clear();
        AppendCsvField(prefix_, file);
        prefix_ += ',';
        AppendCsvField(prefix_, form);
        prefix_ += ',';
        for (int c = 0; c < kConditionCount; ++c) {
            for (Subscale s : kAllSubscales) {
                const auto& sc = At(scores, c, s);
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

    void FormatJson(const std::string& file, std::string_view form,
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
                const auto& sc = At(scores, c, s);
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

    std::ostream& out_;
    bool json_;
    bool first_ = true;
    std::string buffer_;
    std::string prefix_;
};

struct ScoresOptions {
    bool json = false;
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
        } else if (a == "--") {
            options.files.insert(options.files.end(), args.begin() + static_cast<long>(i) + 1,
                                 args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError(err, "unknown option '" + a + "'");
        } else {
            options.files.push_back(a);
            continue;
        }
        if (format != "csv" && format != "json") {
            return UsageError(err, "unknown format '" + format + "' (csv or json)");
        }
        options.json = format == "json";
    }
    if (options.files.empty()) return UsageError(err, "scores needs at least one FILE");
    return -1;
}

}  // namespace

int Scores(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    ScoresOptions options;
    if (const int usage = ParseScoresOptions(args, options, err); usage >= 0) return usage;

    ScoresWriter writer(out, options.json);
    writer.Begin();
    int status = 0;
    ClientRecord record;
    SubscaleScoreTable scores;
    for (const auto& file : options.files) {
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

}  // namespace kivo::cli
