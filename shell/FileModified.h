// The unsaved-changes flag of the open client, shared by the pages that change it and the
// main window that shows it.
#pragma once

#include <QEvent>

class QObject;

namespace kivo {

// The unsaved-changes convention. A page that changes client data calls RaiseFileModified();
// the first call after the flag was cleared posts one ModifiedNotice event (queued, not sent)
// to the registered receiver, the main window, which then shows " Modified".

inline constexpr QEvent::Type ModifiedNotice = static_cast<QEvent::Type>(1025);

// 1 when the open client has changes not yet saved.
bool FileModified();

// If the flag is 0: set it to 1 and post ModifiedNotice. Otherwise nothing.
void RaiseFileModified();

// Sets the flag to 0. Only the file commands and the main window's first show call this.
void ClearFileModified();

// Where ModifiedNotice goes; the receiver may be destroyed at any time (no post then).
void SetModifiedNoticeReceiver(QObject* receiver);

}  // namespace kivo
