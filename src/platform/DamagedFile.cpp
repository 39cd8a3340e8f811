#include "platform/DamagedFile.h"

#include <QFile>
#include <cerrno>
#include <unistd.h>

std::optional<QString> DamagedFile::keepCopy(const QString &path, const QDateTime &moment, QString *reason)
{
    const QString base = path + QStringLiteral(".damaged-") + moment.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QByteArray source = QFile::encodeName(path);
    for (int attempt = 1; attempt < 100; ++attempt) {
        const QString kept = attempt == 1 ? base : base + u'-' + QString::number(attempt);
        if (::link(source.constData(), QFile::encodeName(kept).constData()) == 0)
            return kept;
        if (errno == EEXIST)
            continue;
        // No second names here (a FAT memory card): the bytes, then.
        QFile file(path);
        if (file.copy(kept))
            return kept;
        if (reason)
            *reason = file.errorString();
        return std::nullopt;
    }
    if (reason)
        *reason = QStringLiteral("every name for a copy is taken");
    return std::nullopt;
}
