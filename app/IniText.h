// Reading and changing one value in the text of an INI file, keeping every other line, so
// that other settings and comments in KIVO.INI survive a save.
#pragma once

#include <QHash>
#include <QString>
#include <optional>

namespace kivo {

// The text of an INI file: "[Section]" lines and "Key=Value" lines. Section and key names
// match without regard to case and to surrounding blanks; lines starting with ';' or '#'
// are comments.

// The value of `key` in `section` (blanks around it removed), or nullopt when the section
// or the key is missing.
std::optional<QString> IniValue(const QString& text, const QString& section, const QString& key);

// Every value of every section in one pass over the text, by section and then key, both
// lower-cased: what IniValue gives for each of them (the first section of a name, the first
// key of a name in it).
using IniSections = QHash<QString, QHash<QString, QString>>;
IniSections ReadIniSections(const QString& text);

// `text` with `key` of `section` set to `value`: the key's line is replaced, or added at the
// end of its section, or a new section is added at the end. Every other line stays as it was,
// line endings included.
QString WithIniValue(const QString& text, const QString& section, const QString& key,
                     const QString& value);

// `text` without the line of `key` in `section`; every other line stays as it was. The text
// comes back unchanged when the section or the key is missing.
QString WithoutIniValue(const QString& text, const QString& section, const QString& key);

}  // namespace kivo
