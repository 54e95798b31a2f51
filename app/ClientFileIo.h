// Client files as the window's File commands read and write them: the model's file layer with
// its failures worded for the program's error boxes.
#pragma once

#include <QString>

#include "model/ClientRecord.h"

namespace kivo {

// Reads a client file into `record`; on any failure `record` is untouched and an Error says
// "Cannot open file "<path>". <reason>" (or why the file is not a client file).
void LoadClientImage(const QString& path, ClientRecord& record);

// Writes the record as a client file (through a temporary file, so a failure leaves the old
// file whole; a read-only file is refused); on failure an Error says
// "Cannot create file "<path>". <reason>".
void SaveClientImage(const QString& path, const ClientRecord& record);

}  // namespace kivo
