// Finding, reading and writing KIVO.INI. It is written through a temporary file that replaces
// it, so that a failed write never loses the other settings. The text is handled one byte per
// character, so lines written in any code page come back unchanged; the values KIVO writes are
// UTF-8.
#include "app/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>

#include "app/FileNames.h"
#include "app/IniText.h"
#include "app/RegularFile.h"
#include "model/Error.h"

namespace kivo {
namespace {

const QString kSection = QStringLiteral("Information");
const QString kKey = QStringLiteral("DataPath");

Error UnableToWrite(const QString& path) {
    return Error(("Unable to write to " + path).toStdString());
}

// The file's bytes, one character each, up to its last whole line when it is longer than the
// limit; nullopt when it is not a plain file or cannot be read.
std::optional<QString> ReadBytes(const QString& settingsPath, bool* cut = nullptr) {
    auto start = ReadRegularFile(settingsPath, kSettingsSizeLimit);
    if (!start) return std::nullopt;
    if (start->cut) start->bytes.truncate(start->bytes.lastIndexOf('\n') + 1);
    if (cut != nullptr) *cut = start->cut;
    return QString::fromLatin1(start->bytes);
}

// A value's bytes as text: UTF-8 as KIVO writes it, or the Windows code page of an older
// file (Latin-1 is the nearest Qt decodes without a codec).
QString ValueText(const QString& bytes) {
    const QByteArray raw = bytes.toLatin1();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(raw);
    return utf8.hasError() ? QString::fromLatin1(raw) : decoded;
}

QString ValueBytes(const QString& text) {
    return QString::fromLatin1(text.toUtf8());
}

QString RecentKey(int number) {
    return QStringLiteral("File%1").arg(number);
}

// The file's present text (empty for a new file), or an Error when writing it would lose
// something: the file cannot be read or was read only in part, or it is no plain file (a
// folder, a pipe, a device, or a link to one or to nothing).
QString ExistingText(const QString& settingsPath) {
    const QFileInfo info(settingsPath);
    if (!info.exists() && !info.isSymLink()) return {};
    if (!info.isFile()) throw UnableToWrite(settingsPath);
    bool cut = false;
    const auto text = ReadBytes(settingsPath, &cut);
    if (!text || cut) throw UnableToWrite(settingsPath);
    return *text;
}

// Makes the settings folder when it is missing, for the user alone: the recent files name
// clients.
void MakeFolder(const QString& folder) {
    if (QFileInfo(folder).isDir()) return;
    const QFileInfo info(QDir::cleanPath(folder));
    if (!QDir().mkpath(info.absolutePath()) ||
        !QDir(info.absolutePath())
             .mkdir(info.fileName(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        if (!QFileInfo(folder).isDir()) throw UnableToWrite(SettingsPath(folder));
    }
}

// QSaveFile writes a temporary file beside the one it replaces (beside a link's target for a
// link), gives it the old file's mode and renames it over the old one.
void ReplaceFile(const QString& settingsPath, const QString& text) {
    MakeFolder(QFileInfo(settingsPath).absolutePath());
    QSaveFile file(settingsPath);
    if (!file.open(QIODevice::WriteOnly)) throw UnableToWrite(settingsPath);
    file.write(text.toLatin1());
    if (!file.commit()) throw UnableToWrite(settingsPath);
}

}  // namespace

QString SettingsPath(const QString& folder) {
    return folder + kSettingsFileName;
}

QString UserSettingsFolder() {
#ifdef Q_OS_WIN
    QString base = qEnvironmentVariable("APPDATA");
    if (base.isEmpty()) {
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    }
#else
    // $XDG_CONFIG_HOME, or .config in the home folder.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
    return WithTrailingSeparator(
        QDir::toNativeSeparators(QDir(base).filePath(QStringLiteral("kivo"))));
}

SettingsPlace FindSettingsFile(const QString& startupFolder, const QString& userFolder) {
    const QString inStartup = SettingsPath(startupFolder);
    const QString own = SettingsPath(userFolder);
    const QFileInfo startup(inStartup);
    if (!startup.isFile()) return {own, own};
    // A link is replaced at its end: that file's folder takes the temporary file.
    const QFileInfo target(startup.canonicalFilePath());
    if (startup.isWritable() && startup.size() <= kSettingsSizeLimit &&
        QFileInfo(target.absolutePath()).isWritable()) {
        return {inStartup, inStartup};
    }
    const QFileInfo ownInfo(own);
    return {ownInfo.exists() || ownInfo.isSymLink() ? own : inStartup, own};
}

StoredSettings ReadSettingsFile(const QString& settingsPath) {
    StoredSettings settings;
    const auto text = ReadBytes(settingsPath, &settings.cut);
    if (!text) return settings;
    const IniSections sections = ReadIniSections(*text);
    const auto information = sections.value(kSection.toLower());
    if (const auto value = information.find(kKey.toLower()); value != information.end()) {
        settings.dataPath = ValueText(*value);
    }
    const auto recent = sections.value(kRecentFilesSection.toLower());
    for (int number = 1; number <= kRecentFileCount; ++number) {
        const QString value = recent.value(RecentKey(number).toLower());
        if (value.isEmpty()) continue;
        const QString path = ValueText(value);
        if (!settings.recentFiles.contains(path)) settings.recentFiles << path;
    }
    return settings;
}

QString SettingsCutMessage(const QString& settingsPath) {
    return QStringLiteral("Only the first 1 MiB of %1 was read; the file is left as it is.")
        .arg(QDir::toNativeSeparators(settingsPath));
}

QString ReadDataPath(const QString& settingsPath, const QString& fallback) {
    return ReadSettingsFile(settingsPath).dataPath.value_or(fallback);
}

QStringList ReadRecentFiles(const QString& settingsPath) {
    return ReadSettingsFile(settingsPath).recentFiles;
}

bool ReadShowAllClientsOnOpen(const QString& settingsPath) {
    const auto text = ReadBytes(settingsPath);
    if (!text) return true;
    const auto value =
        IniValue(*text, QStringLiteral("Client List"), QStringLiteral("ShowAllOnOpen"));
    return !value || value->trimmed() != QStringLiteral("0");
}

void WriteSettingsFile(const QString& settingsPath, const QString& dataPath,
                       const QStringList& recentFiles) {
    QString text = WithIniValue(ExistingText(settingsPath), kSection, kKey, ValueBytes(dataPath));
    for (int number = 1; number <= kRecentFileCount; ++number) {
        if (number <= recentFiles.size()) {
            text = WithIniValue(text, kRecentFilesSection, RecentKey(number),
                                ValueBytes(recentFiles.at(number - 1)));
        } else {
            text = WithoutIniValue(text, kRecentFilesSection, RecentKey(number));
        }
    }
    ReplaceFile(settingsPath, text);
}

void KeepToolkitSettingsUnwritten() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A folder below /dev/null can never be made, so every write Qt tries fails quietly.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
            QSettings::setPath(format, scope, QStringLiteral("/dev/null/kivo-no-settings"));
        }
    }
#endif
    // Windows keeps Qt's own settings in the registry and macOS in its preferences, where no
    // path can be set; there the file dialog's history goes as the platform keeps it.
}

}  // namespace kivo
