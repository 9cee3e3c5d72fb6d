#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// A folder where writing fails part-way, as on a full disk, in one of two
// real ways:
// - FullTmpfs: a 64 KB tmpfs mounted there and filled up (needs root, which
//   CI has: a CI run that cannot mount it fails instead of skipping);
// - FileSizeLimit: the process may not write past the first 1 KB of any
//   file (RLIMIT_FSIZE), which works for every user.
// The file `old` holds oldBytes() before the failures start.
class FailingDisk
{
public:
    enum class Kind { FullTmpfs, FileSizeLimit };

    explicit FailingDisk(Kind kind) : m_kind(kind)
    {
        m_mountPoint = m_dir.filePath(QStringLiteral("disk"));
        QDir().mkpath(m_mountPoint);
        if (kind == Kind::FullTmpfs) {
            if (::geteuid() != 0 ||
                ::mount("tmpfs", QFile::encodeName(m_mountPoint).constData(), "tmpfs", 0, "size=64k") != 0) {
                m_why = QStringLiteral("cannot mount a tmpfs (not root, or not allowed here)");
                return;
            }
            m_mounted = true;
        }
        if (!writeWhole(path(QStringLiteral("old")), oldBytes())) {
            m_why = QStringLiteral("cannot write the old file");
            return;
        }
        if (kind == Kind::FullTmpfs) {
            QFile filler(path(QStringLiteral("filler")));
            filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
            const QByteArray block(512, 'x');
            while (filler.write(block) > 0) {
            }
        } else {
            // Past the limit a write fails with EFBIG instead of killing the
            // process with SIGXFSZ.
            std::signal(SIGXFSZ, SIG_IGN);
            ::getrlimit(RLIMIT_FSIZE, &m_limit);
            struct rlimit small = m_limit;
            small.rlim_cur = kLimitBytes;
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        m_ready = true;
    }

    ~FailingDisk()
    {
        if (m_kind == Kind::FileSizeLimit && m_ready)
            ::setrlimit(RLIMIT_FSIZE, &m_limit);
        if (m_mounted)
            ::umount2(QFile::encodeName(m_mountPoint).constData(), MNT_DETACH);
    }

    FailingDisk(const FailingDisk &) = delete;
    FailingDisk &operator=(const FailingDisk &) = delete;

    bool ready() const { return m_ready; }
    QString whyNot() const { return m_why; }
    QString path(const QString &name) const { return m_mountPoint + u'/' + name; }

    // Smaller than the limit, so that it fits before the failures start.
    static QByteArray oldBytes() { return QByteArrayLiteral("the old bytes, to be kept\n"); }
    // Content for a save must be larger than this to fail.
    static constexpr qint64 kLimitBytes = 1024;

    // The file's bytes (read with the limit still on: reading is not limited).
    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

private:
    static bool writeWhole(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    }

    Kind m_kind;
    QTemporaryDir m_dir;
    QString m_mountPoint;
    QString m_why;
    bool m_mounted = false;
    bool m_ready = false;
    struct rlimit m_limit
    {
    };
};
