#include "access/DataFileLines.h"

#include "access/DataFileEnvelope.h"

#include <QFile>

std::optional<DataFileLines> DataFileLines::fromFileBytes(const QByteArray &file)
{
    const auto deciphered = DataFileEnvelope::decipher(file);
    if (!deciphered)
        return std::nullopt;
    // One character per byte; a text of 16 characters or fewer is kept whole.
    QByteArrayView plain(*deciphered);
    if (plain.size() > DataFileEnvelope::chainingBlockSize)
        plain = plain.sliced(DataFileEnvelope::chainingBlockSize);
    return DataFileLines(QString::fromLatin1(plain));
}

std::optional<DataFileLines> DataFileLines::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return fromFileBytes(bytes);
}

DataFileLines::DataFileLines(QString text)
    : m_text(std::move(text))
{
    const QStringView all(m_text);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = all.indexOf(u"\r\n", start);
        if (end < 0)
            break;
        m_lines.push_back(all.sliced(start, end - start));
        start = end + 2;
    }
    m_lines.push_back(all.sliced(start));
}
