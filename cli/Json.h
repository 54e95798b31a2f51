// JSON string literals and CSV fields for kivo-cli's output.
#pragma once

#include <string>
#include <string_view>

namespace kivo::cli {

// `text` (UTF-8) as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

// How text cells go into CSV: Guarded keeps a spreadsheet from running them as formulas (a
// cell that begins with =, +, -, @, a tab or a CR gets a leading apostrophe), Raw writes the
// bytes as they are.
enum class CsvText { Guarded, Raw };

// `text` as one CSV text field, guarded as `mode` says, then quoted by RFC 4180 when it holds
// a comma, quote, CR or LF. Numbers are not written through here and are never changed.
void AppendCsvField(std::string& out, std::string_view text, CsvText mode);

}  // namespace kivo::cli
