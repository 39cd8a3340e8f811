#include "datafile/DataFileDecoder.h"

#include "datafile/DataFileEnvelope.h"
#include "datafile/DataFileLines.h"

#include <cstring>
#include <string_view>

DataFileDecoder::DataFileDecoder(LinesVisitor visit)
    : m_visit(std::move(visit))
    , m_key(DataFileEnvelope::key())
{
}

DataFileDecoder::~DataFileDecoder() = default;

bool DataFileDecoder::feed(QByteArrayView cipherText)
{
    if (!m_stream) {
        // The chaining vector is the file's own first block.
        const qsizetype take = std::min(CryptoManager::blockSize - m_head.size(), cipherText.size());
        m_head += cipherText.first(take);
        cipherText = cipherText.sliced(take);
        if (m_head.size() < CryptoManager::blockSize)
            return true;
        m_stream = std::make_unique<CryptoManager::Stream>(
            m_key, reinterpret_cast<const unsigned char *>(m_head.constData()), CryptoManager::Decrypt,
            CryptoManager::PKCS7Padding);
        if (!m_stream->isValid() || !decipher(m_head))
            return false;
    }
    if (!decipher(cipherText))
        return false;
    handOutWholeLines();
    return true;
}

bool DataFileDecoder::finish()
{
    if (!m_stream)
        return false; // shorter than one block: never a whole number of blocks
    const qsizetype last = m_stream->finish(roomFor(CryptoManager::blockSize));
    if (last < 0)
        return false;
    m_size += size_t(last);
    dropChainingBlock(); // a text of 16 characters or fewer is kept whole
    // The rest: whole lines, the last of them the piece after the last "\r\n".
    m_visit(DataFileLines(QLatin1StringView(m_text.data(), qsizetype(m_size))));
    return true;
}

// The free space after the text, made at least `size` bytes long.
char *DataFileDecoder::roomFor(qsizetype size)
{
    if (m_text.size() < m_size + size_t(size))
        m_text.resize(m_size + size_t(size));
    return m_text.data() + m_size;
}

bool DataFileDecoder::decipher(QByteArrayView cipherText)
{
    if (cipherText.isEmpty())
        return true;
    const qsizetype written = m_stream->update(cipherText.data(), cipherText.size(),
                                               roomFor(cipherText.size() + CryptoManager::blockSize));
    if (written < 0)
        return false;
    m_size += size_t(written);
    return true;
}

// Removes the first `count` bytes of the text; the buffer keeps its size, so the same memory
// serves every piece of the file.
void DataFileDecoder::consume(size_t count)
{
    std::memmove(m_text.data(), m_text.data() + count, m_size - count);
    m_size -= count;
}

void DataFileDecoder::dropChainingBlock()
{
    if (!m_blockDropped && m_size > size_t(DataFileEnvelope::chainingBlockSize)) {
        consume(DataFileEnvelope::chainingBlockSize);
        m_blockDropped = true;
    }
}

void DataFileDecoder::handOutWholeLines()
{
    dropChainingBlock();
    if (!m_blockDropped)
        return; // 16 characters or fewer so far: whether they stay is not known yet
    // Everything up to the last "\r\n" is whole lines; the rest waits for more text. Only the
    // text added since the last look can end a line, so a file without line ends costs no more
    // than one with them.
    const size_t from = m_searched > 0 ? m_searched - 1 : 0; // the old text may end in "\r"
    const std::string_view added(m_text.data() + from, m_size - from);
    for (size_t lf = added.rfind('\n'); lf != std::string_view::npos && lf > 0; lf = added.rfind('\n', lf - 1)) {
        if (added[lf - 1] == '\r') {
            m_visit(DataFileLines(QLatin1StringView(m_text.data(), qsizetype(from + lf - 1))));
            consume(from + lf + 1);
            break;
        }
    }
    m_searched = m_size;
}
