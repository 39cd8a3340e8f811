#include "access/CryptoManager.h"

#include <openssl/evp.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace {
struct ContextFree
{
    void operator()(EVP_CIPHER_CTX *context) const { EVP_CIPHER_CTX_free(context); }
};

std::optional<QByteArray> cipher(const QByteArray &input, const QByteArray &key,
                                 const unsigned char *vector, CryptoManager::Operation operation,
                                 quint32 options)
{
    if (key.size() != CryptoManager::keySize)
        return std::nullopt;
    const std::unique_ptr<EVP_CIPHER_CTX, ContextFree> context(EVP_CIPHER_CTX_new());
    if (!context)
        return std::nullopt;
    const EVP_CIPHER *algorithm =
        (options & CryptoManager::ECBMode) ? EVP_aes_128_ecb() : EVP_aes_128_cbc();
    const auto *keyBytes = reinterpret_cast<const unsigned char *>(key.constData());
    if (EVP_CipherInit_ex(context.get(), algorithm, nullptr, keyBytes,
                          (options & CryptoManager::ECBMode) ? nullptr : vector,
                          operation == CryptoManager::Encrypt ? 1 : 0)
        != 1)
        return std::nullopt;
    EVP_CIPHER_CTX_set_padding(context.get(), (options & CryptoManager::PKCS7Padding) ? 1 : 0);

    // The update step may hold back one block and the final step adds at most one.
    QByteArray output(input.size() + 2 * CryptoManager::blockSize, Qt::Uninitialized);
    auto *out = reinterpret_cast<unsigned char *>(output.data());
    const auto *in = reinterpret_cast<const unsigned char *>(input.constData());
    qsizetype moved = 0;
    // EVP counts in int: feed larger inputs in pieces of whole blocks.
    constexpr qsizetype piece = (INT_MAX / CryptoManager::blockSize - 1) * CryptoManager::blockSize;
    for (qsizetype offset = 0; offset < input.size(); offset += piece) {
        const int length = int(std::min(piece, input.size() - offset));
        int written = 0;
        if (EVP_CipherUpdate(context.get(), out + moved, &written, in + offset, length) != 1)
            return std::nullopt;
        moved += written;
    }
    int finalWritten = 0;
    if (EVP_CipherFinal_ex(context.get(), out + moved, &finalWritten) != 1)
        return std::nullopt;
    output.truncate(moved + finalWritten);
    return output;
}
} // namespace

std::optional<QByteArray> CryptoManager::decrypt(const QByteArray &input, const QByteArray &key,
                                                 quint32 options)
{
    return doCipher(input, key, Decrypt, options);
}

std::optional<QByteArray> CryptoManager::doCipher(const QByteArray &input, const QByteArray &key,
                                                  Operation operation, quint32 options)
{
    // The chaining vector is the input's own first block; a shorter input leaves the rest zero.
    unsigned char vector[blockSize] = {};
    std::copy_n(input.constData(), std::min<qsizetype>(blockSize, input.size()), vector);
    return cipher(input, key, vector, operation, options);
}

std::optional<QByteArray> CryptoManager::encrypt(const QByteArray &input, const QByteArray &key,
                                                 const QByteArray &vector, quint32 options)
{
    if (vector.size() != blockSize)
        return std::nullopt;
    return cipher(input, key, reinterpret_cast<const unsigned char *>(vector.constData()), Encrypt,
                  options);
}

QByteArray CryptoManager::md5(const QByteArray &bytes)
{
    QByteArray digest(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int length = 0;
    if (EVP_Digest(bytes.constData(), size_t(bytes.size()),
                   reinterpret_cast<unsigned char *>(digest.data()), &length, EVP_md5(), nullptr)
        != 1)
        return {};
    digest.truncate(int(length));
    return digest;
}
