// Reading and writing DataPath in KIVO.INI, through a save file so that a failed write
// never loses the other settings.
#include "app/Settings.h"

#include <QFile>
#include <QSaveFile>

#include "app/IniText.h"
#include "model/Error.h"

namespace kivo {
namespace {

const QString kSection = QStringLiteral("Information");
const QString kKey = QStringLiteral("DataPath");

Error UnableToWrite(const QString& path) {
    return Error(("Unable to write to " + path).toStdString());
}

}  // namespace

QString SettingsPath(const QString& startupFolder) {
    return startupFolder + kSettingsFileName;
}

QString ReadDataPath(const QString& settingsPath, const QString& fallback) {
    QFile file(settingsPath);
    if (!file.open(QIODevice::ReadOnly)) return fallback;
    return IniValue(QString::fromUtf8(file.readAll()), kSection, kKey).value_or(fallback);
}

void WriteDataPath(const QString& settingsPath, const QString& dataPath) {
    QString text;
    QFile existing(settingsPath);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) throw UnableToWrite(settingsPath);
        text = QString::fromUtf8(existing.readAll());
        existing.close();
    }
    QSaveFile file(settingsPath);
    // A writable KIVO.INI in a folder that allows no new files is still written, in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) throw UnableToWrite(settingsPath);
    file.write(WithIniValue(text, kSection, kKey, dataPath).toUtf8());
    if (!file.commit()) throw UnableToWrite(settingsPath);
}

}  // namespace kivo
