// Windows-1252 <-> QString for the record's text fields and the product content.
#include "drawing/RecordText.h"

#include "model/ClientRecord.h"
#include "model/Cp1252.h"

namespace kivo::drawing {

QString RecordText(std::span<const char> field) {
    return Cp1252Text(FieldBytes(field));
}

QString Cp1252Text(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        text += QChar(static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(byte))));
    }
    return text;
}

QString Utf8Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool FitsCp1252(QStringView text) {
    for (const QChar c : text) {
        if (c.isNull() || c.isSurrogate() || !CodePointToCp1252(c.unicode())) return false;
    }
    return true;
}

std::string ToCp1252(QStringView text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c.isNull() || c.isSurrogate()) continue;
        if (const auto byte = CodePointToCp1252(c.unicode()))
            bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

}  // namespace kivo::drawing
