// The client record builder: every setter writes through the program's own field writers, so a
// fixture's bytes are the bytes the program would store for the same details.
#include "tests/support/ClientBuilder.h"

#include <cstring>
#include <span>
#include <stdexcept>
#include <string>

namespace kivo::test {
namespace {

void Write(std::span<char> field, std::string_view text, const std::string& what) {
    if (WriteTextField(field, text) != TextFieldResult::Ok) {
        throw std::invalid_argument(what + " cannot hold \"" + std::string(text) + "\"");
    }
}

// The record's fields of one fitting; `condition` is the digit their names end with.
struct FittingFields {
    std::span<char> hearingAid;
    std::span<char> ear;
    std::span<char> coupling;
    std::span<char> testDate;
    std::int32_t& experience;
    char condition;
};

void WriteFitting(const FittingFields& to, const FittingDetails& from) {
    const auto name = [&](const char* field) { return std::string(field) + to.condition; };
    Write(to.hearingAid, from.hearingAid, name("HearingAid"));
    Write(to.ear, from.ear, name("Ear"));
    Write(to.coupling, from.coupling, name("Coupling"));
    Write(to.testDate, from.testDate, name("TestDate"));
    to.experience = from.experience;
}

}  // namespace

ClientBuilder::ClientBuilder() {
    ResetClientRecord(record_);
}

ClientBuilder& ClientBuilder::Name(std::string_view last, std::string_view first,
                                   std::string_view middle) {
    Write(record_.LastName, last, "LastName");
    Write(record_.FirstName, first, "FirstName");
    Write(record_.MiddleInitial, middle, "MiddleInitial");
    return *this;
}

ClientBuilder& ClientBuilder::ClientId(std::string_view id) {
    Write(record_.ClientId, id, "ClientId");
    return *this;
}

ClientBuilder& ClientBuilder::Gender(std::string_view gender) {
    Write(record_.Gender, gender, "Gender");
    return *this;
}

ClientBuilder& ClientBuilder::BirthDate(std::string_view date) {
    Write(record_.BirthDate, date, "BirthDate");
    return *this;
}

ClientBuilder& ClientBuilder::Fitting1(const FittingDetails& fitting) {
    WriteFitting({record_.HearingAid1, record_.Ear1, record_.Coupling1, record_.TestDate1,
                  record_.Experience1, '1'},
                 fitting);
    return *this;
}

ClientBuilder& ClientBuilder::Fitting2(const FittingDetails& fitting) {
    WriteFitting({record_.HearingAid2, record_.Ear2, record_.Coupling2, record_.TestDate2,
                  record_.Experience2, '2'},
                 fitting);
    return *this;
}

ClientBuilder& ClientBuilder::Comments(std::string_view comments) {
    Write(record_.Comments, comments, "Comments");
    return *this;
}

ClientBuilder& ClientBuilder::Form(FormKind form) {
    record_.TestForm = form;
    return *this;
}

ClientBuilder& ClientBuilder::Responses(std::string_view codes) {
    if (codes.size() != sizeof record_.Responses) {
        throw std::invalid_argument("Responses takes " + std::to_string(sizeof record_.Responses) +
                                    " codes, not " + std::to_string(codes.size()));
    }
    std::memcpy(record_.Responses, codes.data(), codes.size());
    return *this;
}

ClientBuilder& ClientBuilder::Answers(int condition, std::string_view codes) {
    int item = 0;
    for (const char code : codes) Answer(condition, ++item, code);
    return *this;
}

ClientBuilder& ClientBuilder::Answer(int condition, int item, char code) {
    const int index = ResponseIndex(condition, item);
    if (index < 0) {
        throw std::invalid_argument("no answer position for condition " +
                                    std::to_string(condition) + ", item " + std::to_string(item));
    }
    record_.Responses[index] = code;
    return *this;
}

ClientBuilder& ClientBuilder::AnswerEach(int condition, const std::function<char(int item)>& code) {
    for (int item = 1; item <= kMaxItems; ++item) Answer(condition, item, code(item));
    return *this;
}

std::vector<unsigned char> ClientImageBytes(const char* lastName) {
    const auto image = ToImage(ClientBuilder().Name(lastName).Build());
    return {image.begin(), image.end()};
}

}  // namespace kivo::test
