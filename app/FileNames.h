// File names as the window shows and keeps them: name and folder parts, the title, and the
// conversion of a QString path to a filesystem path.
#pragma once

#include <QString>
#include <filesystem>

namespace kivo {

// Path pieces as the file commands keep them: the name part is what follows the last path
// separator, the folder part is everything up to and including it (empty for a bare name).
// '/' is a separator everywhere, '\' on Windows as well.
QString NamePart(const QString& path);
QString FolderPart(const QString& path);

// `folder` with a path separator at its end (the native one when one must be added).
QString WithTrailingSeparator(const QString& folder);

// Upper-cases the letters a to z and nothing else.
QString UpperAscii(const QString& text);

// The window title: `base` alone without a short name, else base + " - " + UPPER(name).
QString TitleFor(const QString& base, const QString& shortName);

// The name Save suggests for a client without a file: the last name upper-cased, "_", the
// ID, ".KVO" ("GARCIA_C-2291.KVO"); a missing part and its "_" are left out, and with neither
// part there is no suggestion (empty). Characters that Windows, macOS or Linux refuse in a
// file name become "_", as does a leading dot (a hidden file on Unix); a name Windows keeps
// for a device (CON, NUL, COM1, ...) gets a "_" after it.
QString SuggestedClientFileName(const QString& lastName, const QString& clientId);

// Whether two full paths name the same file as the platform compares names: without regard
// to case on Windows and macOS, exactly elsewhere; "." and ".." and doubled separators are
// resolved first.
bool SamePath(const QString& a, const QString& b);

// A QString path as a filesystem path, whatever the platform's native encoding.
std::filesystem::path ToFsPath(const QString& path);

}  // namespace kivo
