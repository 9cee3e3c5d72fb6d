#pragma once

#include <QString>

// Why a user's file was not read or written. The platform only says what
// went wrong; the windows and the command line word it for the user.
enum class FileError {
    None,
    NotRegularFile,   // a device, a pipe or a folder: it could feed or swallow without end
    TooLarge,         // larger than `limit` bytes
    NotText,          // bytes that are no characters (NUL or control codes)
    NotOpened,        // the system refused to open it for reading
    NotRead,          // reading failed part way
    NotWritableKind,  // no regular file in the place a file would be written
    NotCreated,       // the file (or its temporary twin) could not be made
    NotWritten,       // a write, the flush, the sync or the final rename failed
    WriteCutShort,    // fewer bytes were written than given, with no system error
};

struct FileProblem
{
    FileError error = FileError::None;
    QString file;     // the path, or what stands for the input
    QString detail;   // the system's reason, as it gave it, when there is one
    qint64 limit = 0; // TooLarge: the largest size read, in bytes
    bool ok() const { return error == FileError::None; }
    explicit operator bool() const { return !ok(); }
};
