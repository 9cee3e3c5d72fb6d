#pragma once

#include "importeddocument.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct zip;
struct zip_error;

// A zip container (Word, OpenDocument, EPUB) read from memory with limits,
// so that a small file cannot unpack into more than a document could hold.
class ZipArchive
{
public:
    static constexpr qint64 kMaxEntries = 10000;
    static constexpr qint64 kMaxEntryBytes = 64 * 1024 * 1024;
    static constexpr qint64 kMaxTotalBytes = 256 * 1024 * 1024;

    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // False when the bytes are no zip file or exceed the limits; error()
    // says why. The bytes must outlive the archive.
    bool open(const QByteArray &bytes);
    bool contains(const QString &name) const;
    // The unpacked entry; nothing when it is missing, encrypted, damaged or
    // too large, and error() says which.
    std::optional<QByteArray> read(const QString &name);
    ImportError error() const { return m_error; }

private:
    zip *m_zip = nullptr;
    qint64 m_unpacked = 0;
    ImportError m_error = ImportError::None;
};
