// Windows-1252 <-> UTF-8: client files and the questionnaire texts are Windows-1252, the
// rest of the program speaks UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kivo {

// Windows-1252 <-> UTF-8. Client files and product texts are single-byte Windows-1252.
// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode
// to the C1 control of the same value, as Windows does, so every byte string round-trips.

// Decodes every byte (NULs included) to UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);

// Encodes UTF-8 text; nullopt when the text is not valid UTF-8 or holds a character
// Windows-1252 cannot hold.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// The Windows-1252 byte for one Unicode code point, or nullopt.
std::optional<unsigned char> CodePointToCp1252(char32_t cp);

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

}  // namespace kivo
