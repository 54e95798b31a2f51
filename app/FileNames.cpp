// Path splitting on the separators alone, with no look at the disk, so a name keeps exactly
// the characters the user gave; and the UTF-8 conversion to std::filesystem.
#include "app/FileNames.h"

#include <QDir>

namespace kivo {
namespace {

bool IsSeparator(QChar c) {
#ifdef Q_OS_WIN
    if (c == QLatin1Char('\\')) return true;
#endif
    return c == QLatin1Char('/');
}

qsizetype LastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (IsSeparator(path[i])) return i;
    }
    return -1;
}

}  // namespace

QString NamePart(const QString& path) {
    return path.mid(LastSeparator(path) + 1);
}

QString FolderPart(const QString& path) {
    return path.left(LastSeparator(path) + 1);
}

QString WithTrailingSeparator(const QString& folder) {
    if (!folder.isEmpty() && IsSeparator(folder.back())) return folder;
    return folder + QDir::separator();
}

QString UpperAscii(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 'a' + 'A');
    }
    return result;
}

QString TitleFor(const QString& base, const QString& shortName) {
    if (shortName.isEmpty()) return base;
    return base + QStringLiteral(" - ") + UpperAscii(shortName);
}

std::filesystem::path ToFsPath(const QString& path) {
    const QByteArray utf8 = path.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace kivo
