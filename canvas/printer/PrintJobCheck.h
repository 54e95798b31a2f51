// Whether the print system took the job a printer has just ended: Qt hands a finished job to
// CUPS and drops CUPS's answer, so a refused job would otherwise vanish without a word.
#pragma once

#include <QString>

class QPrinter;

namespace kivo::canvas {

// Call right after QPainter::end() on `printer`. False, with CUPS's reason in `reason`, when
// the print system refused the job (a queue that rejects jobs, a printer that is gone).
// True for a printer that writes a file and when no CUPS library is in use.
bool PrintSystemTookJob(const QPrinter& printer, QString* reason = nullptr);

}  // namespace kivo::canvas
