// The status message hook, so that the pages can tell the user something in the main window's
// status bar without depending on the main window.
#pragma once

#include <QString>
#include <functional>

namespace kivo {

// Shows a short note in the main window's status bar; set by the main window while it exists.
// Empty until then.
inline std::function<void(const QString&)>& StatusMessageHook() {
    static std::function<void(const QString&)> hook;
    return hook;
}

// Shows `text` in the status bar through the hook (an empty text clears the note); does
// nothing while the hook is empty.
inline void ShowStatusMessage(const QString& text) {
    if (const auto& hook = StatusMessageHook()) hook(text);
}

}  // namespace kivo
