#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
bool failWith(QSaveFile &file, QString *reason)
{
    if (reason)
        *reason = file.errorString();
    file.cancelWriting();
    return false;
}

// Why the file or its folder cannot be written, in the system's words ("Read-only file system"):
// the saving file's own text repeats the path, or names only the folder it could not make.
QString notWritable(const QString &path, QSaveFile &file)
{
    const auto refused = [](const QString &place) {
        return ::access(QFile::encodeName(place).constData(), W_OK) != 0;
    };
    if (QFileInfo::exists(path) && refused(path))
        return QString::fromLocal8Bit(std::strerror(errno));
    QString folder = QFileInfo(path).absolutePath();
    while (!QFileInfo::exists(folder) && QFileInfo(folder).absolutePath() != folder)
        folder = QFileInfo(folder).absolutePath();
    if (refused(folder))
        return QString::fromLocal8Bit(std::strerror(errno));
    return file.errorString();
}
} // namespace

bool AtomicFile::write(const QString &path, QByteArrayView bytes, QString *reason)
{
    QDir().mkpath(QFileInfo(path).absolutePath()); // a failure shows when the file is opened
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (reason)
            *reason = notWritable(path, file);
        return false;
    }
    // A write may take only part of the bytes; the next one then fails with the reason.
    for (qsizetype written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.data() + written, bytes.size() - written);
        if (count <= 0)
            return failWith(file, reason);
        written += qsizetype(count);
    }
    if (!file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}
