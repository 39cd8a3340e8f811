#include "access/DataFileCheck.h"

#include "access/DataFileEnvelope.h"

DataFileCheck::DataFileCheck()
    : m_key(DataFileEnvelope::key())
{
}

DataFileCheck::~DataFileCheck() = default;

void DataFileCheck::feed(QByteArrayView bytes)
{
    if (m_broken)
        return;
    if (!m_stream) {
        // The file deciphers chained from its own first block, that block included.
        const qsizetype take = std::min(CryptoManager::blockSize - m_head.size(), bytes.size());
        m_head += bytes.first(take);
        bytes = bytes.sliced(take);
        if (m_head.size() < CryptoManager::blockSize)
            return;
        m_stream = std::make_unique<CryptoManager::Stream>(
            m_key, reinterpret_cast<const unsigned char *>(m_head.constData()), CryptoManager::Decrypt,
            CryptoManager::PKCS7Padding);
        m_broken = !m_stream->isValid();
        decipher(m_head);
    }
    decipher(bytes);
}

bool DataFileCheck::finish()
{
    if (m_broken || !m_stream)
        return false; // shorter than one block: never a whole number of blocks
    char rest[CryptoManager::blockSize];
    m_broken = m_stream->finish(rest) < 0;
    return !m_broken;
}

void DataFileCheck::decipher(QByteArrayView bytes)
{
    if (m_broken || bytes.isEmpty())
        return;
    if (m_scratch.size() < bytes.size() + CryptoManager::blockSize)
        m_scratch.resize(bytes.size() + CryptoManager::blockSize);
    m_broken = m_stream->update(bytes.data(), bytes.size(), m_scratch.data()) < 0;
}
