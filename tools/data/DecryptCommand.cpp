#include "data/DataCommand.h"

#include "datafile/DataFileEnvelope.h"

#include <QFile>
#include <cstdio>

int runDecrypt(const QStringList &arguments)
{
    if (arguments.size() != 1 || (arguments[0].startsWith(u'-') && arguments[0].size() > 1))
        return usageError(QStringLiteral("decrypt needs exactly one FILE"));
    const QString &path = arguments[0];
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const auto deciphered = DataFileEnvelope::decipher(bytes);
    if (!deciphered)
        return failure(QStringLiteral("%1 does not decipher as a Farline data file").arg(path));

    // The plain text follows the deciphered chaining block; its bytes are written as they are.
    QByteArray output;
    output.reserve(deciphered->size());
    QByteArrayView rest = QByteArrayView(*deciphered).sliced(
        std::min<qsizetype>(DataFileEnvelope::chainingBlockSize, deciphered->size()));
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf("\r\n");
        output += rest.first(end < 0 ? rest.size() : end);
        output += '\n';
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 2);
    }
    std::fwrite(output.constData(), 1, size_t(output.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : failure(QStringLiteral("cannot write the output"));
}
