// KIVO.INI, the settings file in the start-up folder or the user's configuration folder: where
// client files are kept and the client files opened last. It is the only settings file the
// program writes.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kivo {

// KIVO.INI: section Information, key DataPath; section Recent Files, keys File1 (the newest)
// to File8.
inline const QString kSettingsFileName = QStringLiteral("KIVO.INI");
inline const QString kRecentFilesSection = QStringLiteral("Recent Files");
inline constexpr int kRecentFileCount = 8;
// No more of the file than this is read; a longer one is never written, so its rest stays.
inline constexpr qint64 kSettingsSizeLimit = 1 << 20;

// The settings file's path in `folder` (which ends with a separator).
QString SettingsPath(const QString& folder);

// The user's own folder for the settings, with its trailing separator:
// $XDG_CONFIG_HOME/kivo/ (~/.config/kivo/ when that is not set); %APPDATA%\kivo\ on Windows.
QString UserSettingsFolder();

// Where the settings are read from and written to.
struct SettingsPlace {
    QString readFrom;
    QString writeTo;
};

// A KIVO.INI in the start-up folder is kept, read and written there, when it is a plain file
// (or a link to one) that the program can replace: the file and its folder writable and the
// file within kSettingsSizeLimit. Otherwise the settings live in the user's folder; when that
// holds no KIVO.INI yet, one in the start-up folder that can only be read is read once, so
// its values carry over.
SettingsPlace FindSettingsFile(const QString& startupFolder, const QString& userFolder);

// What KIVO.INI holds.
struct StoredSettings {
    std::optional<QString> dataPath;  // none when the file, the section or the key is missing
    QStringList recentFiles;          // newest first, empty entries and repeats left out
    bool cut = false;  // the file is longer than kSettingsSizeLimit and only its start was read
};

// Reads the settings file once. A missing file, or one that is not a plain file (a pipe or a
// device of that name is never waited on), holds nothing. Of a longer file the first
// kSettingsSizeLimit bytes are read, up to the last whole line.
StoredSettings ReadSettingsFile(const QString& settingsPath);

// The message for the status bar when only the start of `settingsPath` was read.
QString SettingsCutMessage(const QString& settingsPath);

// DataPath and the recent files alone, each read on its own.
QString ReadDataPath(const QString& settingsPath, const QString& fallback);
QStringList ReadRecentFiles(const QString& settingsPath);

// ShowAllOnOpen of section Client List: whether the client list shows every file when it
// opens (1, the default) or none until something is typed (0, for a consulting room).
bool ReadShowAllClientsOnOpen(const QString& settingsPath);

// Stores DataPath and the recent files (File1 to File<n>, the keys after them removed) in the
// settings file, creating the file, its folder (for the user's eyes only) or the section when
// missing. Every line of other sections and keys stays byte for byte as it was, whatever its
// encoding. The new text goes to a temporary file that replaces the old one, whose mode it
// keeps; a link is written through only to a plain file. Throws Error "Unable to write to
// <path>" on failure, leaving the file as it was: also when it cannot be read, is longer than
// kSettingsSizeLimit, or is not a plain file.
void WriteSettingsFile(const QString& settingsPath, const QString& dataPath,
                       const QStringList& recentFiles);

// Qt keeps its own settings file (its file dialog's history) unless told otherwise; this
// points it where nothing can be created, so KIVO.INI stays the only one. Call before the
// first dialog.
void KeepToolkitSettingsUnwritten();

}  // namespace kivo
