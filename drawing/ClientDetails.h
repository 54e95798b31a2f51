// The client's details as the subscale scores page and the printed score report label them:
// one formatter, so the screen and the paper always say the same about a client.
#pragma once

#include <QString>
#include <array>

#include "model/ClientRecord.h"

namespace kivo::drawing {

// One test condition's labelled texts.
struct ConditionDetails {
    QString hearingAid;  // the condition's text as stored, unlabelled
    QString ear;         // "Ear: ..."
    QString coupling;    // "Coupling: ..."
    QString testDate;    // "Date of Test: ..."
    QString experience;  // "HA Experience: ..." (the prefix alone for a value outside 0..3)
};

struct ClientDetails {
    QString lastName;  // the name parts as stored, for each target's own name line
    QString firstName;
    QString middleInitial;
    QString gender;     // "Gender: ..."
    QString birthDate;  // "Date of Birth: ..."
    QString testForm;   // "Test Form: ..." (the prefix alone for an unknown form)
    std::array<ConditionDetails, 2> conditions;
    QString comments;  // as stored, CR LF line breaks kept
};

ClientDetails ClientDetailsOf(const ClientRecord& record);

}  // namespace kivo::drawing
