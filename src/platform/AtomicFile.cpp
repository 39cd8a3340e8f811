#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Why the file or its folder cannot be written, in the system's words ("Read-only file system"):
// the saving file's own text repeats the path, or names only the folder it could not make.
QString notWritable(const QString &path, const QSaveFile &file)
{
    const auto refused = [](const QString &place) {
        return ::access(QFile::encodeName(place).constData(), W_OK) != 0;
    };
    if (QFileInfo::exists(path) && refused(path))
        return systemReason();
    QString folder = QFileInfo(path).absolutePath();
    while (!QFileInfo::exists(folder) && QFileInfo(folder).absolutePath() != folder)
        folder = QFileInfo(folder).absolutePath();
    if (refused(folder))
        return systemReason();
    return file.errorString();
}
} // namespace

AtomicFile::AtomicFile(const QString &path)
    : m_path(path)
    , m_file(path)
{
}

bool AtomicFile::open()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath()); // a failure shows when the file is opened
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(notWritable(m_path, m_file));
    return true;
}

bool AtomicFile::append(QByteArrayView bytes)
{
    // A write may take only part of the bytes; the next one then fails with the reason.
    while (!bytes.isEmpty()) {
        const qint64 written = m_file.write(bytes.data(), bytes.size());
        if (written <= 0) {
            fail(m_file.errorString());
            m_file.cancelWriting();
            return false;
        }
        bytes = bytes.sliced(written);
        m_unflushed += written;
    }
    // A large file starts on its way to the disk while the rest is still coming, so that the
    // flush at the commit has only the last of it to wait for. Only a hint: the commit's flush
    // is what says whether the bytes reached the disk.
    if (m_unflushed >= flushStep) {
        ::sync_file_range(m_file.handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
        m_unflushed = 0;
    }
    return true;
}

bool AtomicFile::commit()
{
    // commit() syncs as well, but does not say when that fails.
    if (::fsync(m_file.handle()) != 0) {
        fail(systemReason());
        m_file.cancelWriting();
        return false;
    }
    return m_file.commit() || fail(m_file.errorString());
}

bool AtomicFile::fail(const QString &reason)
{
    m_reason = reason;
    return false;
}

bool AtomicFile::write(const QString &path, QByteArrayView bytes, QString *reason)
{
    AtomicFile file(path);
    const bool written = file.open() && file.append(bytes) && file.commit();
    if (!written && reason)
        *reason = file.reason();
    return written;
}
