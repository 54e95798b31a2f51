// The words of a recorded page in reading order, for a screen reader and for anyone who wants a
// page's text rather than its picture.
#pragma once

#include <QString>

#include "print/engine/PageStore.h"

namespace kivo::report {

// The page's texts line by line, top to bottom: texts that share a line (their cell tops within
// half a millimetre) stand left to right, two spaces apart; lines end with a line feed.
QString PageText(const Page& page);

}  // namespace kivo::report
