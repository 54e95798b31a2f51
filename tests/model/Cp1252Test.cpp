// Windows-1252 <-> UTF-8: every byte round-trips, and text that cannot be written is refused.
#include <gtest/gtest.h>

#include "model/Cp1252.h"

using namespace kivo;

TEST(Cp1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1252, KnownCharacters) {
    struct Case {
        unsigned char byte;
        const char* utf8;
    };
    const Case cases[] = {
        {0x41, "A"},
        {0x80, "\xE2\x82\xAC"},  // euro
        {0x92, "\xE2\x80\x99"},  // right single quotation mark
        {0x96, "\xE2\x80\x93"},  // en dash
        {0xA9, "\xC2\xA9"},      // copyright
        {0xE9, "\xC3\xA9"},      // e acute
        {0x81, "\xC2\x81"},      // undefined in Windows-1252: kept as the C1 control
    };
    for (const auto& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(Cp1252ToUtf8(byte), c.utf8) << int{c.byte};
        EXPECT_EQ(Utf8ToCp1252(c.utf8), byte) << int{c.byte};
    }
}

TEST(Cp1252, RefusesWhatItCannotHoldAndMalformedUtf8) {
    const char* bad[] = {
        "\xCE\xA9",          // Greek omega
        "\xE4\xB8\xAD",      // CJK
        "\xF0\x9F\x98\x80",  // emoji
        "\xC3",              // cut sequence
        "\xC0\x80",          // overlong NUL
        "\xED\xA0\x80",      // surrogate
        "\x80",              // stray continuation byte
    };
    for (const char* text : bad) EXPECT_FALSE(Utf8ToCp1252(text).has_value()) << text;
}
