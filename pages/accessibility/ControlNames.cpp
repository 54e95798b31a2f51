// The spoken names of the demographics page's controls, and the helpers that set names and
// link labels by object name.
#include "pages/accessibility/ControlNames.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QWidget>

namespace kivo {

void NameControls(QWidget& root, std::initializer_list<SpokenName> names) {
    for (const SpokenName& spoken : names) {
        auto* control = root.findChild<QWidget*>(QString::fromLatin1(spoken.control));
        if (control == nullptr) continue;
        if (auto* list = qobject_cast<QComboBox*>(control)) {
            NameList(*list, spoken.name);
        } else {
            control->setAccessibleName(spoken.name);
        }
        if (!spoken.description.isEmpty()) control->setAccessibleDescription(spoken.description);
    }
}

void NameList(QComboBox& list, const QString& name) {
    list.setAccessibleName(name);
    // Typing goes to the list's text box, which is what a screen reader announces then.
    if (list.lineEdit() != nullptr) list.lineEdit()->setAccessibleName(name);
}

void LinkLabels(QWidget& root, std::initializer_list<std::pair<const char*, const char*>> pairs) {
    for (const auto& [label, control] : pairs) {
        auto* l = root.findChild<QLabel*>(QString::fromLatin1(label));
        auto* c = root.findChild<QWidget*>(QString::fromLatin1(control));
        if (l != nullptr && c != nullptr) l->setBuddy(c);
    }
}

void NameDemographicsControls(QWidget& page) {
    const QString date = QStringLiteral("mm/dd/yyyy");
    LinkLabels(page, {{"LastNameLabel", "EditLastName"},
                      {"FirstNameLabel", "EditFirstName"},
                      {"MiLabel", "EditMI"},
                      {"IdLabel", "EditID"},
                      {"FormLabel", "ComboForm"},
                      {"GenderLabel", "ComboGender"},
                      {"BirthDateLabel", "EditDOB"},
                      {"CommentsLabel", "CommentsMemo"}});
    NameControls(page, {{"EditLastName", QStringLiteral("Last Name")},
                        {"EditFirstName", QStringLiteral("First Name")},
                        {"EditMI", QStringLiteral("MI"), QStringLiteral("Middle initial")},
                        {"EditID", QStringLiteral("ID#")},
                        {"ComboForm", QStringLiteral("Form")},
                        {"ComboGender", QStringLiteral("Gender")},
                        {"EditDOB", QStringLiteral("Birth Date"), date},
                        {"CommentsMemo", QStringLiteral("Comments"),
                         QStringLiteral("At most 255 characters")}});
    for (int n = 1; n <= 2; ++n) {
        const QString condition = QStringLiteral("Condition %1, ").arg(n);
        const QByteArray text = QStringLiteral("EditConditionText%1").arg(n).toLatin1();
        const QByteArray ears = QStringLiteral("ComboEars%1").arg(n).toLatin1();
        const QByteArray coupling = QStringLiteral("ComboCoupling%1").arg(n).toLatin1();
        const QByteArray testDate = QStringLiteral("EditTestDate%1").arg(n).toLatin1();
        const QByteArray experience =
            QStringLiteral("Condition%1ExperienceGroup").arg(n).toLatin1();
        // Each label stands in its condition's box: it is the box's own, and the name adds
        // the condition, which the label leaves to the box's title.
        LinkLabels(page, {{QStringLiteral("Condition%1InfoLabel").arg(n).toLatin1().constData(),
                           text.constData()},
                          {QStringLiteral("Condition%1EarsLabel").arg(n).toLatin1().constData(),
                           ears.constData()},
                          {QStringLiteral("Condition%1CouplingLabel").arg(n).toLatin1().constData(),
                           coupling.constData()},
                          {QStringLiteral("Condition%1DotLabel").arg(n).toLatin1().constData(),
                           testDate.constData()}});
        NameControls(
            page,
            {{text.constData(), condition + QStringLiteral("hearing aid"),
              QStringLiteral("Test info: HA model, etc.")},
             {ears.constData(), condition + QStringLiteral("Ear(s)")},
             {coupling.constData(), condition + QStringLiteral("Coupling")},
             {testDate.constData(), condition + QStringLiteral("date of test"), date},
             {experience.constData(), condition + QStringLiteral("experience with hearing aid")}});
        // The experience options share their box's title: each says its condition.
        for (QAbstractButton* option : page.findChildren<QAbstractButton*>(
                 QRegularExpression(QStringLiteral("^RadioHAE%1Option\\d$").arg(n)))) {
            option->setAccessibleName(condition + QStringLiteral("experience with hearing aid: ") +
                                      option->text().remove(QLatin1Char('&')));
        }
    }
}

void SpeakAsRadioButton(QAbstractButton& button) {
    button.setProperty(kSpeakAsRadioButton, true);
}

}  // namespace kivo
