#include "support/DataFiles.h"

#include "datafile/DataFileEnvelope.h"
#include "datafile/DataFileLines.h"
#include "datafile/DataFileReader.h"

QByteArray sealedDataFile(const QByteArray &plainText, const QByteArray &chainingBlock)
{
    const auto sealed = DataFileEnvelope::seal(plainText, chainingBlock);
    if (!sealed)
        qFatal("cannot seal a test data file");
    return *sealed;
}

std::optional<QStringList> dataFileLines(const QByteArray &file)
{
    QStringList lines;
    const bool read = DataFileReader::readBytes(file, [&](const DataFileLines &run) {
        for (const QLatin1StringView line : run)
            lines.append(line.toString());
    });
    return read ? std::optional(lines) : std::nullopt;
}
