// What the hand-over shares on every platform: the message a second start sends and what the
// running copy does with the line it receives.
#include "app/InstanceChannel.h"

#include <QDir>

namespace kivo {

QByteArray HandOverMessage(const QString& path) {
    return path.toUtf8() + '\n';
}

bool HandOverFile(const QString& name, const QString& path, int connectMs, int replyMs) {
    // The line would end inside the path, and the running copy open the file its first part
    // names.
    if (path.contains(u'\n')) return false;
    const std::optional<QByteArray> reply =
        ExchangeOverChannel(name, HandOverMessage(path), connectMs, replyMs);
    return reply == QByteArray(kHandOverReply);
}

InstanceServer::InstanceServer(const QString& name, QObject* parent,
                               std::chrono::milliseconds idleLimit)
    : QObject(parent), idleLimit_(idleLimit), listener_(Listen(*this, name)) {}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::Listening() const {
    return listener_->Listening();
}

void InstanceServer::Deliver(const QByteArray& line) {
    const QString path = QString::fromUtf8(line.chopped(line.endsWith('\n') ? 1 : 0));
    // A second start always sends a whole path; any other line is not one of ours, and a
    // relative name would be taken from this copy's folder.
    if (QDir::isAbsolutePath(path)) emit FileHandedOver(path);
}

}  // namespace kivo
