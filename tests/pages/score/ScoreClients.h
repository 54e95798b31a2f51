// The client the score page tests show and how they grab what a page painted: shared by the
// tests of the pages on their own and in the main window.
#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "model/ClientRecord.h"
#include "model/Questionnaire.h"
#include "tests/support/ClientBuilder.h"

namespace kivo::test {

// Answers items 1..count of condition 0 or 1 of an existing record with `code`.
inline void Answer(ClientRecord& record, int condition, int count, char code) {
    for (int item = 1; item <= count; ++item) {
        record.Responses[ResponseIndex(condition, item)] = code;
    }
}

// A client with every detail filled in: long form, condition 1 answered 'D' throughout,
// condition 2 blank.
inline ClientRecord FullClient() {
    return ClientBuilder()
        .Name("M\xC3\xBCller", "Anna")  // Müller, stored in Windows-1252
        .Gender("F")
        .BirthDate("03/04/1950")
        .Form(kLongForm)
        .Fitting1({"Behind the ear, omni", "Left", "Open dome", "01/02/2024", 2})
        .Fitting2({"In the canal", "Both", "Custom", "15/03/2024", 3})
        .Comments("Wears both aids daily.\r\nPrefers the second fitting.")
        .Answers(0, std::string(static_cast<std::size_t>(ItemCount(kLongForm)), 'D'))
        .Build();
}

// What a widget shows, painted now.
inline QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace kivo::test
