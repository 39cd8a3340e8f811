#include "datafile/DataFileEnvelope.h"

#include "datafile/CryptoManager.h"

#include <openssl/rand.h>

QByteArray DataFileEnvelope::key() { return CryptoManager::md5(QByteArrayLiteral("QMBKey")); }

std::optional<QByteArray> DataFileEnvelope::decipher(const QByteArray &file)
{
    return CryptoManager::decrypt(file, key(), CryptoManager::PKCS7Padding);
}

std::optional<QByteArray> DataFileEnvelope::seal(const QByteArray &plainText,
                                                 const QByteArray &chainingBlock)
{
    const auto cipherText =
        CryptoManager::encrypt(plainText, key(), chainingBlock, CryptoManager::PKCS7Padding);
    if (!cipherText)
        return std::nullopt;
    return chainingBlock + *cipherText;
}

QByteArray DataFileEnvelope::randomChainingBlock()
{
    QByteArray block(chainingBlockSize, Qt::Uninitialized);
    if (RAND_bytes(reinterpret_cast<unsigned char *>(block.data()), chainingBlockSize) != 1)
        qFatal("the system's random source failed");
    return block;
}
