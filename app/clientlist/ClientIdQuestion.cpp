// The question names the other file and its client, so the clinician can tell a typing slip
// from a returning client filed twice.
#include "app/clientlist/ClientIdQuestion.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QScopeGuard>

#include "drawing/RecordText.h"
#include "model/ClientListScan.h"
#include "shell/DialogSeam.h"

namespace kivo {

QString ClientIdQuestionText(const QString& id, const QString& path, const QString& holder) {
    return QStringLiteral(
               "The client ID \"%1\" is already used in the data folder by another "
               "client:\n%2 (%3).\n\nSave this client under the same ID?")
        .arg(id, path, holder);
}

bool ConfirmClientIdUse(const QString& dataFolder, const QString& target,
                        const ClientRecord& record, QWidget* owner) {
    if (dataFolder.isEmpty()) return true;
    const QString root = QDir::cleanPath(QDir::fromNativeSeparators(dataFolder));
    std::optional<ClientListEntry> other;
    {
        // Every client file of the folder is read: a second or two at 100,000 files.
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        other = FindOtherClientWithId(root.toStdString(), record,
                                      QDir::cleanPath(target).toStdString());
    }
    if (!other) return true;

    QString holder = drawing::Cp1252Text(other->LastName());
    if (const QString first = drawing::Cp1252Text(other->FirstName()); !first.isEmpty()) {
        holder += QStringLiteral(", ") + first;
    }
    if (const QString born = drawing::Cp1252Text(other->BirthDate()); !born.isEmpty()) {
        holder += QStringLiteral(", born ") + born;
    }
    MessageRequest question{
        ClientIdQuestionText(drawing::RecordText(record.ClientId),
                             QDir::toNativeSeparators(QString::fromUtf8(other->Path())), holder),
        QStringLiteral("Confirm"), DialogIcon::Question, DialogButton::Yes | DialogButton::No,
        owner};
    question.defaultButton = DialogButton::No;
    return Dialogs().Message(question) == DialogButton::Yes;
}

}  // namespace kivo
