// Labelled client details from the record, shared by the score page and the printed report.
#include "drawing/ClientDetails.h"

#include "drawing/ExperienceText.h"
#include "drawing/RecordText.h"
#include "model/Questionnaire.h"

namespace kivo::drawing {
namespace {

ConditionDetails ConditionOf(std::span<const char> hearingAid, std::span<const char> ear,
                             std::span<const char> coupling, std::span<const char> testDate,
                             std::int32_t experience) {
    return {RecordText(hearingAid), "Ear: " + RecordText(ear), "Coupling: " + RecordText(coupling),
            "Date of Test: " + RecordText(testDate),
            "HA Experience: " + Utf8Text(ExperienceText(experience))};
}

}  // namespace

ClientDetails ClientDetailsOf(const ClientRecord& r) {
    return {RecordText(r.LastName),
            RecordText(r.FirstName),
            RecordText(r.MiddleInitial),
            "Gender: " + RecordText(r.Gender),
            "Date of Birth: " + RecordText(r.BirthDate),
            "Test Form: " + Utf8Text(FormKindName(r.TestForm)),
            {ConditionOf(r.HearingAid1, r.Ear1, r.Coupling1, r.TestDate1, r.Experience1),
             ConditionOf(r.HearingAid2, r.Ear2, r.Coupling2, r.TestDate2, r.Experience2)},
            RecordText(r.Comments)};
}

}  // namespace kivo::drawing
