// The Windows-1252 table and a strict UTF-8 decoder, so that no malformed text reaches a
// client file.
#include "model/Cp1252.h"

#include <array>

namespace kivo {
namespace {

// Code points of bytes 0x80-0x9F; the rest of the byte range maps to itself (Latin-1).
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at `pos`; nullopt for malformed input (overlong forms,
// surrogates and values above U+10FFFF included).
std::optional<char32_t> NextCodePoint(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07u;
    } else {
        return std::nullopt;
    }
    if (pos + static_cast<std::size_t>(extra) >= s.size()) return std::nullopt;
    for (int i = 1; i <= extra; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + static_cast<std::size_t>(i)]);
        if ((c & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (c & 0x3Fu);
    }
    constexpr std::array<char32_t, 4> kMin = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[static_cast<std::size_t>(extra)] || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return cp;
}

}  // namespace

char32_t Cp1252ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80u];
    return byte;
}

std::optional<unsigned char> CodePointToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = NextCodePoint(utf8, pos);
        if (!cp) return std::nullopt;
        const auto byte = CodePointToCp1252(*cp);
        if (!byte) return std::nullopt;
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

}  // namespace kivo
