// The real main window with a client loaded as Load would, and the controls of the two data
// entry pages by name: what the demographics and response entry tests share.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <cstring>
#include <string>

#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/ClientBuilder.h"

namespace kivo::test {

// The real main window with its pages, a client loaded into it as Load would, and helpers to
// reach the controls of the two data entry pages.
class EntryPagesTest : public ShellTest {
protected:
    // Starts the program, makes `record` the open client shown on the demographics page, with
    // no unsaved changes and the notice delivered.
    void StartWith(const ClientRecord& record) {
        Start();
        gClientRecord = record;
        Pages().demographics->RecordToControls();
        ClearFileModified();
        Flush();
    }

    // A control of the demographics page / the entry page by name.
    template <typename T>
    T* Demo(const char* name) const {
        return Pages().demographics->findChild<T*>(QString::fromLatin1(name));
    }
    template <typename T>
    T* Entry(const char* name) const {
        return Pages().responseEntry->findChild<T*>(QString::fromLatin1(name));
    }

    void ClickPageButton(const char* name) {
        QTest::mouseClick(Find<QToolButton>(name), Qt::LeftButton);
    }
    void ShowEntryPage() { ClickPageButton("EntryButton"); }
    void ShowDemographicsPage() { ClickPageButton("DemographicsButton"); }

    // Starts with `record` and shows the entry page with the page button, the main window
    // active so that the focus is real.
    void OpenEntryPage(const ClientRecord& record) {
        StartWith(record);
        QApplication::setActiveWindow(main_.get());
        ShowEntryPage();
        Flush();
    }

    // Letter button `letter` ('A'..'G') of item `item` (1-based) in condition 1 or 2.
    QToolButton* Letter(int condition, int item, char letter) const {
        const QString name =
            QStringLiteral("Letter%1_%2_%3").arg(condition).arg(item).arg(QChar(letter));
        return Entry<QToolButton>(name.toLatin1().constData());
    }
    // The list of use item 1..3 in condition 1 or 2.
    QComboBox* UseList(int condition, int useItem) const {
        const QString name = QStringLiteral("UseList%1_%2").arg(condition).arg(useItem);
        return Entry<QComboBox>(name.toLatin1().constData());
    }
    // The letters pressed in one row of the page, as a string ("" when none).
    std::string Pressed(int condition, int item) const {
        std::string letters;
        for (char letter = 'A'; letter <= 'G'; ++letter) {
            if (Letter(condition, item, letter)->isChecked()) letters.push_back(letter);
        }
        return letters;
    }

    static std::string Responses() { return {gClientRecord.Responses, 80}; }
    bool ModifiedShown() const { return main_->StatusPanelText(1) == QStringLiteral(" Modified"); }
};

// A client with every field filled and the given form and answers (80 characters).
inline ClientRecord FullClient(FormKind form, const std::string& responses) {
    return ClientBuilder()
        .Name("Johnson", "Anna", "Q")
        .ClientId("ID-0042")
        .Gender("F")
        .BirthDate("01/02/1950")
        .Fitting1({"Model X (open dome)", "Both", "Open", "03/04/2013", 2})
        .Fitting2({"Modèle Y – € 1200", "Left", "Vented", "05/06/2013", 3})
        .Comments("First line.\r\nSecond line.")
        .Form(form)
        .Responses(responses)
        .Build();
}

// 80 blanks.
inline std::string NoAnswers() {
    return std::string(80, ' ');
}

// Long form: every rated item (1-37) answered A..G in turn in condition 1 and G..A in
// condition 2, so items 26-28 (the use items of the short forms) hold E, F and G in condition 1
// and C, B, A in condition 2; use items 38-40 hold A, B, E and D, C, A.
inline std::string LongFormAnswers() {
    std::string answers = NoAnswers();
    for (int i = 0; i < 37; ++i) {
        answers[static_cast<std::size_t>(i)] = static_cast<char>('A' + i % 7);
        answers[static_cast<std::size_t>(40 + i)] = static_cast<char>('G' - i % 7);
    }
    answers.replace(37, 3, "ABE");
    answers.replace(77, 3, "DCA");
    return answers;
}

}  // namespace kivo::test
