// Line-by-line INI handling: sections and keys matched case-insensitively, comments and
// line endings left as they were.
#include "app/IniText.h"

#include <QStringList>
#include <utility>

namespace kivo {
namespace {

// A line without its carriage return, for matching.
QString Bare(const QString& line) {
    return line.endsWith(QLatin1Char('\r')) ? line.chopped(1).trimmed() : line.trimmed();
}

std::optional<QString> SectionName(const QString& line) {
    const QString bare = Bare(line);
    if (bare.size() < 2 || !bare.startsWith(QLatin1Char('[')) || !bare.endsWith(QLatin1Char(']'))) {
        return std::nullopt;
    }
    return bare.mid(1, bare.size() - 2).trimmed();
}

// A "Key=Value" line's key and value, blanks around each removed; nothing for a comment or
// another line.
std::optional<std::pair<QString, QString>> KeyAndValue(const QString& line) {
    const QString bare = Bare(line);
    if (bare.startsWith(QLatin1Char(';')) || bare.startsWith(QLatin1Char('#'))) return std::nullopt;
    const qsizetype equals = bare.indexOf(QLatin1Char('='));
    if (equals < 0) return std::nullopt;
    return std::pair(bare.left(equals).trimmed(), bare.mid(equals + 1).trimmed());
}

bool IsKeyLine(const QString& line, const QString& key, QString* value = nullptr) {
    const auto entry = KeyAndValue(line);
    if (!entry || entry->first.compare(key, Qt::CaseInsensitive) != 0) return false;
    if (value != nullptr) *value = entry->second;
    return true;
}

bool IsSection(const QString& line, const QString& section) {
    const auto name = SectionName(line);
    return name && name->compare(section, Qt::CaseInsensitive) == 0;
}

// Index of the section's header line, or -1.
qsizetype FindSection(const QStringList& lines, const QString& section) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IsSection(lines[i], section)) return i;
    }
    return -1;
}

// One past the section's last line: the next section header or the end.
qsizetype SectionEnd(const QStringList& lines, qsizetype header) {
    qsizetype i = header + 1;
    while (i < lines.size() && !SectionName(lines[i])) ++i;
    return i;
}

}  // namespace

std::optional<QString> IniValue(const QString& text, const QString& section, const QString& key) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    const qsizetype header = FindSection(lines, section);
    if (header < 0) return std::nullopt;
    const qsizetype end = SectionEnd(lines, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        QString value;
        if (IsKeyLine(lines[i], key, &value)) return value;
    }
    return std::nullopt;
}

IniSections ReadIniSections(const QString& text) {
    IniSections sections;
    QHash<QString, QString>* current = nullptr;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (const auto name = SectionName(line)) {
            // A later section of a name already seen is not read, as IniValue reads none.
            const QString key = name->toLower();
            current = sections.contains(key) ? nullptr : &sections[key];
            continue;
        }
        if (current == nullptr) continue;
        if (const auto entry = KeyAndValue(line)) {
            const QString key = entry->first.toLower();
            if (!current->contains(key)) current->insert(key, entry->second);
        }
    }
    return sections;
}

QString WithIniValue(const QString& text, const QString& section, const QString& key,
                     const QString& value) {
    const bool crlf = text.contains(QStringLiteral("\r\n"));
    const QString cr = crlf ? QStringLiteral("\r") : QString();
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final newline leaves one empty piece after it; keep it as the end.
    const bool endsWithNewline = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    if (endsWithNewline) lines.removeLast();

    const QString entry = key + QLatin1Char('=') + value + cr;
    const qsizetype header = FindSection(lines, section);
    if (header < 0) {
        if (!lines.isEmpty() && !Bare(lines.constLast()).isEmpty()) lines.append(cr);
        lines.append(QLatin1Char('[') + section + QLatin1Char(']') + cr);
        lines.append(entry);
    } else {
        const qsizetype end = SectionEnd(lines, header);
        qsizetype insertAt = header + 1;
        bool replaced = false;
        for (qsizetype i = header + 1; i < end && !replaced; ++i) {
            if (IsKeyLine(lines[i], key)) {
                lines[i] = entry;
                replaced = true;
            } else if (!Bare(lines[i]).isEmpty()) {
                insertAt = i + 1;
            }
        }
        if (!replaced) lines.insert(insertAt, entry);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString WithoutIniValue(const QString& text, const QString& section, const QString& key) {
    QStringList lines = text.split(QLatin1Char('\n'));
    const qsizetype header = FindSection(lines, section);
    if (header < 0) return text;
    const qsizetype end = SectionEnd(lines, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (IsKeyLine(lines[i], key)) {
            lines.removeAt(i);
            return lines.join(QLatin1Char('\n'));
        }
    }
    return text;
}

}  // namespace kivo
