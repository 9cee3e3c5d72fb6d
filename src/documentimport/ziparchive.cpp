#include "ziparchive.h"


#include <zip.h>

namespace {

qint64 indexOf(zip *archive, const QString &name)
{
    return archive ? zip_name_locate(archive, name.toUtf8().constData(), 0) : -1;
}

} // namespace

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipArchive::open(const QByteArray &bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source)
        m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!m_zip) {
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        m_error = ImportError::Damaged;
        return false;
    }
    zip_error_fini(&error);
    if (zip_get_num_entries(m_zip, 0) > kMaxEntries) {
        m_error = ImportError::TooLarge;
        return false;
    }
    return true;
}

bool ZipArchive::contains(const QString &name) const
{
    return indexOf(m_zip, name) >= 0;
}

std::optional<QByteArray> ZipArchive::read(const QString &name)
{
    const qint64 index = indexOf(m_zip, name);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0) {
        m_error = ImportError::Damaged;
        return std::nullopt;
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        m_error = ImportError::Encrypted;
        return std::nullopt;
    }
    if ((stat.valid & ZIP_STAT_SIZE) && (stat.size > zip_uint64_t(kMaxEntryBytes) ||
                                         m_unpacked + qint64(stat.size) > kMaxTotalBytes)) {
        m_error = ImportError::TooLarge;
        return std::nullopt;
    }
    zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file) {
        m_error = ImportError::Damaged;
        return std::nullopt;
    }
    // The sizes in the directory are the file's word only: count what
    // actually comes out.
    QByteArray data;
    char buffer[65536];
    for (;;) {
        const zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
        if (got < 0) {
            zip_fclose(file);
            m_error = ImportError::Damaged;
            return std::nullopt;
        }
        if (got == 0)
            break;
        m_unpacked += got;
        if (data.size() + got > kMaxEntryBytes || m_unpacked > kMaxTotalBytes) {
            zip_fclose(file);
            m_error = ImportError::TooLarge;
            return std::nullopt;
        }
        data.append(buffer, qsizetype(got));
    }
    zip_fclose(file);
    return data;
}
