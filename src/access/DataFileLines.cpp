#include "access/DataFileLines.h"

#include "access/CryptoManager.h"
#include "access/DataFileEnvelope.h"

#include <QFile>
#include <cstring>

namespace {
// The first "\r\n" in [from, end), or end.
const char *lineEnd(const char *from, const char *end)
{
    while (from < end) {
        const auto *cr = static_cast<const char *>(std::memchr(from, '\r', size_t(end - from)));
        if (!cr)
            break;
        if (cr + 1 < end && cr[1] == '\n')
            return cr;
        from = cr + 1;
    }
    return end;
}
}

DataFileLines::const_iterator::const_iterator(const char *start, const char *textEnd)
    : m_start(start ? start : "")
    , m_end(start ? lineEnd(start, textEnd) : m_start)
    , m_textEnd(start ? textEnd : m_start)
{
}

DataFileLines::const_iterator &DataFileLines::const_iterator::operator++()
{
    if (m_end == m_textEnd) {
        m_start = m_end = m_textEnd = nullptr; // that was the piece after the last "\r\n"
    } else {
        m_start = m_end + 2;
        m_end = lineEnd(m_start, m_textEnd);
    }
    return *this;
}

std::optional<DataFileLines> DataFileLines::fromFileBytes(QByteArray file)
{
    auto deciphered = DataFileEnvelope::decipher(std::move(file));
    if (!deciphered)
        return std::nullopt;
    // A text of 16 characters or fewer is kept whole.
    const qsizetype offset =
        deciphered->size() > DataFileEnvelope::chainingBlockSize ? DataFileEnvelope::chainingBlockSize : 0;
    return DataFileLines(std::move(*deciphered), offset);
}

std::optional<DataFileLines> DataFileLines::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read into a buffer with the room that deciphering in place needs, so that a large file is
    // neither copied nor held twice.
    const qint64 size = file.size();
    QByteArray bytes;
    bytes.reserve(size + 2 * CryptoManager::blockSize);
    bytes.resize(size);
    const qint64 got = file.read(bytes.data(), size);
    if (got < 0 || !file.atEnd())
        return std::nullopt;
    bytes.truncate(got);
    return fromFileBytes(std::move(bytes));
}

DataFileLines::DataFileLines(QByteArray bytes, qsizetype offset)
    : m_bytes(std::move(bytes))
    , m_text(QByteArrayView(m_bytes).sliced(offset))
{
}
