#pragma once

#include "fileerror.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

// How saving a file the user owns went. error is none on success, and also
// when the writer itself chose to stop without any write failing (a
// cancelled job).
struct SafeSaveResult
{
    bool ok = false;
    FileProblem error;
};

// Why the program does not write to that path: it exists and is no regular
// file (a device, a pipe, a folder), which saving would replace with a
// regular file. None when it may be written.
FileProblem refusalToWrite(const QString &path);

// Saves a file so that it ends up either whole or as it was: the writer
// writes into a temporary file beside it, and only when every write, the
// final flush and the sync to disk went well does the temporary file take
// the old one's place. A writer that returns false, or any failed write,
// cancels the save and leaves the old file untouched.
SafeSaveResult saveFileSafely(const QString &path, const std::function<bool(QIODevice &)> &writer);
// The same for bytes already made.
SafeSaveResult saveBytesSafely(const QString &path, QByteArrayView bytes);
