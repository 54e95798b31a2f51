// The client record: the exact layout of a .KVO file, kept as one struct so that loading and
// saving are a copy, plus the text-field helpers that keep every field NUL-ended.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kivo {

// The open client, byte for byte the same as a .KVO client file. Text fields hold
// Windows-1252 text ended by a NUL inside the field; integers are 32-bit little-endian.
struct ClientRecord {
    char Signature[20];
    char LastName[18];
    char FirstName[18];
    char MiddleInitial[2];
    char ClientId[14];
    std::int32_t TestForm;
    char Gender[2];
    char BirthDate[11];
    char HearingAid1[30];
    char Ear1[6];
    char Coupling1[12];
    char TestDate1[11];
    std::int32_t Experience1;
    char HearingAid2[30];
    char Ear2[6];
    char Coupling2[12];
    char TestDate2[11];
    std::uint8_t Reserved;  // never written; carried through load and save unchanged
    std::int32_t Experience2;
    char Comments[256];
    char Responses[80];
};

constexpr std::size_t kClientRecordSize = 552;
constexpr std::string_view kSignature = "KIVO1";
constexpr char kBlankResponse = ' ';

static_assert(std::endian::native == std::endian::little,
              "the record image is little-endian and is copied as it stands");
static_assert(sizeof(ClientRecord) == kClientRecordSize);
static_assert(offsetof(ClientRecord, Signature) == 0);
static_assert(offsetof(ClientRecord, LastName) == 20);
static_assert(offsetof(ClientRecord, FirstName) == 38);
static_assert(offsetof(ClientRecord, MiddleInitial) == 56);
static_assert(offsetof(ClientRecord, ClientId) == 58);
static_assert(offsetof(ClientRecord, TestForm) == 72);
static_assert(offsetof(ClientRecord, Gender) == 76);
static_assert(offsetof(ClientRecord, BirthDate) == 78);
static_assert(offsetof(ClientRecord, HearingAid1) == 89);
static_assert(offsetof(ClientRecord, Ear1) == 119);
static_assert(offsetof(ClientRecord, Coupling1) == 125);
static_assert(offsetof(ClientRecord, TestDate1) == 137);
static_assert(offsetof(ClientRecord, Experience1) == 148);
static_assert(offsetof(ClientRecord, HearingAid2) == 152);
static_assert(offsetof(ClientRecord, Ear2) == 182);
static_assert(offsetof(ClientRecord, Coupling2) == 188);
static_assert(offsetof(ClientRecord, TestDate2) == 200);
static_assert(offsetof(ClientRecord, Reserved) == 211);
static_assert(offsetof(ClientRecord, Experience2) == 212);
static_assert(offsetof(ClientRecord, Comments) == 216);
static_assert(offsetof(ClientRecord, Responses) == 472);

using ClientImage = std::array<unsigned char, kClientRecordSize>;

// Empty state: all zero, 80 blank answers, signature "KIVO1".
void ResetClientRecord(ClientRecord& record);

ClientImage ToImage(const ClientRecord& record);
ClientRecord FromImage(const ClientImage& image);

// --- Text fields ------------------------------------------------------------------

// The field's bytes up to its first NUL, never beyond its width.
std::string_view FieldBytes(std::span<const char> field);

// The field's text decoded to UTF-8 (up to the first NUL or the width).
std::string ReadTextField(std::span<const char> field);

enum class TextFieldResult { Ok, TooLong, NotRepresentable };

// Writes UTF-8 `text` and its NUL at the start of the field; bytes after the NUL keep
// what they held. Refuses (and leaves the field untouched) text that needs more than
// width - 1 bytes, holds a NUL, or cannot be written in Windows-1252.
TextFieldResult WriteTextField(std::span<char> field, std::string_view text);

// As WriteTextField for text already in Windows-1252 bytes.
TextFieldResult WriteFieldBytes(std::span<char> field, std::string_view bytes);

}  // namespace kivo
