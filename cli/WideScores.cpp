// The wide score table: the column names, kept here in one place because scripts read them,
// and the CSV and JSON rows.
#include "cli/WideScores.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <span>
#include <string_view>

#include "cli/Json.h"
#include "cli/ScoreFields.h"
#include "model/Questionnaire.h"

namespace kivo::cli {
namespace {

// The subscales' names in column names, in report order (Index order).
constexpr std::array<std::string_view, kSubscaleCount> kSubscaleColumns = {
    "speech_cues", "listening_effort", "quiet", "pleasantness", "convenience", "use"};

constexpr std::array<std::string_view, 4> kScoreKinds = {"score", "display", "missing", "valid"};

// The client's details between the file and the scores, in column order: a text field, a
// number, or (neither given) the form's name as the long table gives it.
using TextOf = std::span<const char> (*)(const ClientRecord&);
using NumberOf = std::int32_t (*)(const ClientRecord&);
struct DetailColumn {
    std::string_view name;
    TextOf text = nullptr;
    NumberOf number = nullptr;
};

constexpr std::array<DetailColumn, 10> kDetailColumns = {{
    {"ClientId", [](const ClientRecord& r) -> std::span<const char> { return r.ClientId; }},
    {"LastName", [](const ClientRecord& r) -> std::span<const char> { return r.LastName; }},
    {"FirstName", [](const ClientRecord& r) -> std::span<const char> { return r.FirstName; }},
    {"form"},
    {"TestDate1", [](const ClientRecord& r) -> std::span<const char> { return r.TestDate1; }},
    {"TestDate2", [](const ClientRecord& r) -> std::span<const char> { return r.TestDate2; }},
    {"HearingAid1", [](const ClientRecord& r) -> std::span<const char> { return r.HearingAid1; }},
    {"HearingAid2", [](const ClientRecord& r) -> std::span<const char> { return r.HearingAid2; }},
    {"Experience1", nullptr, [](const ClientRecord& r) { return r.Experience1; }},
    {"Experience2", nullptr, [](const ClientRecord& r) { return r.Experience2; }},
}};

// "c1_speech_cues_score" and the like.
std::string ScoreColumn(int condition, Subscale s, std::string_view kind) {
    std::string name = "c";
    name += static_cast<char>('1' + condition);
    name += '_';
    name += kSubscaleColumns[static_cast<std::size_t>(Index(s))];
    name += '_';
    name += kind;
    return name;
}

}  // namespace

void WideScoresWriter::Begin() {
    if (json_) {
        buffer_ += '[';
        return;
    }
    std::string header = "file";
    for (const auto& column : kDetailColumns) (header += ',') += column.name;
    for (int c = 0; c < kConditionCount; ++c) {
        for (Subscale s : kAllSubscales) {
            for (auto kind : kScoreKinds) (header += ',') += ScoreColumn(c, s, kind);
        }
    }
    header += '\n';
    buffer_ += header;
}

void WideScoresWriter::Write(std::string_view file, const ClientRecord& record,
                             const SubscaleScoreTable& scores) {
    if (json_) {
        FormatJson(file, record, scores);
    } else {
        FormatCsv(file, record, scores);
    }
    first_ = false;
    out_.WriteIfFull();
}

void WideScoresWriter::End() {
    if (json_) buffer_ += first_ ? "]\n" : "\n]\n";
    out_.Finish();
}

void WideScoresWriter::FormatCsv(std::string_view file, const ClientRecord& record,
                                 const SubscaleScoreTable& scores) {
    AppendCsvField(buffer_, file, text_);
    for (const auto& column : kDetailColumns) {
        buffer_ += ',';
        if (column.text != nullptr) {
            // Texts in UTF-8, as `show` decodes them.
            AppendCsvField(buffer_, ReadTextField(column.text(record)), text_);
        } else if (column.number != nullptr) {
            AppendInt(buffer_, column.number(record));
        } else {
            AppendCsvField(buffer_, FormKindName(record.TestForm), text_);
        }
    }
    for (int c = 0; c < kConditionCount; ++c) {
        for (Subscale s : kAllSubscales) {
            const auto& sc = ScoreAt(scores, c, s);
            char cells[kFixed6Max + kScoreDisplayTextMax + 32];
            char* p = cells;
            *p++ = ',';
            p = WriteFixed6(p, sc.Score);
            *p++ = ',';
            p += WriteScoreDisplayText(p, sc, ".");
            *p++ = ',';
            p = std::to_chars(p, p + 12, sc.MissingCount).ptr;
            *p++ = ',';
            *p++ = sc.Valid ? '1' : '0';
            buffer_.append(cells, p);
        }
    }
    buffer_ += '\n';
}

void WideScoresWriter::FormatJson(std::string_view file, const ClientRecord& record,
                                  const SubscaleScoreTable& scores) {
    buffer_ += first_ ? "\n{\"file\":" : ",\n{\"file\":";
    buffer_ += JsonString(file);
    for (const auto& column : kDetailColumns) {
        ((buffer_ += ",\"") += column.name) += "\":";
        if (column.text != nullptr) {
            buffer_ += JsonString(ReadTextField(column.text(record)));
        } else if (column.number != nullptr) {
            AppendInt(buffer_, column.number(record));
        } else {
            buffer_ += JsonString(FormKindName(record.TestForm));
        }
    }
    for (int c = 0; c < kConditionCount; ++c) {
        for (Subscale s : kAllSubscales) {
            const auto& sc = ScoreAt(scores, c, s);
            const auto name = [&](std::string_view kind) {
                ((buffer_ += ",\"") += ScoreColumn(c, s, kind)) += "\":";
            };
            name("score");
            AppendFixed6(buffer_, sc.Score);
            name("display");
            buffer_ += JsonString(ScoreDisplayText(sc, "."));
            name("missing");
            AppendInt(buffer_, sc.MissingCount);
            name("valid");
            buffer_ += sc.Valid ? "true" : "false";
        }
    }
    buffer_ += '}';
}

}  // namespace kivo::cli
