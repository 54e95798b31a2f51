// One ID, one client: before a client is saved as a new file, a look through the data folder
// for another file that already holds its ID for someone else.
#pragma once

#include <QString>

#include "model/ClientRecord.h"

class QWidget;

namespace kivo {

// When another client file below `dataFolder` holds the client ID of `record` with another
// last name or birth date, says which file and asks whether to save under that ID anyway
// (No is the default). True when the save may go on: no such file, or the user said Yes.
// `target` is the file about to be written; it is not counted.
bool ConfirmClientIdUse(const QString& dataFolder, const QString& target,
                        const ClientRecord& record, QWidget* owner);

// The question's text for the file `path` (relative to the data folder) that holds `id`.
QString ClientIdQuestionText(const QString& id, const QString& path, const QString& holder);

}  // namespace kivo
