// KIVO.INI, the settings file in the start-up folder: where client files are kept.
#pragma once

#include <QString>

namespace kivo {

// KIVO.INI in the start-up folder: section Information, key DataPath.
inline const QString kSettingsFileName = QStringLiteral("KIVO.INI");

// The settings file's path in `startupFolder` (which ends with a separator).
QString SettingsPath(const QString& startupFolder);

// DataPath from the settings file, or `fallback` when the file, the section or the key
// is missing or the file cannot be read.
QString ReadDataPath(const QString& settingsPath, const QString& fallback);

// Stores DataPath in the settings file, creating the file or the section when missing and
// keeping every other line. The file is replaced in one step once the new text is written.
// Throws Error "Unable to write to <path>" on failure; an existing file that cannot be read
// is left alone (and reported), never overwritten with DataPath alone.
void WriteDataPath(const QString& settingsPath, const QString& dataPath);

}  // namespace kivo
