// JSON escaping, and RFC 4180 CSV quoting with the guard against formulas.
#include "cli/Json.h"

#include <algorithm>
#include <cstdio>

namespace kivo::cli {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out.push_back(ch);
                }
        }
    }
    out += '"';
    return out;
}

namespace {

// The first characters with which a spreadsheet takes a cell for a formula.
bool StartsLikeFormula(std::string_view text) {
    if (text.empty()) return false;
    switch (text.front()) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            return true;
        default:
            return false;
    }
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view text, CsvText mode) {
    const bool guard = mode == CsvText::Guarded && StartsLikeFormula(text);
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return c == ',' || c == '"' || c == '\r' || c == '\n';
    });
    if (plain) {
        if (guard) out += '\'';
        out += text;
        return;
    }
    out += '"';
    if (guard) out += '\'';
    for (char ch : text) {
        if (ch == '"') out += '"';
        out.push_back(ch);
    }
    out += '"';
}

}  // namespace kivo::cli
