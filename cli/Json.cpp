// JSON escaping and RFC 4180 CSV quoting.
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

void AppendCsvField(std::string& out, std::string_view text) {
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return c == ',' || c == '"' || c == '\r' || c == '\n';
    });
    if (plain) {
        out += text;
        return;
    }
    out += '"';
    for (char ch : text) {
        if (ch == '"') out += '"';
        out.push_back(ch);
    }
    out += '"';
}

std::string CsvField(std::string_view text) {
    std::string out;
    AppendCsvField(out, text);
    return out;
}

}  // namespace kivo::cli
