// The error box and the guard that shows an error there instead of ending the program.
#pragma once

#include <QString>
#include <functional>

namespace kivo {

// The program's title: the caption of its error box.
inline const QString kApplicationTitle = QStringLiteral("KIVO");

// The error's text as the error box shows it: a full stop is appended when the last
// character sorts after the full stop.
QString ErrorBoxText(const QString& message);

// The error box: text, caption "KIVO", stop icon, OK.
void ShowErrorBox(const QString& message);

// Runs one command; an error it raises is shown in the error box and the command stops
// there, the program carries on. Returns false when an error was shown.
bool RunGuarded(const std::function<void()>& command);

}  // namespace kivo
