// Text between the client record's single-byte Windows-1252 world and Qt's QString: the one
// place that converts either way, used by the pages, the printed report and kivo-cli's drawings.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kivo::drawing {

// A record text field as text: up to its first NUL or its width, decoded from Windows-1252.
QString RecordText(std::span<const char> field);

// Windows-1252 bytes (product content, whole record areas) as text; every byte decodes.
QString Cp1252Text(std::string_view bytes);

// UTF-8 text of the program's own tables (form names, experience texts) as a QString.
QString Utf8Text(std::string_view utf8);

// True when every character of `text` has a Windows-1252 byte (and none is a NUL), so it can
// be stored in the record as it stands.
bool FitsCp1252(QStringView text);

// `text` as Windows-1252 bytes; characters without a byte (and NULs) are left out.
std::string ToCp1252(QStringView text);

}  // namespace kivo::drawing
