#include "data/DataCommand.h"

#include "datafile/DataFileEnvelope.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

QByteArray dataFileText(const QByteArray &input)
{
    QByteArrayList lines = input.split('\n');
    if (input.endsWith('\n'))
        lines.removeLast(); // the empty piece after the last line end is not a line
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines.join("\r\n");
}

int runEncrypt(const QStringList &arguments)
{
    QStringList files;
    std::optional<QString> vectorHex;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"--iv") {
            if (++i == arguments.size())
                return usageError(QStringLiteral("--iv needs 32 hexadecimal digits"));
            vectorHex = arguments[i];
        } else if (argument.startsWith(u"--iv=")) {
            vectorHex = argument.sliced(5);
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            return usageError(QStringLiteral("unknown option '%1'").arg(argument));
        } else {
            files.append(argument);
        }
    }
    if (files.size() != 2)
        return usageError(QStringLiteral("encrypt needs PLAIN and OUT"));

    QByteArray chainingBlock;
    if (vectorHex) {
        static const QRegularExpression hex32(QStringLiteral("^[0-9A-Fa-f]{32}$"));
        if (!hex32.match(*vectorHex).hasMatch())
            return usageError(QStringLiteral("--iv needs 32 hexadecimal digits, not '%1'").arg(*vectorHex));
        chainingBlock = QByteArray::fromHex(vectorHex->toLatin1());
    } else {
        chainingBlock = DataFileEnvelope::randomChainingBlock();
    }

    QFile plain(files[0]);
    if (!plain.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot read %1: %2").arg(files[0], plain.errorString()));
    const QByteArray input = plain.readAll();
    if (plain.error() != QFileDevice::NoError)
        return failure(QStringLiteral("cannot read %1: %2").arg(files[0], plain.errorString()));

    const auto sealed = DataFileEnvelope::seal(dataFileText(input), chainingBlock);
    if (!sealed)
        return failure(QStringLiteral("cannot encipher %1").arg(files[0]));

    QSaveFile out(files[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(*sealed) != sealed->size() || !out.commit())
        return failure(QStringLiteral("cannot write %1: %2").arg(files[1], out.errorString()));
    return 0;
}
