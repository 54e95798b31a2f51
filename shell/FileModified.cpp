// The unsaved-changes flag and the one notice it posts to the main window when it is raised.
#include "shell/FileModified.h"

#include <QCoreApplication>
#include <QPointer>

namespace kivo {
namespace {

bool gFileModified = false;

QPointer<QObject>& Receiver() {
    static QPointer<QObject> receiver;
    return receiver;
}

}  // namespace

bool FileModified() {
    return gFileModified;
}

void RaiseFileModified() {
    if (gFileModified) return;
    gFileModified = true;
    if (QObject* receiver = Receiver()) {
        QCoreApplication::postEvent(receiver, new QEvent(ModifiedNotice));
    }
}

void ClearFileModified() {
    gFileModified = false;
}

void SetModifiedNoticeReceiver(QObject* receiver) {
    Receiver() = receiver;
}

}  // namespace kivo
