#include "safesave.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// Writes the file's data out to the disk; a disk that only finds out now
// that it is full says so here. Empty when it worked or when the file
// system cannot sync at all (which is no failure of this file).
QString syncFailure(const QSaveFile &file)
{
    if (::fsync(file.handle()) == 0 || errno == EINVAL || errno == EROFS || errno == ENOTSUP)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
}

FileProblem writeFailure(const QString &path, const QString &reason)
{
    return {FileError::NotWritten, path, reason};
}

} // namespace

FileProblem refusalToWrite(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return {FileError::NotWritableKind, path, QString()};
    return {};
}

SafeSaveResult saveFileSafely(const QString &path, const std::function<bool(QIODevice &)> &writer)
{
    SafeSaveResult result;
    result.error = refusalToWrite(path);
    if (result.error)
        return result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = {FileError::NotCreated, path, file.errorString()};
        return result;
    }
    const bool written = writer(file);
    if (file.error() != QFileDevice::NoError) {
        result.error = writeFailure(path, file.errorString());
    } else if (!written) {
        // The writer stopped on its own: nothing failed that it has not told.
    } else if (!file.flush()) {
        // QSaveFile::commit() (Qt 6.4) flushes too, but renames the cut file
        // over the old one even when that flush fails: flush first, here.
        result.error = writeFailure(path, file.errorString());
    } else if (const QString failure = syncFailure(file); !failure.isEmpty()) {
        result.error = writeFailure(path, failure);
    } else if (!file.commit()) {
        result.error = writeFailure(path, file.errorString());
    } else {
        result.ok = true;
        return result;
    }
    if (file.isOpen())
        file.cancelWriting();
    return result;
}

SafeSaveResult saveBytesSafely(const QString &path, QByteArrayView bytes)
{
    SafeSaveResult result = saveFileSafely(path, [bytes](QIODevice &device) {
        return device.write(bytes.data(), bytes.size()) == bytes.size();
    });
    // A short write is a failure even where the device kept no error.
    if (!result.ok && result.error.ok())
        result.error = {FileError::WriteCutShort, path, QString()};
    return result;
}
