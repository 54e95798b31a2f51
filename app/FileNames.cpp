// Path splitting on the separators alone, with no look at the disk, so a name keeps exactly
// the characters the user gave; and the UTF-8 conversion to std::filesystem.
#include "app/FileNames.h"

#include <QDir>
#include <QStringList>

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

namespace {

// What no file name may hold on one of the three systems: Windows' reserved characters
// (':' is macOS's separator too, '/' everyone's) and the control characters.
bool RefusedInFileName(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"<>:\"/\\|?*").contains(c);
}

bool IsWindowsDeviceName(const QString& stem) {
    static const QStringList kDevices = {
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),
        QStringLiteral("NUL"),  QStringLiteral("COM1"), QStringLiteral("COM2"),
        QStringLiteral("COM3"), QStringLiteral("COM4"), QStringLiteral("COM5"),
        QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
        QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
        QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"),
        QStringLiteral("LPT6"), QStringLiteral("LPT7"), QStringLiteral("LPT8"),
        QStringLiteral("LPT9")};
    return kDevices.contains(stem.trimmed(), Qt::CaseInsensitive);
}

}  // namespace

QString SuggestedClientFileName(const QString& lastName, const QString& clientId) {
    QStringList parts;
    if (const QString last = lastName.trimmed().toUpper(); !last.isEmpty()) parts << last;
    if (const QString id = clientId.trimmed(); !id.isEmpty()) parts << id;
    if (parts.isEmpty()) return {};
    QString base = parts.join(QLatin1Char('_'));
    for (QChar& c : base) {
        if (RefusedInFileName(c)) c = QLatin1Char('_');
    }
    if (base.startsWith(QLatin1Char('.'))) base[0] = QLatin1Char('_');
    // Windows takes the part before the first dot as the device's name: "NUL.x.KVO" too.
    const qsizetype dot = base.indexOf(QLatin1Char('.'));
    const qsizetype stemEnd = dot < 0 ? base.size() : dot;
    if (IsWindowsDeviceName(base.left(stemEnd))) base.insert(stemEnd, QLatin1Char('_'));
    return base + QStringLiteral(".KVO");
}

bool SamePath(const QString& a, const QString& b) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    return QDir::cleanPath(QDir::fromNativeSeparators(a))
               .compare(QDir::cleanPath(QDir::fromNativeSeparators(b)), kCase) == 0;
}

std::filesystem::path ToFsPath(const QString& path) {
    const QByteArray utf8 = path.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace kivo
