// JSON string literals and CSV fields for kivo-cli's output.
#pragma once

#include <string>
#include <string_view>

namespace kivo::cli {

// `text` (UTF-8) as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

// `text` as one CSV field (RFC 4180: quoted when it holds a comma, quote, CR or LF).
std::string CsvField(std::string_view text);
void AppendCsvField(std::string& out, std::string_view text);

}  // namespace kivo::cli
