// kivo-cli show: every field of one client file as a JSON object.
#include <cstdio>
#include <span>

#include "cli/ClientInput.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Messages.h"
#include "cli/ScoreFields.h"
#include "model/Cp1252.h"
#include "model/Questionnaire.h"

namespace kivo::cli {
namespace {

std::string JsonText(std::span<const char> field) {
    return JsonString(ReadTextField(field));
}

void ShowRecord(const ClientRecord& r, std::ostream& out) {
    out << "{\n"
        << "  \"Signature\": " << JsonText(r.Signature) << ",\n"
        << "  \"LastName\": " << JsonText(r.LastName) << ",\n"
        << "  \"FirstName\": " << JsonText(r.FirstName) << ",\n"
        << "  \"MiddleInitial\": " << JsonText(r.MiddleInitial) << ",\n"
        << "  \"ClientId\": " << JsonText(r.ClientId) << ",\n"
        << "  \"TestForm\": " << r.TestForm << ",\n"
        << "  \"Gender\": " << JsonText(r.Gender) << ",\n"
        << "  \"BirthDate\": " << JsonText(r.BirthDate) << ",\n"
        << "  \"HearingAid1\": " << JsonText(r.HearingAid1) << ",\n"
        << "  \"Ear1\": " << JsonText(r.Ear1) << ",\n"
        << "  \"Coupling1\": " << JsonText(r.Coupling1) << ",\n"
        << "  \"TestDate1\": " << JsonText(r.TestDate1) << ",\n"
        << "  \"Experience1\": " << r.Experience1 << ",\n"
        << "  \"HearingAid2\": " << JsonText(r.HearingAid2) << ",\n"
        << "  \"Ear2\": " << JsonText(r.Ear2) << ",\n"
        << "  \"Coupling2\": " << JsonText(r.Coupling2) << ",\n"
        << "  \"TestDate2\": " << JsonText(r.TestDate2) << ",\n"
        << "  \"Experience2\": " << r.Experience2 << ",\n"
        << "  \"Comments\": " << JsonText(r.Comments) << ",\n"
        << "  \"Responses\": {\n"
        << "    \"condition1\": "
        << JsonString(Cp1252ToUtf8(std::string_view(r.Responses, kMaxItems))) << ",\n"
        << "    \"condition2\": "
        << JsonString(Cp1252ToUtf8(std::string_view(r.Responses + kMaxItems, kMaxItems)))
        << "\n  }\n}\n";
}

}  // namespace

int Show(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return UsageError(err, "show needs exactly one FILE");
    ClientRecord record;
    if (!ReadOneClientFile(args[0], record, err)) return 1;
    ShowRecord(record, out);
    if (const std::string failure = FlushFailure(out); !failure.empty()) {
        PrintMessage(err, "cannot write standard output: " + failure);
        return 1;
    }
    return 0;
}

}  // namespace kivo::cli
