// Blank records, the record <-> file image copy, and reading and writing text fields in
// Windows-1252 without ever overrunning a field.
#include "model/ClientRecord.h"

#include <algorithm>
#include <cstring>

#include "model/Cp1252.h"

namespace kivo {

void ResetClientRecord(ClientRecord& record) {
    std::memset(&record, 0, sizeof record);
    std::memset(record.Responses, kBlankResponse, sizeof record.Responses);
    std::memcpy(record.Signature, kSignature.data(), kSignature.size());
}

ClientImage ToImage(const ClientRecord& record) {
    ClientImage image;
    std::memcpy(image.data(), &record, image.size());
    return image;
}

ClientRecord FromImage(const ClientImage& image) {
    ClientRecord record;
    std::memcpy(&record, image.data(), image.size());
    return record;
}

std::string_view FieldBytes(std::span<const char> field) {
    const auto end = std::find(field.begin(), field.end(), '\0');
    return {field.data(), static_cast<std::size_t>(end - field.begin())};
}

std::string ReadTextField(std::span<const char> field) {
    return Cp1252ToUtf8(FieldBytes(field));
}

TextFieldResult WriteFieldBytes(std::span<char> field, std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return TextFieldResult::NotRepresentable;
    if (field.empty() || bytes.size() > field.size() - 1) return TextFieldResult::TooLong;
    std::memcpy(field.data(), bytes.data(), bytes.size());
    field[bytes.size()] = '\0';
    return TextFieldResult::Ok;
}

TextFieldResult WriteTextField(std::span<char> field, std::string_view text) {
    const auto bytes = Utf8ToCp1252(text);
    if (!bytes) return TextFieldResult::NotRepresentable;
    return WriteFieldBytes(field, *bytes);
}

}  // namespace kivo
