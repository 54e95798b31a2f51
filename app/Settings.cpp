// Reading and writing KIVO.INI through a save file, so that a failed write never loses the
// other settings. The text is handled one byte per character, so lines written in any code
// page come back unchanged; the values KIVO writes are UTF-8.
#include "app/Settings.h"

#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QStringDecoder>

#include "app/IniText.h"
#include "model/Error.h"

namespace kivo {
namespace {

const QString kSection = QStringLiteral("Information");
const QString kKey = QStringLiteral("DataPath");

Error UnableToWrite(const QString& path) {
    return Error(("Unable to write to " + path).toStdString());
}

// The file's bytes, one character each; nullopt when it cannot be read.
std::optional<QString> ReadBytes(const QString& settingsPath) {
    QFile file(settingsPath);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return QString::fromLatin1(file.readAll());
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

// The file's present text (empty for a new file), or an Error when it exists but cannot be
// read: writing it then would lose the lines in it.
QString ExistingText(const QString& settingsPath) {
    if (!QFile::exists(settingsPath)) return {};
    const auto text = ReadBytes(settingsPath);
    if (!text) throw UnableToWrite(settingsPath);
    return *text;
}

void ReplaceFile(const QString& settingsPath, const QString& text) {
    QSaveFile file(settingsPath);
    // A writable KIVO.INI in a folder that allows no new files is still written, in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) throw UnableToWrite(settingsPath);
    file.write(text.toLatin1());
    if (!file.commit()) throw UnableToWrite(settingsPath);
}

}  // namespace

QString SettingsPath(const QString& startupFolder) {
    return startupFolder + kSettingsFileName;
}

QString ReadDataPath(const QString& settingsPath, const QString& fallback) {
    const auto text = ReadBytes(settingsPath);
    if (!text) return fallback;
    const auto value = IniValue(*text, kSection, kKey);
    return value ? ValueText(*value) : fallback;
}

QStringList ReadRecentFiles(const QString& settingsPath) {
    QStringList files;
    const auto text = ReadBytes(settingsPath);
    if (!text) return files;
    for (int number = 1; number <= kRecentFileCount; ++number) {
        const auto value = IniValue(*text, kRecentFilesSection, RecentKey(number));
        if (!value || value->isEmpty()) continue;
        const QString path = ValueText(*value);
        if (!files.contains(path)) files << path;
    }
    return files;
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
