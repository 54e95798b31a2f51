#pragma once

#include <QImage>
#include <QWidget>

#include "model/ClientRecord.h"
#include "model/Questionnaire.h"

namespace kivo::test {

// Answers items 1..count of `form`'s condition 0 or 1 with `code`.
inline void Answer(ClientRecord& record, int condition, int count, char code) {
    for (int item = 1; item <= count; ++item) {
        record.Responses[ResponseIndex(condition, item)] = code;
    }
}

// A client with every detail filled in: long form, condition 1 answered 'D' throughout,
// condition 2 blank.
inline ClientRecord FullClient() {
    ClientRecord r{};
    ResetClientRecord(r);
    WriteTextField(r.FirstName, "Anna");
    WriteTextField(r.LastName, "M\xC3\xBCller");  // Müller, stored in Windows-1252
    WriteTextField(r.Gender, "F");
    WriteTextField(r.BirthDate, "03/04/1950");
    r.TestForm = kLongForm;
    WriteTextField(r.HearingAid1, "Behind the ear, omni");
    WriteTextField(r.Ear1, "Left");
    WriteTextField(r.Coupling1, "Open dome");
    WriteTextField(r.TestDate1, "01/02/2024");
    r.Experience1 = 2;
    WriteTextField(r.HearingAid2, "In the canal");
    WriteTextField(r.Ear2, "Both");
    WriteTextField(r.Coupling2, "Custom");
    WriteTextField(r.TestDate2, "15/03/2024");
    r.Experience2 = 3;
    WriteTextField(r.Comments, "Wears both aids daily.\r\nPrefers the second fitting.");
    Answer(r, 0, ItemCount(kLongForm), 'D');
    return r;
}

// What a widget shows, painted now.
inline QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace kivo::test
