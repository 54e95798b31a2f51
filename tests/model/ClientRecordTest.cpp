// The client record's layout and its text fields: offsets, blank records, Windows-1252
// text written and read without overrunning a field.
#include <gtest/gtest.h>

#include <cstring>

#include "model/ClientRecord.h"
#include "model/Questionnaire.h"

using namespace kivo;

namespace {

ClientRecord Reset() {
    ClientRecord r;
    std::memset(&r, 0x5A, sizeof r);  // garbage first, so reset has to clear everything
    ResetClientRecord(r);
    return r;
}

}  // namespace

TEST(ClientRecord, ResetImageIsSignatureZerosAndBlanks) {
    const auto image = ToImage(Reset());
    ASSERT_EQ(image.size(), 552u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data()), 5), "KIVO1");
    for (std::size_t i = 5; i < 472; ++i) EXPECT_EQ(image[i], 0) << "offset " << i;
    for (std::size_t i = 472; i < 552; ++i) EXPECT_EQ(image[i], ' ') << "offset " << i;
}

TEST(ClientRecord, ResetMeansShortFormANoAnswersShortestExperience) {
    const auto r = Reset();
    EXPECT_EQ(r.TestForm, 0);
    EXPECT_EQ(r.Experience1, 0);
    EXPECT_EQ(r.Experience2, 0);
    EXPECT_EQ(r.Reserved, 0);
    EXPECT_EQ(ReadTextField(r.LastName), "");
}

TEST(ClientRecord, IntegersAreLittleEndianAtTheirOffsets) {
    auto r = Reset();
    r.TestForm = 0x01020304;
    r.Experience1 = -2;
    r.Experience2 = 3;
    const auto image = ToImage(r);
    EXPECT_EQ(image[72], 0x04);
    EXPECT_EQ(image[75], 0x01);
    EXPECT_EQ(image[148], 0xFE);
    EXPECT_EQ(image[151], 0xFF);
    EXPECT_EQ(image[212], 3);
}

TEST(ClientRecord, AnswersLandAtTheirFileOffsets) {
    auto r = Reset();
    r.Responses[ResponseIndex(1, 40)] = 'E';  // long form, item 40, condition 2
    r.Responses[ResponseIndex(1, 28)] = 'C';  // short form, item 28, condition 2
    r.Responses[ResponseIndex(0, 1)] = 'A';
    const auto image = ToImage(r);
    EXPECT_EQ(image[551], 'E');
    EXPECT_EQ(image[539], 'C');
    EXPECT_EQ(image[472], 'A');
}

TEST(ClientRecord, ImageRoundTripKeepsEveryByte) {
    ClientImage image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<unsigned char>(i * 7 + 3);
    EXPECT_EQ(ToImage(FromImage(image)), image);
}

TEST(TextField, ShorterTextKeepsOldBytesAfterItsNul) {
    auto r = Reset();
    ASSERT_EQ(WriteTextField(r.LastName, "JOHNSON"), TextFieldResult::Ok);
    ASSERT_EQ(WriteTextField(r.LastName, "LEE"), TextFieldResult::Ok);
    EXPECT_EQ(std::string(r.LastName, 8), std::string("LEE\0SON\0", 8));
    EXPECT_EQ(ReadTextField(r.LastName), "LEE");
}

TEST(TextField, FieldWithoutNulReadsItsWholeWidthOnly) {
    auto r = Reset();
    std::memset(r.LastName, 'X', sizeof r.LastName);
    ASSERT_EQ(WriteTextField(r.FirstName, "ANN"), TextFieldResult::Ok);
    EXPECT_EQ(ReadTextField(r.LastName), std::string(18, 'X'));
}

TEST(TextField, WidthLessOneFitsAndOneMoreIsRefusedUntouched) {
    auto r = Reset();
    EXPECT_EQ(WriteTextField(r.ClientId, std::string(13, '7')), TextFieldResult::Ok);
    EXPECT_EQ(ReadTextField(r.ClientId), std::string(13, '7'));
    EXPECT_EQ(WriteTextField(r.ClientId, std::string(14, '8')), TextFieldResult::TooLong);
    EXPECT_EQ(ReadTextField(r.ClientId), std::string(13, '7'));
    // A typographic apostrophe is three bytes of UTF-8 but one byte in the field.
    EXPECT_EQ(WriteTextField(r.MiddleInitial, "\xE2\x80\x99"), TextFieldResult::Ok);
    EXPECT_EQ(static_cast<unsigned char>(r.MiddleInitial[0]), 0x92);
}

TEST(TextField, UnrepresentableTextIsRefusedUntouched) {
    auto r = Reset();
    ASSERT_EQ(WriteTextField(r.LastName, "M\xC3\xBCller"), TextFieldResult::Ok);  // Müller
    const std::string bad[] = {"\xCE\xA9mega", "smile \xF0\x9F\x98\x80", "cut \xC3",
                               std::string("a\0b", 3)};
    for (const auto& text : bad) {
        EXPECT_EQ(WriteTextField(r.LastName, text), TextFieldResult::NotRepresentable) << text;
    }
    EXPECT_EQ(ReadTextField(r.LastName), "M\xC3\xBCller");
}

TEST(TextField, CommentsKeepCrLf) {
    auto r = Reset();
    ASSERT_EQ(WriteTextField(r.Comments, "line one\r\nline two"), TextFieldResult::Ok);
    EXPECT_EQ(ReadTextField(r.Comments), "line one\r\nline two");
}
