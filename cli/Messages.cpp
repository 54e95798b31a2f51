// Escaping for the terminal and the UTF-8 check of names, sharing one decoder.
#include "cli/Messages.h"

#include <cstdint>
#include <cstdio>

namespace kivo::cli {
namespace {

// The length of the valid UTF-8 sequence at the start of `text` (1 to 4), its code point in
// `code`; 0 when the bytes there do not decode (a stray byte, an overlong form, a surrogate,
// past U+10FFFF or cut short).
std::size_t DecodeOne(std::string_view text, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    if (first < 0x80) {
        code = first;
        return 1;
    }
    std::size_t length = 0;
    char32_t min = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2, code = first & 0x1Fu, min = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3, code = first & 0x0Fu, min = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4, code = first & 0x07u, min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

void AppendEscape(std::string& out, const char* format, unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    out += text;
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

std::string TerminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t code = 0;
        const std::size_t length = DecodeOne(text, code);
        if (length == 0) {
            AppendEscape(out, "\\x%02X", static_cast<unsigned char>(text.front()));
            text.remove_prefix(1);
            continue;
        }
        if (code == '\n') {
            out += "\\n";
        } else if (code == '\r') {
            out += "\\r";
        } else if (code == '\t') {
            out += "\\t";
        } else if (code < 0x20 || code == 0x7F) {
            AppendEscape(out, "\\x%02X", static_cast<unsigned>(code));
        } else if (code >= 0x80 && code < 0xA0) {
            AppendEscape(out, "\\u%04X", static_cast<unsigned>(code));
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

void PrintMessage(std::ostream& err, std::string_view text) {
    err << "kivo-cli: " << TerminalText(text) << '\n';
}

std::string UnwrittenText(const FileError& failure) {
    return "cannot write '" + PathText(failure.Path()) + "': " + failure.Reason();
}

void PrintUnwritten(std::ostream& err, const FileError& failure) {
    PrintMessage(err, UnwrittenText(failure));
}

bool AppendValidUtf8(std::string& out, std::string_view text) {
    bool valid = true;
    while (!text.empty()) {
        char32_t code = 0;
        const std::size_t length = DecodeOne(text, code);
        if (length == 0) {
            out += "\xEF\xBF\xBD";  // U+FFFD
            text.remove_prefix(1);
            valid = false;
            continue;
        }
        out.append(text.substr(0, length));
        text.remove_prefix(length);
    }
    return valid;
}

std::string_view OutputName(const std::string& name, std::string& scratch, std::ostream& err) {
    if (IsAscii(name)) return name;
    scratch.clear();
    if (AppendValidUtf8(scratch, name)) return name;
    PrintMessage(err, "warning: the name of '" + name +
                          "' is not UTF-8; the output shows U+FFFD for what does not decode");
    return scratch;
}

}  // namespace kivo::cli
