// Client files as the window's File commands read and write them: the model's file layer with
// its failures worded for the program's error boxes.
#pragma once

#include <QString>
#include <optional>

#include "model/ClientRecord.h"
#include "model/Error.h"
#include "model/Platform.h"

namespace kivo {

// Reads a client file into `record` and gives the identity of the file read; on any failure
// `record` is untouched and an Error says "Cannot open file "<path>". <reason>" (or why the
// file is not a client file).
platform::FileIdentity LoadClientImage(const QString& path, ClientRecord& record);

// A Save that stopped because the client's file name now leads to `Target()`, a file that
// is neither the one loaded nor a client file.
class ChangedFileError : public Error {
public:
    ChangedFileError(const std::string& message, QString target)
        : Error(message), target_(std::move(target)) {}
    const QString& Target() const { return target_; }

private:
    QString target_;
};

// Writes the record as a client file (through a temporary file, so a failure leaves the old
// file whole; a read-only file is refused) and gives the identity of the file written. With
// `loaded`, a name that now leads elsewhere throws ChangedFileError; on other failures an
// Error says "Cannot create file "<path>". <reason>".
platform::FileIdentity SaveClientImage(const QString& path, const ClientRecord& record,
                                       std::optional<platform::FileIdentity> loaded = {});

}  // namespace kivo
