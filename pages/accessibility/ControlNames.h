// Spoken names for controls whose visible label a screen reader cannot tie to them by itself:
// labels linked to their boxes, and names for controls whose label is shared.
#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

class QAbstractButton;
class QComboBox;
class QWidget;

namespace kivo {

// One control of `root`, found by object name, and the name a screen reader says for it.
struct SpokenName {
    const char* control;
    QString name;
    QString description = {};
};

// Sets the accessible name (and description, when given) of each named control under `root`.
// A control that is not there is left out.
void NameControls(QWidget& root, std::initializer_list<SpokenName> names);

// Names a list and, when it takes typing, its text box, which has the focus while typing.
void NameList(QComboBox& list, const QString& name);

// Links each label to the box it stands by (QLabel::setBuddy), by object names.
void LinkLabels(QWidget& root, std::initializer_list<std::pair<const char*, const char*>> pairs);

// The demographics page: every box, list and option named from its label, each condition's
// controls with their condition ("Condition 2, date of test").
void NameDemographicsControls(QWidget& page);

// A checkable button of an exclusive group is reported as a radio button with its checked
// state, so a screen reader says which one is down. Called as the button is made: Qt keeps the
// first interface it makes for a widget.
void SpeakAsRadioButton(QAbstractButton& button);
inline constexpr const char* kSpeakAsRadioButton = "kivoSpeakAsRadioButton";

}  // namespace kivo
