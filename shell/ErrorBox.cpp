// The error box: every error a command raises ends in the same stop box, captioned KIVO.
#include "shell/ErrorBox.h"

#include <exception>

#include "shell/DialogSeam.h"

namespace kivo {

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
    return message;
}

void ShowErrorBox(const QString& message) {
    Dialogs().Message(
        {ErrorBoxText(message), kApplicationTitle, DialogIcon::Stop, DialogButton::Ok, nullptr});
}

bool RunGuarded(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
    }
    return false;
}

}  // namespace kivo
