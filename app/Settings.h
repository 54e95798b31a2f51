// KIVO.INI, the settings file in the start-up folder: where client files are kept and the
// client files opened last. It is the only settings file the program writes.
#pragma once

#include <QString>
#include <QStringList>

namespace kivo {

// KIVO.INI in the start-up folder: section Information, key DataPath; section Recent Files,
// keys File1 (the newest) to File8.
inline const QString kSettingsFileName = QStringLiteral("KIVO.INI");
inline const QString kRecentFilesSection = QStringLiteral("Recent Files");
inline constexpr int kRecentFileCount = 8;

// The settings file's path in `startupFolder` (which ends with a separator).
QString SettingsPath(const QString& startupFolder);

// DataPath from the settings file, or `fallback` when the file, the section or the key
// is missing or the file cannot be read.
QString ReadDataPath(const QString& settingsPath, const QString& fallback);

// The recent client files, newest first: File1 to File8 of their section, empty entries and
// repeats left out. Empty when the file or the section is missing.
QStringList ReadRecentFiles(const QString& settingsPath);

// Stores DataPath and the recent files (File1 to File<n>, the keys after them removed) in the
// settings file, creating the file or the section when missing. Every line of other sections
// and keys stays byte for byte as it was, whatever its encoding. The file is replaced in one
// step once the new text is written. Throws Error "Unable to write to <path>" on failure; an
// existing file that cannot be read is left alone (and reported), never overwritten.
void WriteSettingsFile(const QString& settingsPath, const QString& dataPath,
                       const QStringList& recentFiles);

// Qt keeps its own settings file (its file dialog's history) unless told otherwise; this
// points it where nothing can be created, so KIVO.INI stays the only one. Call before the
// first dialog.
void KeepToolkitSettingsUnwritten();

}  // namespace kivo
