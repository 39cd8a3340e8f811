#include "addressbook/VCardFile.h"

#include <QByteArray>
#include <QFile>
#include <QScopeGuard>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qsizetype pieceSize = 64 * 1024;

qint64 readPiece(int descriptor, QByteArray &piece)
{
    ssize_t count = 0;
    do {
        count = ::read(descriptor, piece.data(), size_t(piece.size()));
    } while (count < 0 && errno == EINTR);
    return count;
}
} // namespace

std::optional<QString> readVCardFile(const QString &path, const std::function<bool(QByteArrayView)> &take)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return qt_error_string(errno);
    const auto closing = qScopeGuard([descriptor] { ::close(descriptor); });
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0)
        return qt_error_string(errno);
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("not a regular file");
    QByteArray piece(pieceSize, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 count = readPiece(descriptor, piece);
        if (count < 0)
            return qt_error_string(errno);
        if (count == 0)
            return std::nullopt;
        if ((total += count) > maxVCardFileSize)
            return QStringLiteral("larger than %1 MiB").arg(maxVCardFileSize / (1024 * 1024));
        if (!take(QByteArrayView(piece.constData(), count)))
            return std::nullopt;
    }
}
