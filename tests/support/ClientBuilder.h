// Client records for tests and benchmarks, built from the empty record the program starts with,
// so each fixture states only the details it cares about. Plain C++: model tests use it too.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "model/ClientRecord.h"
#include "model/Questionnaire.h"

namespace kivo::test {

// What the demographics page records about one hearing-aid fitting (one condition).
struct FittingDetails {
    std::string_view hearingAid = {};
    std::string_view ear = {};
    std::string_view coupling = {};
    std::string_view testDate = {};
    std::int32_t experience = 0;
};

// Builds a client record. Texts are UTF-8 and stored in Windows-1252 as the program stores
// them; answers take the condition as ResponseAt does (0 or 1). A text that does not fit its
// field, or an answer outside the record, throws std::invalid_argument: a fixture never holds
// a silently cut value.
//
//   ClientBuilder().Name("Lee", "Ann").Form(kLongForm).Answers(0, "ABCD").Build()
class ClientBuilder {
public:
    // Starts from the empty record: signature, zeros, every answer blank, short form (a).
    ClientBuilder();

    ClientBuilder& Name(std::string_view last, std::string_view first = {},
                        std::string_view middle = {});
    ClientBuilder& ClientId(std::string_view id);
    ClientBuilder& Gender(std::string_view gender);
    ClientBuilder& BirthDate(std::string_view date);
    ClientBuilder& Fitting1(const FittingDetails& fitting);
    ClientBuilder& Fitting2(const FittingDetails& fitting);
    ClientBuilder& Comments(std::string_view comments);
    // Any value, including ones outside the known forms.
    ClientBuilder& Form(FormKind form);

    // All 80 answer positions as they stand in the file: the first condition's 40, then the
    // second's.
    ClientBuilder& Responses(std::string_view codes);
    // Items 1..codes.size() of `condition`, in order.
    ClientBuilder& Answers(int condition, std::string_view codes);
    ClientBuilder& Answer(int condition, int item, char code);
    // Every position 1..kMaxItems of `condition` answered with code(item).
    ClientBuilder& AnswerEach(int condition, const std::function<char(int item)>& code);

    ClientRecord Build() const { return record_; }

private:
    ClientRecord record_{};
};

// The 552 bytes of a client file that holds a client of this last name.
std::vector<unsigned char> ClientImageBytes(const char* lastName);

}  // namespace kivo::test
