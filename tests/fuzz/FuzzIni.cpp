// Fuzz target: the KIVO.INI reader and writer. The input is an INI text, optionally followed
// by \x01 section \x01 key \x01 value; a plain name and value set into any text read back.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "app/IniText.h"

namespace {

bool PlainName(const QString& name) {
    if (name.isEmpty()) return false;
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != QLatin1Char('_')) return false;
    }
    return true;
}

bool PlainValue(const QString& value) {
    for (const QChar c : value) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == 0) return false;
    }
    return value == value.trimmed();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList parts = input.split(QChar(1));
    const QString& text = parts[0];
    const QString section = parts.size() > 1 ? parts[1] : QStringLiteral("Information");
    const QString key = parts.size() > 2 ? parts[2] : QStringLiteral("DataPath");
    const QString value = parts.size() > 3 ? parts[3] : QStringLiteral("C:\\KIVO\\Data\\");

    (void)kivo::IniValue(text, section, key);
    const QString written = kivo::WithIniValue(text, section, key, value);
    if (PlainName(section) && PlainName(key) && PlainValue(value)) {
        const auto back = kivo::IniValue(written, section, key);
        if (!back || *back != value) std::abort();
    }
    return 0;
}
