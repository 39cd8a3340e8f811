#include "access/DataFileReader.h"

#include "access/CryptoManager.h"
#include "access/DataFileEnvelope.h"
#include "access/DataFileLines.h"

#include <QFile>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace {
// Deciphers the ciphertext fed to it and hands out the text's whole lines.
class Decoder
{
public:
    explicit Decoder(const DataFileReader::LinesVisitor &visit)
        : m_visit(visit)
        , m_key(DataFileEnvelope::key())
    {
    }

    bool feed(QByteArrayView cipherText)
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
        return decipher(cipherText) && handOutWholeLines();
    }

    bool finish()
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

private:
    // The free space after the text, made at least `size` bytes long.
    char *roomFor(qsizetype size)
    {
        if (m_text.size() < m_size + size_t(size))
            m_text.resize(m_size + size_t(size));
        return m_text.data() + m_size;
    }

    bool decipher(QByteArrayView cipherText)
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
    void consume(size_t count)
    {
        std::memmove(m_text.data(), m_text.data() + count, m_size - count);
        m_size -= count;
    }

    void dropChainingBlock()
    {
        if (!m_blockDropped && m_size > size_t(DataFileEnvelope::chainingBlockSize)) {
            consume(DataFileEnvelope::chainingBlockSize);
            m_blockDropped = true;
        }
    }

    bool handOutWholeLines()
    {
        dropChainingBlock();
        if (!m_blockDropped)
            return true; // 16 characters or fewer so far: whether they stay is not known yet
        // Everything up to the last "\r\n" is whole lines; the rest waits for more text.
        const std::string_view text(m_text.data(), m_size);
        for (size_t lf = text.rfind('\n'); lf != std::string_view::npos && lf > 0; lf = text.rfind('\n', lf - 1)) {
            if (text[lf - 1] == '\r') {
                m_visit(DataFileLines(QLatin1StringView(text.data(), qsizetype(lf - 1))));
                consume(lf + 1);
                break;
            }
        }
        return true;
    }

    const DataFileReader::LinesVisitor &m_visit;
    const QByteArray m_key;
    QByteArray m_head;
    std::unique_ptr<CryptoManager::Stream> m_stream;
    std::vector<char> m_text; // deciphered, not yet handed out: the first m_size bytes
    size_t m_size = 0;
    bool m_blockDropped = false;
};
} // namespace

bool DataFileReader::read(const QString &path, const LinesVisitor &visit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    Decoder decoder(visit);
    QByteArray piece(pieceSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(piece.data(), pieceSize);
        if (got < 0)
            return false;
        if (got == 0)
            return decoder.finish();
        if (!decoder.feed(QByteArrayView(piece.constData(), got)))
            return false;
    }
}

bool DataFileReader::readBytes(QByteArrayView file, const LinesVisitor &visit)
{
    Decoder decoder(visit);
    for (qsizetype offset = 0; offset < file.size(); offset += pieceSize) {
        if (!decoder.feed(file.sliced(offset, std::min(pieceSize, file.size() - offset))))
            return false;
    }
    return decoder.finish();
}
