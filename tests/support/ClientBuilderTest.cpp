// The client builder every fixture relies on: each setter lands in its own field as the
// program stores it, and a value the record cannot hold fails instead of being cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>

#include "tests/support/ClientBuilder.h"

namespace kivo::test {
namespace {

TEST(ClientBuilder, StartsFromTheEmptyRecord) {
    ClientRecord empty;
    ResetClientRecord(empty);
    EXPECT_EQ(ToImage(ClientBuilder().Build()), ToImage(empty));
}

// Copies `bytes` to the start of a field, as a hand-made expectation.
void Put(std::span<char> field, std::string_view bytes) {
    std::copy(bytes.begin(), bytes.end(), field.begin());
}

// Each setter against the same change made by hand on the empty record: the whole image must
// match, so a setter that writes the wrong field, or one field too many, fails.
TEST(ClientBuilder, EachSetterWritesItsOwnFieldsAndNothingElse) {
    struct Case {
        const char* what;
        std::function<void(ClientBuilder&)> set;
        std::function<void(ClientRecord&)> byHand;
    };
    const Case cases[] = {
        {"name in Windows-1252", [](auto& b) { b.Name("M\xC3\xBCller", "Anna", "Q"); },
         [](auto& r) {
             Put(r.LastName, "M\xFCller");
             Put(r.FirstName, "Anna");
             Put(r.MiddleInitial, "Q");
         }},
        {"client id", [](auto& b) { b.ClientId("ID-7"); },
         [](auto& r) { Put(r.ClientId, "ID-7"); }},
        {"gender", [](auto& b) { b.Gender("F"); }, [](auto& r) { Put(r.Gender, "F"); }},
        {"birth date", [](auto& b) { b.BirthDate("01/02/1950"); },
         [](auto& r) { Put(r.BirthDate, "01/02/1950"); }},
        {"both fittings",
         [](auto& b) {
             b.Fitting1({"Aid one", "Left", "Open", "03/04/2013", 2})
                 .Fitting2({"Aid two", "Both", "Vented", "05/06/2013", 3});
         },
         [](auto& r) {
             Put(r.HearingAid1, "Aid one");
             Put(r.Ear1, "Left");
             Put(r.Coupling1, "Open");
             Put(r.TestDate1, "03/04/2013");
             r.Experience1 = 2;
             Put(r.HearingAid2, "Aid two");
             Put(r.Ear2, "Both");
             Put(r.Coupling2, "Vented");
             Put(r.TestDate2, "05/06/2013");
             r.Experience2 = 3;
         }},
        {"comments", [](auto& b) { b.Comments("One.\r\nTwo."); },
         [](auto& r) { Put(r.Comments, "One.\r\nTwo."); }},
        {"form outside the known ones", [](auto& b) { b.Form(7); },
         [](auto& r) { r.TestForm = 7; }},
        {"answers of the first condition", [](auto& b) { b.Answers(0, "AB"); },
         [](auto& r) { Put(r.Responses, "AB"); }},
        {"last answer of the second condition", [](auto& b) { b.Answer(1, 40, 'G'); },
         [](auto& r) { r.Responses[79] = 'G'; }},
        {"every answer of the second condition",
         [](auto& b) {
             b.AnswerEach(1, [](int item) { return static_cast<char>('0' + item % 10); });
         },
         [](auto& r) {
             Put(std::span(r.Responses).subspan(40), "1234567890123456789012345678901234567890");
         }},
        {"all 80 positions",
         [](auto& b) { b.Responses(std::string(40, 'C') + std::string(40, 'D')); },
         [](auto& r) { Put(r.Responses, std::string(40, 'C') + std::string(40, 'D')); }},
    };
    for (const Case& c : cases) {
        ClientBuilder builder;
        c.set(builder);
        ClientRecord expected;
        ResetClientRecord(expected);
        c.byHand(expected);
        EXPECT_EQ(ToImage(builder.Build()), ToImage(expected)) << c.what;
    }
}

TEST(ClientBuilder, ValuesTheRecordCannotHoldThrow) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"last name of 18 bytes", [] { ClientBuilder().Name(std::string(18, 'x')); }},
        {"text outside Windows-1252", [] { ClientBuilder().Comments("\xE2\x82\xAC\xE2\x98\x83"); }},
        {"79 answer codes", [] { ClientBuilder().Responses(std::string(79, 'A')); }},
        {"condition 2", [] { ClientBuilder().Answer(2, 1, 'A'); }},
        {"item 41", [] { ClientBuilder().Answers(1, std::string(41, 'A')); }},
        {"item 0", [] { ClientBuilder().Answer(0, 0, 'A'); }},
        {"ear of 6 bytes", [] { ClientBuilder().Fitting2({.ear = "Either"}); }},
    };
    for (const auto& [what, build] : cases) EXPECT_THROW(build(), std::invalid_argument) << what;
    EXPECT_NO_THROW(ClientBuilder().Name(std::string(17, 'x'))) << "17 bytes and the NUL fit";
}

}  // namespace
}  // namespace kivo::test
